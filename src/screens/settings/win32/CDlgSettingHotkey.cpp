#include "screens/settings/win32/CDlgSettingHotkey.h"

#include <cstdio>

#include "resource.h"
#include "screens/settings/win32/SettingsPage.h"
#include "ui/render/IUIPainter.h"

namespace vorlix {

namespace {

const UIColor kFrameNormal = UIRgb(0xc8, 0xc8, 0xc8);
const UIColor kFrameFocused = UIRgb(0x3d, 0xcb, 0xff);

bool KeyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

CDlgSettingHotkey::CDlgSettingHotkey(CAppModule* appModule) : CSkinDialog(IDD_EMPTY_205, appModule) {}

BOOL CDlgSettingHotkey::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  PlaceSettingsPage(m_hWnd);
  SetWindowTextW(m_hWnd, L"设置热键");
  BuildUI();
  return TRUE;
}

void CDlgSettingHotkey::BuildUI() {
  m_pRoot->SetPos(0, 0, kSettingsPageWidth, kSettingsPageHeight);
  const UIColor white = UIRgb(0xff, 0xff, 0xff);
  if (CUILabel* l = AddLabel(0, RECT{15, 15, 115, 31}, L"<b>开始/停止录制</b>")) l->SetTextColor(white);
  if (CUILabel* l = AddLabel(0, RECT{15, 60, 115, 76}, L"<b>进行回溯录像</b>")) l->SetTextColor(white);
  m_pStartStopField = AddLabel(kStartStopFieldId, RECT{210, 10, 318, 40});
  m_pReplayField = AddLabel(kReplayFieldId, RECT{210, 55, 318, 85});
  for (CUILabel* field : {m_pStartStopField, m_pReplayField}) {
    if (field == nullptr) continue;
    field->SetTextColor(UIRgb(0x1a, 0xce, 0xf5));
    field->SetTextStyle(UITEXT_CENTER);
    field->SetFrameColor(kFrameNormal);
    field->SetBkColor(UIRgb(0x0a, 0x10, 0x12));
  }
  // Shows the stored (or default) hotkeys and writes them back, so the file holds both afterwards.
  m_capture.FillFromSettings();
  m_pm.NeedUpdate();
}

CUILabel* CDlgSettingHotkey::Field(HotkeySlot slot) {
  return slot == HotkeySlot::StartStop ? m_pStartStopField : m_pReplayField;
}

std::wstring CDlgSettingHotkey::GetFieldText(HotkeySlot slot) {
  CUILabel* field = Field(slot);
  return field != nullptr ? std::wstring(field->GetText().GetData()) : std::wstring();
}

void CDlgSettingHotkey::SetFieldText(HotkeySlot slot, const std::wstring& text) {
  if (CUILabel* field = Field(slot)) field->SetText(text.c_str());
}

void CDlgSettingHotkey::CaptureHotkey(WPARAM virtualKey) {
  m_capture.CaptureHotkey(KeyHeld(VK_CONTROL), KeyHeld(VK_SHIFT), KeyHeld(VK_MENU), static_cast<int>(virtualKey));
}

LRESULT CDlgSettingHotkey::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  // Taken at the key's release, with the modifiers still held then.
  if (uMsg == WM_KEYUP && IsWindowVisible(m_hWnd)) CaptureHotkey(wParam);
  return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
}

BOOL CDlgSettingHotkey::PreTranslateMessage(MSG* msg) {
  char line[32];
  std::snprintf(line, sizeof(line), "msg : %d\n", static_cast<int>(msg->message));
  OutputDebugStringA(line);
  if (msg->message == WM_KEYDOWN && m_hWnd != nullptr && IsWindowVisible(m_hWnd)) CaptureHotkey(msg->wParam);
  return FALSE;
}

void CDlgSettingHotkey::Notify(const UINotification& msg) {
  if (msg.pSender == nullptr) return;
  const int id = msg.pSender->GetId();
  if (id != kStartStopFieldId && id != kReplayFieldId) return;
  auto* field = static_cast<CUILabel*>(msg.pSender);
  if (msg.Type == UINOTIFY_SETFOCUS) {
    m_capture.SetTarget(id == kStartStopFieldId ? HotkeySlot::StartStop : HotkeySlot::Replay);
    field->SetFrameColor(kFrameFocused);
  } else if (msg.Type == UINOTIFY_KILLFOCUS) {
    field->SetFrameColor(kFrameNormal);
  }
}

}  // namespace vorlix
