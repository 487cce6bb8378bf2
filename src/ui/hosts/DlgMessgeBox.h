#pragma once
// The skinned message box: caption, close button, the system icon of its type, the text, and a row of
// buttons per type (Enter presses "ok", Escape "cancel"). SkinMessageBox shows one modally.
#include <memory>
#include <string>

#include "ui/hosts/CSkinDialog.h"
#include "ui/hosts/UIMessageBoxLayout.h"

namespace vorlix {

class DlgMessgeBox : public CSkinDialog {
 public:
  DlgMessgeBox(const wchar_t* text, const wchar_t* caption, UINT type, UINT templateId = 0,
               HMODULE resourceModule = nullptr, CAppModule* appModule = nullptr);
  ~DlgMessgeBox() override;

  int GetResult() const { return m_nBoxResult; }
  const UIMessageBoxLayout& GetLayout() const { return m_layout; }

  BOOL OnInitDialog() override;
  void BuildUI() override;
  void Notify(const UINotification& msg) override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

  // Initial window size before the content is measured.
  static constexpr int kInitialWidth = 536;
  static constexpr int kInitialHeight = 265;

 private:
  // The icon of the type from the system library, or null.
  std::shared_ptr<IUIImage> LoadTypeIcon();
  UISize MeasureText();

  std::wstring m_sCaption;
  std::wstring m_sText;
  UINT m_uType;
  HICON m_hIcon = nullptr;
  int m_nBoxResult = IDCANCEL;
  UIMessageBoxLayout m_layout;
};

// Shows a message box over owner (null: the active window) with the style's template, resource module
// and application module. Returns 1 (OK), 2 (cancel or closed), 6 (yes) or 7 (no).
int SkinMessageBox(HWND hWndOwner, const wchar_t* text, const wchar_t* caption, UINT type);

}  // namespace vorlix
