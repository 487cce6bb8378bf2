#include "screens/main/win32/MainWindowContent.h"

#include "screens/main/MainHover.h"
#include "screens/main/MainWindowIds.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

constexpr unsigned kTextCentre = 1;  // label style: centred, vertically centred, one line
constexpr unsigned kTipTextStyle = 4;

RECT R(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

CUILabel* CentredLabel(CSkinHost& host, int id, const RECT& rc, const std::wstring& text) {
  CUILabel* label = host.AddLabel(id, rc, text.c_str());
  if (label != nullptr) label->SetTextStyle(kTextCentre);
  return label;
}

CUILabel* ImageLabel(CSkinHost& host, int id, const RECT& rc, int image) {
  CUILabel* label = host.AddLabel(id, rc);
  if (label != nullptr) label->SetImage(image);
  return label;
}

CUIButton* ImageButton(CSkinHost& host, int id, const RECT& rc, int image, const wchar_t* tip = nullptr) {
  CUIButton* button = host.AddButton(id, rc);
  if (button == nullptr) return nullptr;
  button->SetImage(image);
  if (tip != nullptr) button->SetToolTip(tip);
  return button;
}

void Show(CUIControl* control, bool shown) {
  if (control != nullptr) control->SetVisible(shown);
}

}  // namespace

std::wstring RecordCaptionText(bool recording) {
  return std::wstring(L"<c #9abecc>") + (recording ? L"生成视频" : L"开始录制") + L"</c>";
}

std::wstring HotkeyLabelText(const std::wstring& hotkey) { return L"<c #9abecc>" + hotkey + L"</c>"; }

std::wstring StartHotkeyLabelText(const std::wstring& hotkey) {
  return L"<b><c #ffffff>(" + hotkey + L")</c></b>";
}

