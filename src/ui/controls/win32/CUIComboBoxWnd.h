#pragma once
// The drop-down of a combo box as a popup tool window ("DropDownWnd") owned by the combo's window,
// with its own manager. The rules live in CUIComboDropDown; this class only turns window messages into
// them, and deletes itself after the window is gone.
#include <windows.h>

#include "ui/controls/CUIComboBox.h"
#include "ui/controls/CUIComboDropDown.h"
#include "ui/core/CUIManager.h"
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {

class CUIComboBoxWnd : public CWindowWnd, public IUIComboPopup {
 public:
  explicit CUIComboBoxWnd(CUIComboBox& owner);

  // Creates and shows the popup over rcPopup (the combo window's client coordinates).
  static IUIComboPopup* Open(CUIComboBox& owner, const UIRect& rcPopup);

  void Close() override;
  void Abandon() override;

  const wchar_t* GetWindowClassName() const override;
  UINT GetClassStyle() const override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hWnd) override;

 private:
  CUIManager m_manager;
  CUIComboDropDown m_dropDown;
  bool m_bClosing = false;
};

}  // namespace vorlix
