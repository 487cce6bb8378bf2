#include "screens/settings/win32/CDlgSettingRecord.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "resource.h"
#include "screens/settings/VideoFolderRule.h"
#include "screens/settings/win32/SettingsPage.h"
#include "shell/Log.h"

namespace vorlix {

namespace {

const UIColor kLinkColor = UIRgb(0x09, 0xd8, 0xc3);

int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM, LPARAM data) {
  if (uMsg == BFFM_INITIALIZED && data != 0) {
    SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, data);
    SendMessageW(hWnd, BFFM_SETSTATUSTEXTW, 0, data);
  }
  return 0;
}

}  // namespace

CDlgSettingRecord::CDlgSettingRecord(CAppModule* appModule) : CSkinDialog(IDD_EMPTY_205, appModule) {}

BOOL CDlgSettingRecord::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  PlaceSettingsPage(m_hWnd);
  BuildUI();
  return TRUE;
}

void CDlgSettingRecord::AddChoice(int id, const RECT& rc, const wchar_t* text, int groupFirst, int groupLast,
                                  bool checked) {
  CUIButton* b = AddButton(id, rc, text);
  if (b == nullptr) return;
  b->SetCheckStyle(UICHECKSTYLE_RADIO);
  b->SetRadioGroup(groupFirst, groupLast);
  if (checked) b->SetCheck(1);
}

void CDlgSettingRecord::BuildUI() {
  m_pRoot->SetPos(0, 0, kSettingsPageWidth, kSettingsPageHeight);
  for (int y : {76, 160, 228, 263}) {
    if (CUILabel* line = AddLabel(0, RECT{5, y, 385, y + 1})) line->SetBkColor(UIRgb(0x1c, 0x28, 0x2b));
  }
  AddLabel(0, RECT{15, 20, 295, 36}, L"<c #0adcc8>分辨率:</c>    <c #aaaaaa>过高会引起视频卡顿</c>");
  // Values set elsewhere (the recorder's own window) match no choice and show none checked.
  const int resolution = ChosenResolutionPreset(GetOutputHeight());
  AddChoice(k540pId, RECT{24, 50, 94, 66}, L"<c #aaaaaa>540p</c>", k540pId, k1080pId, resolution == 0);
  AddChoice(k720pId, RECT{95, 50, 165, 66}, L"<c #aaaaaa>720p</c>", k540pId, k1080pId, resolution == 1);
  AddChoice(k1080pId, RECT{170, 50, 400, 66}, L"<c #aaaaaa>1080p  (推荐i7及以上cpu用户)</c>", k540pId, k1080pId,
            resolution == 2);
  if (auto* b = static_cast<CUIButton*>(GetControl(k1080pId))) {
    const UIColor grey = UIRgb(0x63, 0x63, 0x63);
    b->SetTextColors(grey, grey, grey, UIRgb(0x80, 0x80, 0x80));
  }

  AddLabel(0, RECT{15, 84, 95, 100}, L"<c #0adcc8>码率:</c>");
  const int bitrate = ChosenBitratePreset(GetVideoBitrate());
  AddChoice(kBitrate4000Id, RECT{24, 106, 194, 122}, L"<c #aaaaaa>4000  适合2D游戏</c>", kBitrate4000Id,
            kBitrate10000Id, bitrate == 0);
  AddChoice(kBitrate6000Id, RECT{220, 106, 390, 122}, L"<c #aaaaaa>6000  适合moba、网游</c>", kBitrate4000Id,
            kBitrate10000Id, bitrate == 1);
  AddChoice(kBitrate8000Id, RECT{24, 132, 194, 148}, L"<c #aaaaaa>8000  适合FPS、动作类</c>", kBitrate4000Id,
            kBitrate10000Id, bitrate == 2);
  AddChoice(kBitrate10000Id, RECT{220, 132, 390, 148}, L"<c #aaaaaa>10000  适合3A大作</c>", kBitrate4000Id,
            kBitrate10000Id, bitrate == 3);

  AddLabel(0, RECT{15, 167, 295, 183}, L"<c #0adcc8>帧数</c><c #aaaaaa>(fps)  过高会引起视频卡顿</c>");
  // Anything but 30 shows 60; nothing is written until a choice is clicked.
  const int fps = ChosenFrameRatePreset(GetFrameRate());
  AddChoice(kFps30Id, RECT{24, 197, 84, 213}, L"<c #aaaaaa>30", kFps30Id, kFps60Id, fps == 0);
  AddChoice(kFps60Id, RECT{96, 197, 356, 213}, L"<c #aaaaaa>60 (推荐i7及以上cpu用户)", kFps30Id, kFps60Id, fps == 1);

  AddLabel(0, RECT{15, 240, 80, 256}, L"<c #0adcc8>录像存放:</c>");
  if (CUILabel* folder = AddLabel(kFolderId, RECT{80, 240, 310, 256}, GetVideoSavePath().c_str()))
    folder->SetTextColor(UIRgb(0x63, 0x63, 0x63));
  if (CUILabel* link = AddLabel(kChooseFolderId, RECT{300, 240, 385, 256}, L"<a>设置保存路径</a>"))
    link->SetTextColor(kLinkColor);
  if (CUILabel* link = AddLabel(ID_LAB_OPEN_OBS, RECT{12, 272, 162, 288}, L"<a><b>打开OBS进行高级设置</b></a>"))
    link->SetTextColor(kLinkColor);
  m_pm.NeedUpdate();
}

