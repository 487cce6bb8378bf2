// The settings dialog run modally over a stand-in main window and driven with real keys and clicks:
// the hotkey fields, what reaches the files at once, and what the next opening shows.
#include <gtest/gtest.h>

#include "config/CIniFile.h"
#include "probes/win32/HotkeyRegistrar.h"
#include "win/settings/SettingsWinSupport.h"

namespace vorlix {
namespace {

using test::CModalDriver;

const bool kRoamingReady = test::PointRoamingFolderHere();

class SettingDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kRoamingReady);
    test::ApplyProductSkin();
    RemoveFile(GetConfigPath());
    RemoveFile(GetRecorderProfilePath());
    RemoveFile(GetRecorderScenePath());
    m_main = test::CreateStandInMainWindow();
    SetMainWindowHandle(m_main);
    SetForegroundWindow(m_main);
    test::g_mainLog = test::MainWindowLog();
  }
  void TearDown() override {
    SetMainWindowHandle(nullptr);
    DestroyWindow(m_main);
    RemoveFile(GetConfigPath());
  }
  static std::string Stored(const char* section, const char* key) {
    std::string value = "absent";
    CIniFile::ReadValue(GetConfigPath(), section, key, value);
    return value;
  }
  HWND m_main = nullptr;
};

TEST_F(SettingDialogTest, AnEmptyConfigShowsTheDefaultHotkeysAndWritesThem) {
  CDlgSetting dlg;
  std::wstring startStop, replay;
  RECT rc = {};
  test::RunSettings(dlg, m_main, {[&] {
                      startStop = test::TextOf(dlg.HotkeyPage(), CDlgSettingHotkey::kStartStopFieldId);
                      replay = test::TextOf(dlg.HotkeyPage(), CDlgSettingHotkey::kReplayFieldId);
                      GetWindowRect(dlg.GetHWND(), &rc);
                      return true;
                    }});
  EXPECT_EQ(startStop, L"Shift+F11");
  EXPECT_EQ(replay, L"Shift+F10");
  EXPECT_EQ(rc.right - rc.left, CDlgSetting::kWidth);
  EXPECT_EQ(rc.bottom - rc.top, CDlgSetting::kHeight);
  for (const char* section : {"HotKeyRecord", "HotKeyBack"}) {
    EXPECT_EQ(Stored(section, "Ctrl"), "0") << section;
    EXPECT_EQ(Stored(section, "Shift"), "1") << section;
    EXPECT_EQ(Stored(section, "Alt"), "0") << section;
  }
  EXPECT_EQ(Stored("HotKeyRecord", "HotKey"), "122");
  EXPECT_EQ(Stored("HotKeyBack", "HotKey"), "121");
}

TEST_F(SettingDialogTest, AKeyPressedBeforeAnyFieldIsFocusedChangesTheReplayHotkey) {
  CDlgSetting dlg;
  bool pageHadFocus = false;
  test::RunSettings(dlg, m_main,
                    {[&] {
                       pageHadFocus = GetFocus() == dlg.HotkeyPage()->GetHWND();
                       test::Chord({VK_CONTROL}, VK_F8);
                       return true;
                     },
                     [&] { return test::TextOf(dlg.HotkeyPage(), CDlgSettingHotkey::kReplayFieldId) == L"Ctrl+F8"; }});
  EXPECT_TRUE(pageHadFocus) << "the hotkey page takes the keyboard focus when the dialog opens";
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::Replay), VK_F8);
  EXPECT_EQ(GetHotkeyCtrl(HotkeySlot::Replay), 1);
  EXPECT_EQ(GetHotkeyShift(HotkeySlot::Replay), 0);
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), VK_F11);
  EXPECT_EQ(GetHotkeyShift(HotkeySlot::StartStop), 1);
}

