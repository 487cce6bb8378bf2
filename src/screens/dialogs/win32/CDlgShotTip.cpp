#include "screens/dialogs/win32/CDlgShotTip.h"

#include "resource.h"
#include "ui/render/IUIPainter.h"

namespace vorlix {

CDlgShotTip::CDlgShotTip(CAppModule* appModule) : CSkinDialog(IDD_EMPTY_203, appModule) {}

bool CDlgShotTip::Create(HWND owner) {
  HWND hWnd = CSkinDialog::Create(owner);
  if (hWnd == nullptr) return false;
  ::ShowWindow(hWnd, SW_HIDE);
  return true;
}

BOOL CDlgShotTip::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  // A tool window that is never activated: showing it must not take the focus from the game.
  SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  SetWindowPos(m_hWnd, HWND_TOPMOST, GetSystemMetrics(SM_CXFULLSCREEN) - kWidth, kTop, kWidth, kHeight,
               SWP_NOACTIVATE);
  SetSkinImages(1222, 1222, 1222, 1222, m_hResourceModule);
  BuildUI();
  // FALSE: the dialog manager then gives the new window no focus, which would activate it.
  return FALSE;
}

void CDlgShotTip::BuildUI() {
  m_pRoot->SetPos(0, 0, kWidth, kHeight);
  if (CUILabel* text = AddLabel(1, RECT{60, 10, 220, 40}, L"<b>视频已保存至云空间</b>")) {
    text->SetTextColor(UIRgb(0xff, 0xff, 0xff));
    text->SetTextStyle(UITEXT_CENTER);
  }
  m_pm.NeedUpdate();
}

void CDlgShotTip::ShowBriefly() {
  if (m_hWnd == nullptr) return;
  SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::SetTimer(m_hWnd, kHideTimer, kShowMs, nullptr);
}

LRESULT CDlgShotTip::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  switch (uMsg) {
    case WM_NCHITTEST:
      bHandled = true;
      return HTNOWHERE;
    case WM_MOUSEACTIVATE:
      bHandled = true;
      return MA_NOACTIVATE;
    case WM_TIMER:
      if (wParam == kHideTimer) {
        ::KillTimer(m_hWnd, kHideTimer);
        ::ShowWindow(m_hWnd, SW_HIDE);
        bHandled = true;
        return 0;
      }
      break;
    default:
      break;
  }
  return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
}

}  // namespace vorlix