void CDlgSettingRecord::Notify(const UINotification& msg) {
  if (msg.pSender == nullptr) return;
  const int id = msg.pSender->GetId();
  if (msg.Type == UINOTIFY_LINK) {
    if (id == kChooseFolderId) ChooseFolder();
    if (id == ID_LAB_OPEN_OBS) OpenRecorderSettings();
    return;
  }
  if (msg.Type != UINOTIFY_CLICK) return;
  switch (id) {
    case k540pId:
    case k720pId:
    case k1080pId:
      SetOutputResolution(kResolutionPresets[id - k540pId]);
      break;
    case kBitrate4000Id:
    case kBitrate6000Id:
    case kBitrate8000Id:
    case kBitrate10000Id:
      SetVideoBitrate(kBitratePresets[id - kBitrate4000Id]);
      break;
    case kFps30Id:
    case kFps60Id:
      SetFrameRate(kFrameRatePresets[id - kFps30Id]);
      break;
    default:
      break;
  }
}

void CDlgSettingRecord::ChooseFolder() {
  std::wstring current = GetVideoSavePath();
  BROWSEINFOW bi = {};
  bi.hwndOwner = m_hWnd;
  bi.lpszTitle = L"请选择视频保存的目录";
  bi.lpfn = &BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(current.c_str());
  PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
  if (pidl == nullptr) return;
  wchar_t path[MAX_PATH] = {};
  const bool named = SHGetPathFromIDListW(pidl, path) != FALSE;
  CoTaskMemFree(pidl);
  std::wstring stored;
  if (!named || !FolderPathToStore(path, stored)) return;
  SetVideoSavePath(stored);
  // What the file now holds, which is what recordings will use.
  if (CUIControl* folder = GetControl(kFolderId)) folder->SetText(GetVideoSavePath().c_str());
}

void CDlgSettingRecord::OpenRecorderSettings() {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "DlgSettingRecord", __LINE__) << "click ID_LAB_OPEN_OBS" << '\n');
  const std::wstring dir = GetAppDirectory() + L"obs/bin/32bit/";
  const std::wstring exe = dir + L"obs32.exe";
  ShellExecuteW(nullptr, L"open", exe.c_str(), nullptr, dir.c_str(), SW_SHOWNORMAL);
}

}  // namespace vorlix