TEST_F(SettingDialogTest, CtrlAltF9IntoTheRecordFieldIsRegisteredAfterClose) {
  CDlgSetting dlg;
  COLORREF focusedFrame = 0;
  HotkeySlot targetAfterClick = HotkeySlot::Replay;
  test::RunSettings(dlg, m_main,
                    {[&] {
                       test::ClickClient(dlg.HotkeyPage()->GetHWND(), 264, 25);
                       return true;
                     },
                     [&] {
                       targetAfterClick = dlg.HotkeyPage()->Target();
                       if (targetAfterClick != HotkeySlot::StartStop) return false;
                       test::Pump(100);
                       focusedFrame = test::ScreenPixel(dlg.HotkeyPage()->GetHWND(), 240, 10);
                       test::Chord({VK_CONTROL, VK_MENU}, VK_F9);
                       return true;
                     },
                     [&] {
                       return test::TextOf(dlg.HotkeyPage(), CDlgSettingHotkey::kStartStopFieldId) ==
                              L"Ctrl+Alt+F9";
                     }});
  EXPECT_EQ(focusedFrame, RGB(0x3d, 0xcb, 0xff)) << "the focused field's frame";
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), VK_F9);
  EXPECT_EQ(GetHotkeyCtrl(HotkeySlot::StartStop), 1);
  EXPECT_EQ(GetHotkeyAlt(HotkeySlot::StartStop), 1);
  EXPECT_EQ(GetHotkeyShift(HotkeySlot::StartStop), 0);

  // What the main window does once the dialog has returned.
  EXPECT_EQ(RegisterSlotHotkey(m_main, HotkeySlot::StartStop), L"Ctrl+Alt+F9");
  EXPECT_EQ(RegisterSlotHotkey(m_main, HotkeySlot::Replay), L"Shift+F10");
  test::Chord({VK_CONTROL, VK_MENU}, VK_F9);
  EXPECT_TRUE(test::PumpUntil([] { return !test::g_mainLog.hotkeys.empty(); }, 3000));
  ASSERT_EQ(test::g_mainLog.hotkeys.size(), 1u);
  EXPECT_EQ(test::g_mainLog.hotkeys[0], static_cast<WPARAM>(HOTKEY_BEGIN_OR_STOP_SHOT));
  UnregisterHotKey(m_main, HOTKEY_BEGIN_OR_STOP_SHOT);
  UnregisterHotKey(m_main, HOTKEY_BACK_SHOT);
}

TEST_F(SettingDialogTest, TheBitrateChoiceIsWrittenAtOnceAndShownOnReopening) {
  WriteWholeFile(GetRecorderProfilePath(), "[Video]\r\nBaseCX=1920\r\nBaseCY=1080\r\nOutputCY=720\r\n");
  {
    CDlgSetting dlg;
    bool hotkeyPageHidden = false;
    test::RunSettings(dlg, m_main,
                      {[&] {
                         POINT p = test::TabCentre(CDlgSetting::kTabRecordId);
                         test::ClickClient(dlg.GetHWND(), p.x, p.y);
                         return true;
                       },
                       [&] {
                         if (!test::PageVisible(dlg.RecordPage())) return false;
                         hotkeyPageHidden = !test::PageVisible(dlg.HotkeyPage());
                         // Keys while another page shows change no hotkey.
                         test::Chord({VK_CONTROL}, VK_F7);
                         test::ClickClient(dlg.RecordPage()->GetHWND(), 240, 114);
                         return true;
                       },
                       [] { return GetVideoBitrate() == 6000; }});
    EXPECT_TRUE(hotkeyPageHidden);
    EXPECT_EQ(GetHotkeyKey(HotkeySlot::Replay), VK_F10);
    EXPECT_EQ(GetHotkeyCtrl(HotkeySlot::Replay), 0);
    EXPECT_EQ(test::FileBytes(GetRecorderProfilePath()),
              "[Video]\r\nBaseCX=1920\r\nBaseCY=1080\r\nOutputCY=720\r\n[SimpleOutput]\r\nVBitrate=6000\r\n");
  }
  CDlgSetting again;
  std::vector<int> checked;
  test::RunSettings(again, m_main, {[&] {
                      for (int id = CDlgSettingRecord::k540pId; id <= CDlgSettingRecord::kFps60Id; ++id)
                        if (test::IsCheckedIn(again.RecordPage(), id)) checked.push_back(id);
                      return true;
                    }});
  EXPECT_EQ(checked, (std::vector<int>{CDlgSettingRecord::k720pId, CDlgSettingRecord::kBitrate6000Id,
                                       CDlgSettingRecord::kFps60Id}));
}

