#include "screens/settings/win32/CDlgSettingAudio.h"

#include "config/RecorderProfile.h"
#include "resource.h"
#include "screens/settings/win32/SettingsPage.h"

namespace vorlix {

CDlgSettingAudio::CDlgSettingAudio(CAppModule* appModule) : CSkinDialog(IDD_EMPTY_205, appModule) {}

BOOL CDlgSettingAudio::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  PlaceSettingsPage(m_hWnd);
  BuildUI();
  return TRUE;
}

void CDlgSettingAudio::BuildUI() {
  m_pRoot->SetPos(0, 0, kSettingsPageWidth, kSettingsPageHeight);
  // A missing or unreadable scene file reads as disabled.
  const bool enabled = IsMicrophoneEnabled();
  struct Choice {
    int id;
    RECT rc;
    const wchar_t* text;
    bool checked;
  };
  const Choice choices[] = {{kMicrophoneOnId, {24, 27, 144, 43}, L"<c #aaaaaa>启用麦克风", enabled},
                            {kMicrophoneOffId, {156, 27, 276, 43}, L"<c #aaaaaa>禁用麦克风", !enabled}};
  for (const Choice& c : choices) {
    CUIButton* b = AddButton(c.id, c.rc, c.text);
    if (b == nullptr) continue;
    b->SetCheckStyle(UICHECKSTYLE_RADIO);
    b->SetRadioGroup(kMicrophoneOnId, kMicrophoneOffId);
    if (c.checked) b->SetCheck(1);
  }
  m_pm.NeedUpdate();
}

void CDlgSettingAudio::Notify(const UINotification& msg) {
  if (msg.Type != UINOTIFY_CLICK || msg.pSender == nullptr) return;
  if (msg.pSender->GetId() == kMicrophoneOnId) SetMicrophoneEnabled(true);
  if (msg.pSender->GetId() == kMicrophoneOffId) SetMicrophoneEnabled(false);
}

}  // namespace vorlix
