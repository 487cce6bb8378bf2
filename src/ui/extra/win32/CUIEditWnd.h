#pragma once
// The native editor of a CUIEdit: a superclass of the system "Edit" ("SingleLineEditWnd") placed over
// the edit's text area as a child of its window while the edit has the focus. Text changes (the
// reflected EN_CHANGE) and the loss of the keyboard go back to the edit; Enter and Escape hand the
// keyboard back to the window, which ends the editing.

#include <string>

#include "ui/extra/UIEditNative.h"
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {

class CUIEdit;

class CUIEditWnd : public CWindowWnd, public IUINativeEditor {
 public:
  explicit CUIEditWnd(CUIEdit* owner);

  const wchar_t* GetWindowClassName() const override;
  const wchar_t* GetSuperClassName() const override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hWnd) override;

  void Close() override;
  void Detach() override;
  void SetText(const wchar_t* text) override;
  void SetPos(const UIRect& rc) override;

  std::wstring GetWindowTextString() const;

 private:
  CUIEdit* m_pOwner;
  bool m_bQuiet = false;       // text set by the program, not typed
  bool m_bClosing = false;
  bool m_bInKillFocus = false;
};

}  // namespace vorlix