TEST_F(SettingDialogTest, StoredValuesOutsideTheChoicesShowWithoutAnythingWritten) {
  struct Case {
    const char* what;
    std::string profile;  // empty: no file
    std::vector<int> checked;
  } cases[] = {
      {"25 fps shows 60", "[Video]\r\nOutputCY=1080\r\nFPSCommon=25\r\n[SimpleOutput]\r\nVBitrate=8000\r\n",
       {CDlgSettingRecord::k1080pId, CDlgSettingRecord::kBitrate8000Id, CDlgSettingRecord::kFps60Id}},
      {"30 fps", "[Video]\r\nFPSCommon=30\r\n", {CDlgSettingRecord::kFps30Id}},
      {"sizes set elsewhere", "[Video]\r\nOutputCY=900\r\n[SimpleOutput]\r\nVBitrate=5000\r\n",
       {CDlgSettingRecord::kFps60Id}},
      {"no profile", "", {CDlgSettingRecord::kFps60Id}},
  };
  for (const Case& c : cases) {
    RemoveFile(GetRecorderProfilePath());
    if (!c.profile.empty()) WriteWholeFile(GetRecorderProfilePath(), c.profile);
    CDlgSetting dlg;
    std::vector<int> checked;
    test::RunSettings(dlg, m_main, {[&] {
                        for (int id = CDlgSettingRecord::k540pId; id <= CDlgSettingRecord::kFps60Id; ++id)
                          if (test::IsCheckedIn(dlg.RecordPage(), id)) checked.push_back(id);
                        return true;
                      }});
    EXPECT_EQ(checked, c.checked) << c.what;
    if (c.profile.empty())
      EXPECT_FALSE(FileExists(GetRecorderProfilePath())) << c.what;
    else
      EXPECT_EQ(test::FileBytes(GetRecorderProfilePath()), c.profile) << c.what;
  }
}

TEST_F(SettingDialogTest, TheMicrophoneChoiceRewritesTheScene) {
  WriteWholeFile(GetRecorderScenePath(), "{\"AuxAudioDevice1\": {\"muted\": true, \"volume\": 0.5}}");
  CDlgSetting dlg;
  bool offFirst = false;
  test::RunSettings(dlg, m_main,
                    {[&] {
                       POINT p = test::TabCentre(CDlgSetting::kTabAudioId);
                       test::ClickClient(dlg.GetHWND(), p.x, p.y);
                       return true;
                     },
                     [&] {
                       if (!test::PageVisible(dlg.AudioPage())) return false;
                       offFirst = test::IsCheckedIn(dlg.AudioPage(), CDlgSettingAudio::kMicrophoneOffId) &&
                                  !test::IsCheckedIn(dlg.AudioPage(), CDlgSettingAudio::kMicrophoneOnId);
                       test::ClickClient(dlg.AudioPage()->GetHWND(), 40, 35);
                       return true;
                     },
                     [] { return IsMicrophoneEnabled(); }});
  EXPECT_TRUE(offFirst);
  EXPECT_EQ(test::FileBytes(GetRecorderScenePath()), "{\"AuxAudioDevice1\":{\"muted\":false,\"volume\":0.5}}\n");
}

