#include "screens/settings/win32/CDlgSetting.h"

#include "resource.h"
#include "screens/win32/CaptionDrag.h"
#include "shell/win32/MainWindowHandle.h"
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {

namespace {

// Posted to itself once the dialog is up: the hotkey page then takes the keyboard focus (during the
// initialisation the dialog manager would hand it to the dialog again).
constexpr UINT kMsgFocusFirstPage = WM_USER + 720;

struct Tab {
  int id;
  RECT rc;
  int image;
};
const Tab kTabs[] = {{CDlgSetting::kTabHotkeyId, {1, 60, 101, 86}, 1236},
                     {CDlgSetting::kTabRecordId, {1, 95, 101, 121}, 1235},
                     {CDlgSetting::kTabAudioId, {1, 130, 101, 156}, 1237},
                     {CDlgSetting::kTabUpdateId, {1, 165, 101, 191}, 1234}};

}  // namespace

CDlgSetting::CDlgSetting(CAppModule* appModule) : CSkinDialog(IDD_EMPTY_203, appModule) {}

CDlgSetting::~CDlgSetting() {
  // The pages are children: they go before the dialog's own window and manager.
  m_pUpdate.reset();
  m_pAudio.reset();
  m_pRecord.reset();
  m_pHotkey.reset();
}

BOOL CDlgSetting::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  SetWindowTextW(m_hWnd, L"设置窗口");
  SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterWindowOnOwner(m_hWnd);
  SetSkinImages(412, 412, 412, 412, m_hResourceModule);
  BuildUI();
  CreatePages();
  PostMessageW(m_hWnd, kMsgFocusFirstPage, 0, 0);
  return TRUE;
}

void CDlgSetting::BuildUI() {
  m_pRoot->SetPos(0, 0, kWidth, kHeight);
  if (CUILabel* title = AddLabel(kTitleId, RECT{33, 9, 93, 25}, L"设置")) title->SetTextColor(UIRgb(0xff, 0xff, 0xff));
  if (CUIButton* close = AddButton(kCloseId, RECT{466, 10, 482, 26})) {
    close->SetImage(1207, m_hResourceModule);
    close->SetToolTip(L"退出..");
  }
  for (const Tab& t : kTabs) {
    CUIButton* tab = AddButton(t.id, t.rc);
    if (tab == nullptr) continue;
    tab->SetImage(t.image, m_hResourceModule);
    tab->SetRadioGroup(kTabHotkeyId, kTabUpdateId);
  }
  if (auto* first = static_cast<CUIButton*>(GetControl(kTabHotkeyId))) first->SetCheck(1);
  m_pm.NeedUpdate();
}

void CDlgSetting::CreatePages() {
  m_pHotkey = std::make_unique<CDlgSettingHotkey>(m_pAppModule);
  m_pRecord = std::make_unique<CDlgSettingRecord>(m_pAppModule);
  m_pAudio = std::make_unique<CDlgSettingAudio>(m_pAppModule);
  m_pUpdate = std::make_unique<CDlgCheckUpdate>(1, nullptr, m_pAppModule);
  m_pUpdate->SetUpdateAnswer(m_strUpdateInfo);
  m_pUpdate->SetStartCheck(true);
  HWND target = m_hInstallTarget;
  if (target == nullptr) target = GetMainWindowHandle();
  if (target == nullptr) target = GetWindow(m_hWnd, GW_OWNER);
  m_pUpdate->SetInstallTarget(target);
  for (CSkinDialog* page : std::initializer_list<CSkinDialog*>{m_pHotkey.get(), m_pRecord.get(), m_pAudio.get(),
                                                               m_pUpdate.get()}) {
    page->SetResourceModule(m_hResourceModule);
    page->Create(m_hWnd);
  }
  if (m_pHotkey->GetHWND() != nullptr) ::ShowWindow(m_pHotkey->GetHWND(), SW_SHOW);
}

void CDlgSetting::ShowPage(int tabId) {
  if (tabId < kTabHotkeyId || tabId > kTabUpdateId) return;
  if (auto* tab = static_cast<CUIButton*>(GetControl(tabId))) tab->SetCheck(1);
  CSkinDialog* pages[] = {m_pHotkey.get(), m_pRecord.get(), m_pAudio.get(), m_pUpdate.get()};
  for (CSkinDialog* page : pages)
    if (page != nullptr && page->GetHWND() != nullptr) ::ShowWindow(page->GetHWND(), SW_HIDE);
  CSkinDialog* shown = pages[tabId - kTabHotkeyId];
  if (shown != nullptr && shown->GetHWND() != nullptr) ::ShowWindow(shown->GetHWND(), SW_SHOW);
}

LRESULT CDlgSetting::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  switch (uMsg) {
    case WM_NCHITTEST:
      if (IsCaptionDragPoint(m_hWnd, lParam, 31, 60)) {
        bHandled = true;
        return HTCAPTION;
      }
      break;
    case WM_KEYDOWN:
      // Keys pressed while the dialog itself has the focus still set the hotkey page's target field.
      if (m_pHotkey != nullptr && m_pHotkey->GetHWND() != nullptr && IsWindowVisible(m_pHotkey->GetHWND()))
        m_pHotkey->CaptureHotkey(wParam);
      break;
    case kMsgFocusFirstPage:
      if (m_pHotkey != nullptr && m_pHotkey->GetHWND() != nullptr && IsWindowVisible(m_pHotkey->GetHWND()))
        ::SetFocus(m_pHotkey->GetHWND());
      bHandled = true;
      return 0;
    default:
      break;
  }
  return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
}

BOOL CDlgSetting::PreTranslateMessage(MSG* msg) {
  if (m_pHotkey != nullptr && m_pHotkey->GetHWND() != nullptr) return m_pHotkey->PreTranslateMessage(msg);
  return FALSE;
}

void CDlgSetting::Notify(const UINotification& msg) {
  if (msg.Type != UINOTIFY_CLICK || msg.pSender == nullptr) return;
  const int id = msg.pSender->GetId();
  if (id == kCloseId) {
    Close(IDOK);
    return;
  }
  ShowPage(id);
}

INT_PTR ShowSettingDialog(HWND owner, const std::string& updateResponse) {
  CDlgSetting dlg;
  dlg.SetUpdateInfo(updateResponse);
  return dlg.DoModal(owner != nullptr ? owner : GetActiveWindow());
}

}  // namespace vorlix