void BuildMainWindowContent(CSkinHost& host, const MainWindowBuildSteps& steps, MainWindowControls& c) {
  CUIManager& pm = host.GetManager();
  RECT client{};
  GetClientRect(reinterpret_cast<HWND>(pm.GetPaintWindow()), &client);
  if (host.GetRoot() != nullptr) host.GetRoot()->SetPos(client.left, client.top, client.right, client.bottom);
  CUIStyleTable::SetEditBackgroundColor(0xE6E0DA);
  CUIStyleTable::SetDefaultTextColor(0x4A3027);

  c.close = ImageButton(host, kIdCloseButton, R(520, 10, 536, 26), 1207, L"退出..");
  c.minimize = ImageButton(host, kIdMinimizeButton, R(488, 10, 504, 26), 1206, L"最小化..");
  c.settings = ImageButton(host, kIdSettingsButton, R(456, 10, 472, 26), 1214, L"设置..");
  c.userIcon = ImageButton(host, kIdUserIcon, R(424, 10, 440, 26), 1216);
  std::wstring chat = L"<a>QQ群：" + steps.chatGroupNumber + L"</a>";
  c.chatGroup = host.AddLabel(kIdChatGroupLink, R(120, 10, 230, 26), chat.c_str());
  if (c.chatGroup != nullptr) c.chatGroup->SetTextColor(0xAAAAAA);

  std::wstring recordText, replayText;
  if (steps.registerHotkeys) steps.registerHotkeys(recordText, replayText);

  c.record = ImageButton(host, kIdRecordButton, R(340, 100, 390, 150), kImgRecordIdle);
  c.recordCaption = CentredLabel(host, kIdRecordCaption, R(325, 160, 405, 180), RecordCaptionText(false));
  c.recordHotkey = CentredLabel(host, kIdRecordHotkey, R(325, 185, 405, 205), HotkeyLabelText(recordText));
  c.replay = ImageButton(host, kIdReplayButton, R(160, 100, 210, 150), 1225);
  CentredLabel(host, 0, R(145, 160, 225, 180), L"<c #9abecc>60S回录</c>");
  c.replayHotkey = CentredLabel(host, kIdReplayHotkey, R(145, 185, 225, 205), HotkeyLabelText(replayText));
  c.tipBackground = ImageLabel(host, kIdHoverTip, R(55, 150, 315, 190), 1210);
  c.tipText = host.AddLabel(kIdHoverTip, R(55, 158, 315, 198));
  if (c.tipText != nullptr) c.tipText->SetTextStyle(kTipTextStyle);
  ImageLabel(host, 0, R(47, 47, 71, 72), 1240);
  CentredLabel(host, kIdCloudLink, R(44, 50, 144, 66), L"<a><c #9abecc>云空间</c></a>");
  ImageLabel(host, 0, R(231, 47, 255, 72), 1241);
  CentredLabel(host, kIdVideoFolderLink, R(220, 50, 350, 66), L"<a><c #9abecc>录制文件</c></a>");
  ImageLabel(host, 0, R(433, 47, 457, 72), 1242);
  CentredLabel(host, kIdGuideLink, R(450, 50, 520, 66), L"<a><c #9abecc>使用说明</c></a>");
  c.status = CentredLabel(host, kIdStatusLine, R(0, 235, 550, 251), L"");
  c.progress = host.AddProgress(0, R(25, 272, 482, 281));
  if (c.progress != nullptr) {
    c.progress->SetBarImage(1228);
    c.progress->SetForceStripMode(true);
    c.progress->SetRange(0, 100, false);
    c.progress->SetValue(0);
  }
  c.cancel = ImageButton(host, kIdCancelButton, R(490, 267, 539, 290), 1230);
  c.panelBackground = ImageLabel(host, 0, R(2, 70, 550, 290), 1244);
  c.games = host.AddCombo(kIdGameCombo, R(15, 131, 506, 163));
  if (c.games != nullptr) c.games->SetImage(1238);
  c.refresh = ImageButton(host, kIdRefreshButton, R(510, 135, 534, 159), 1231);
  if (c.refresh != nullptr) c.refresh->SetTextColors(0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x8D7B70);
  c.noGameHint = host.AddLabel(kIdNoGameHint, R(18, 137, 366, 153), L"若未检测到游戏，请手动选择录制的游戏进程");
  if (c.noGameHint != nullptr) c.noGameHint->SetTextColor(0xAAAAAA);
  if (steps.fillGameChoices) steps.fillGameChoices();
  c.start = ImageButton(host, kIdStartButton, R(196, 210, 356, 260), 1243);
  c.startHotkey = CentredLabel(host, kIdStartHotkey, R(330, 230, 490, 246), StartHotkeyLabelText(recordText));
  c.startHint = CentredLabel(host, kIdStartHint, R(146, 270, 406, 286), L"<c #9abecc>游戏运行后，点击开始录制</c>");
  c.userPanel = ImageLabel(host, kIdUserPanel, R(405, 23, 554, 110), 1229);
  c.userName = CentredLabel(host, kIdUserName, R(405, 46, 554, 62), L"");
  if (c.userName != nullptr) c.userName->SetTextColor(0xCCCCCC);
  c.logout = CentredLabel(host, kIdLogoutLink, R(405, 78, 554, 94), L"<a><b>退出</b></a>");
  if (c.logout != nullptr) c.logout->SetTextColor(0xCCCCCC);

  for (CUIControl* hidden : {static_cast<CUIControl*>(c.tipBackground), static_cast<CUIControl*>(c.tipText),
                             static_cast<CUIControl*>(c.progress), static_cast<CUIControl*>(c.cancel),
                             static_cast<CUIControl*>(c.userPanel), static_cast<CUIControl*>(c.userName),
                             static_cast<CUIControl*>(c.logout)}) {
    Show(hidden, false);
  }
  if (c.replay != nullptr) c.replay->SetEnabled(false);
}

void ShowGamePanel(MainWindowControls& c, bool show) {
  Show(c.games, show);
  Show(c.refresh, show);
  Show(c.start, show);
  Show(c.startHotkey, show);
  Show(c.startHint, show);
  Show(c.panelBackground, show);
  Show(c.noGameHint, show && c.games != nullptr && c.games->GetCurSel() == 0);
}

void CGameChoiceView::ClearItems() {
  if (m_c.games != nullptr) m_c.games->RemoveAll();
}

void CGameChoiceView::AddItem(const std::wstring& text) {
  if (m_c.games != nullptr) m_c.games->AddItem(m_c.games->GetCount(), text.c_str());
}

void CGameChoiceView::SelectItem(int index) {
  if (m_c.games != nullptr) m_c.games->SelectItem(index);
}

void CGameChoiceView::ShowHint(bool shown) { Show(m_c.noGameHint, shown); }

}  // namespace vorlix