TEST_F(SettingDialogTest, TheFolderBrowserStartsAtTheCurrentFolderAndStoresTheConfirmedOne) {
  const std::wstring folder = L"C:\\vorlix clips\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  struct Case {
    const char* what;
    std::wstring current;
    WORD key;
    std::wstring stored;
  } cases[] = {
      {"a drive root keeps its colon only", L"C:\\", VK_RETURN, L"C:"},
      {"a folder loses its trailing backslash", folder, VK_RETURN, L"C:\\vorlix clips"},
      {"cancelled", L"C:\\", VK_ESCAPE, L"C:\\"},
  };
  for (const Case& c : cases) {
    SetVideoSavePath(c.current);
    CDlgSetting dlg;
    bool browserSeen = false;
    std::wstring shown;
    test::RunSettings(dlg, m_main,
                      {[&] {
                         dlg.ShowPage(CDlgSetting::kTabRecordId);
                         return test::PageVisible(dlg.RecordPage());
                       },
                       [&] {
                         test::ClickClient(dlg.RecordPage()->GetHWND(), 320, 248);
                         return true;
                       },
                       [&] {
                         HWND browser = test::FindOwnedDialog(dlg.GetHWND());
                         if (browser == nullptr) return false;
                         browserSeen = true;
                         test::Pump(500);  // the selection of the current folder settles
                         test::Key(c.key);
                         return true;
                       },
                       [&] {
                         if (test::FindOwnedDialog(dlg.GetHWND()) != nullptr) return false;
                         test::Pump(100);
                         shown = test::TextOf(dlg.RecordPage(), CDlgSettingRecord::kFolderId);
                         return true;
                       }});
    EXPECT_TRUE(browserSeen) << c.what;
    EXPECT_EQ(GetVideoSavePath(), c.stored) << c.what;
    EXPECT_EQ(shown, c.stored) << c.what;
  }
  RemoveDirectoryW(folder.c_str());
}

TEST_F(SettingDialogTest, AnUnreadableSceneShowsTheMicrophoneOffAndIsLeftAlone) {
  const std::string broken = "{\"AuxAudioDevice1\": {\"muted\": fal";
  WriteWholeFile(GetRecorderScenePath(), broken);
  CDlgSetting dlg;
  bool offFirst = false;
  test::RunSettings(dlg, m_main,
                    {[&] {
                       dlg.ShowPage(CDlgSetting::kTabAudioId);
                       return true;
                     },
                     [&] {
                       if (!test::PageVisible(dlg.AudioPage())) return false;
                       offFirst = test::IsCheckedIn(dlg.AudioPage(), CDlgSettingAudio::kMicrophoneOffId);
                       test::ClickClient(dlg.AudioPage()->GetHWND(), 40, 35);
                       return true;
                     },
                     [&] { return test::IsCheckedIn(dlg.AudioPage(), CDlgSettingAudio::kMicrophoneOnId); }});
  EXPECT_TRUE(offFirst);
  EXPECT_EQ(test::FileBytes(GetRecorderScenePath()), broken);
}

// Pictures of the pages for the documentation: run with VORLIX_SCREENSHOT_DIR set.
TEST_F(SettingDialogTest, Screenshots) {
  const std::wstring dir = test::ScreenshotDir();
  if (dir.empty()) GTEST_SKIP() << "VORLIX_SCREENSHOT_DIR not set";
  WriteWholeFile(GetRecorderProfilePath(), "[Video]\r\nOutputCY=720\r\nFPSCommon=30\r\n[SimpleOutput]\r\nVBitrate=6000\r\n");
  WriteWholeFile(GetRecorderScenePath(), "{\"AuxAudioDevice1\": {\"muted\": false}}");
  SetVideoSavePath(L"D:\\Videos\\Vorlix");
  CDlgSetting dlg;
  std::vector<CModalDriver::Step> steps;
  struct Shot {
    int tab;
    const wchar_t* name;
  };
  static const Shot shots[] = {{CDlgSetting::kTabHotkeyId, L"settings-hotkeys.png"},
                               {CDlgSetting::kTabRecordId, L"settings-record.png"},
                               {CDlgSetting::kTabAudioId, L"settings-audio.png"},
                               {CDlgSetting::kTabUpdateId, L"settings-update.png"}};
  int saved = 0;
  for (const Shot& s : shots) {
    steps.push_back([&dlg, &s] {
      dlg.ShowPage(s.tab);
      return true;
    });
    steps.push_back([&dlg, &s, &saved, dir] {
      SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
      test::Pump(400);
      if (test::SaveScreenOfWindowPng(dlg.GetHWND(), dir + s.name)) ++saved;
      return true;
    });
  }
  test::RunSettings(dlg, m_main, steps);
  EXPECT_EQ(saved, 4);
}

}  // namespace
}  // namespace vorlix
