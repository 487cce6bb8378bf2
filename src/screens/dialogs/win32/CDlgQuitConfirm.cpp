#include "screens/dialogs/win32/CDlgQuitConfirm.h"

#include "config/Settings.h"
#include "resource.h"
#include "screens/dialogs/QuitChoice.h"
#include "screens/win32/CaptionDrag.h"
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {

namespace {

const UIColor kWhite = UIRgb(0xff, 0xff, 0xff);

}  // namespace

CDlgQuitConfirm::CDlgQuitConfirm(CAppModule* appModule) : CSkinDialog(IDD_EMPTY_203, appModule) {}

BOOL CDlgQuitConfirm::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetRoundCorners(5);
  CenterWindowOnOwner(m_hWnd);
  BuildUI();
  return TRUE;
}

void CDlgQuitConfirm::BuildUI() {
  m_pRoot->SetPos(0, 0, kWidth, kHeight);
  if (CUILabel* icon = AddLabel(kIconId, RECT{20, 10, 36, 26})) icon->SetImage(1213, m_hResourceModule);
  if (CUILabel* title = AddLabel(kTitleId, RECT{40, 10, 100, 26}, L"确认退出")) title->SetTextColor(kWhite);
  if (CUIButton* close = AddButton(kCloseId, RECT{368, 10, 384, 26})) {
    close->SetImage(1207, m_hResourceModule);
    close->SetToolTip(L"退出..");
  }
  struct Push {
    int id;
    RECT rc;
    const wchar_t* text;
    int image;
  };
  const Push pushes[] = {{kOkId, {215, 140, 287, 168}, L"<c #ffffff>确定</c>", 401},
                         {kCancelId, {300, 140, 372, 168}, L"<c #ffffff>取消</c>", 403}};
  for (const Push& p : pushes) {
    if (CUIButton* b = AddButton(p.id, p.rc, p.text)) {
      b->SetImage(p.image, m_hResourceModule);
      b->SetTextColors(kWhite, kWhite, kWhite, UIRgb(0x70, 0x7b, 0x8d));
    }
  }
  const bool minimize = GetMinimizeOnClose() != 0;
  struct Choice {
    int id;
    RECT rc;
    const wchar_t* text;
    bool checked;
  };
  const Choice radios[] = {{kMinimizeId, {75, 65, 195, 85}, L"<c #cccccc>最小化到系统托盘</c>", minimize},
                           {kExitId, {75, 85, 195, 105}, L"<c #cccccc>退出程序</c>", !minimize}};
  for (const Choice& c : radios) {
    if (CUIButton* b = AddButton(c.id, c.rc, c.text)) {
      b->SetCheckStyle(UICHECKSTYLE_RADIO);
      b->SetRadioGroup(kMinimizeId, kExitId);
      b->SetCheck(c.checked ? 1 : 0);
    }
  }
  if (CUIButton* remind = AddButton(kDontRemindId, RECT{20, 155, 150, 170}, L"<c #cccccc>不再提醒</c>"))
    remind->SetCheckStyle(UICHECKSTYLE_BOX);
  m_pm.NeedUpdate();
}

bool CDlgQuitConfirm::IsChecked(int id) {
  CUIControl* control = GetControl(id);
  auto* checked = control != nullptr ? static_cast<IUIChecked*>(control->GetInterface(L"UIChecked")) : nullptr;
  return checked != nullptr && checked->GetCheck() != 0;
}

LRESULT CDlgQuitConfirm::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if (uMsg == WM_NCHITTEST && IsCaptionDragPoint(m_hWnd, lParam, 31, 60)) {
    bHandled = true;
    return HTCAPTION;
  }
  return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
}

void CDlgQuitConfirm::Notify(const UINotification& msg) {
  if (msg.Type != UINOTIFY_CLICK || msg.pSender == nullptr) return;
  switch (msg.pSender->GetId()) {
    case kCloseId:
    case kCancelId:
      Close(kQuitResultDismissed);
      break;
    case kOkId: {
      int result = ApplyQuitChoice(IsChecked(kMinimizeId), IsChecked(kExitId), IsChecked(kDontRemindId));
      if (result >= 0) Close(result);
      break;
    }
    default:
      break;
  }
}

int ShowQuitConfirm(HWND owner) {
  CDlgQuitConfirm dlg;
  return static_cast<int>(dlg.DoModal(owner != nullptr ? owner : GetActiveWindow()));
}

}  // namespace vorlix
