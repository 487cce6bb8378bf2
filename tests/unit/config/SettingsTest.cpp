#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"

namespace vorlix {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveFile(ConfigFile());
  }
  void TearDown() override { RemoveFile(ConfigFile()); }
  static std::wstring ConfigFile() { return GetAppDirectory() + L"Config" + PathSeparator() + L"Config.ini"; }
  static std::string FileBytes() {
    std::string s;
    ReadWholeFile(ConfigFile(), s);
    return s;
  }
};

TEST_F(SettingsTest, AppDirectoryIsTheExecutablesFolderWithItsSeparator) {
  const std::wstring& dir = GetAppDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), PathSeparator());
  EXPECT_EQ(GetModulePath().rfind(dir, 0), 0u);
  EXPECT_EQ(GetModulePath().find(PathSeparator(), dir.size()), std::wstring::npos);
}

TEST_F(SettingsTest, AbsentFileGivesEveryDefaultAndIsNotCreatedByReading) {
  EXPECT_EQ(GetMinimizeOnClose(), 1);
  EXPECT_EQ(GetConfirmQuit(), 1);
  EXPECT_EQ(GetGameTitle(), L"");
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), 122);
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::Replay), 121);
  for (HotkeySlot s : {HotkeySlot::StartStop, HotkeySlot::Replay}) {
    EXPECT_EQ(GetHotkeyShift(s), 1);
    EXPECT_EQ(GetHotkeyCtrl(s), 0);
    EXPECT_EQ(GetHotkeyAlt(s), 0);
  }
  EXPECT_EQ(GetUserToken(), L"");
  EXPECT_EQ(GetUserSecret(), L"");
  EXPECT_EQ(GetUserId(), L"");
  EXPECT_EQ(GetUserName(), L"");
  EXPECT_EQ(GetLoginTime(), 0);
  EXPECT_EQ(GetVideoSavePath(), QueryVideosFolder());
  EXPECT_TRUE(DirectoryExists(GetAppDirectory() + L"Config"));
  EXPECT_FALSE(FileExists(ConfigFile()));
}

TEST_F(SettingsTest, EmptyFileAlsoGivesDefaults) {
  WriteWholeFile(ConfigFile(), "");
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), 122);
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::Replay), 121);
  EXPECT_EQ(GetHotkeyShift(HotkeySlot::Replay), 1);
}

TEST_F(SettingsTest, FirstSetterCreatesOneSectionWithOneKey) {
  SetConfirmQuit(false);
  EXPECT_EQ(FileBytes(), "[Misc]\r\nConfirmQuit=0\r\n");
  EXPECT_EQ(GetConfirmQuit(), 0);
}

TEST_F(SettingsTest, EveryKeyRoundTripsToItsSectionAndName) {
  SetMinimizeOnClose(false);
  SetConfirmQuit(true);
  SetVideoSavePath(L"D:\\Clips");
  SetGameTitle(L"");
  SetHotkeyCtrl(HotkeySlot::StartStop, true);
  SetHotkeyShift(HotkeySlot::Replay, false);
  SetHotkeyAlt(HotkeySlot::Replay, true);
  SetHotkeyKey(HotkeySlot::Replay, 120);
  SetUserToken(L"tok");
  SetUserSecret(L"sec");
  SetLoginTime(1000000000);
  SetUserId(L"42");
  SetUserName(L"Player One");
  EXPECT_EQ(FileBytes(),
            "[Misc]\r\nMinimizeOnClose=0\r\nConfirmQuit=1\r\n"
            "[SimpleOutput]\r\nFilePath=D:\\Clips\r\nGameTitle=\r\n"
            "[HotKeyRecord]\r\nCtrl=1\r\n"
            "[HotKeyBack]\r\nShift=0\r\nAlt=1\r\nHotKey=120\r\n"
            "[User]\r\nToken=tok\r\nSecret=sec\r\nDate=1000000000\r\nUserId=42\r\nUserName=Player One\r\n");
  EXPECT_EQ(GetMinimizeOnClose(), 0);
  EXPECT_EQ(GetVideoSavePath(), L"D:\\Clips");
  EXPECT_EQ(GetGameTitle(), L"") << "an empty stored value is not replaced by the default";
  EXPECT_EQ(GetHotkeyCtrl(HotkeySlot::StartStop), 1);
  EXPECT_EQ(GetHotkeyCtrl(HotkeySlot::Replay), 0);
  EXPECT_EQ(GetHotkeyShift(HotkeySlot::Replay), 0);
  EXPECT_EQ(GetHotkeyAlt(HotkeySlot::Replay), 1);
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::Replay), 120);
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), 122);
  EXPECT_EQ(GetLoginTime(), 1000000000);
  EXPECT_EQ(GetUserName(), L"Player One");
}

TEST_F(SettingsTest, NonAsciiValuesRoundTripThroughTheNarrowCodePage) {
  const std::wstring nick = Utf8ToWide("\xE7\x8E\xA9\xE5\xAE\xB6");  // 玩家
  SetUserName(nick);
  if (WideToAnsi(nick).find('?') == std::string::npos) {
    EXPECT_EQ(GetUserName(), nick);
  } else {
    GTEST_SKIP() << "the system code page cannot hold Chinese text";
  }
}

TEST_F(SettingsTest, StringsAreReadThroughA260CharacterBuffer) {
  SetUserToken(std::wstring(300, L'k'));
  EXPECT_EQ(GetUserToken(), std::wstring(259, L'k'));
}

TEST_F(SettingsTest, ANicknameWithLineBreaksLeavesTheSessionIntact) {
  SetUserToken(L"tok");
  SetUserName(L"evil\r\n[User]\r\nToken=forged\nSecret=forged");
  EXPECT_EQ(GetUserToken(), L"tok");
  EXPECT_EQ(GetUserSecret(), L"");
  EXPECT_EQ(GetUserName().find_first_of(L"\r\n"), std::wstring::npos);
}

TEST_F(SettingsTest, TwoThreadsWritingDifferentKeysKeepBoth) {
  std::thread a([] {
    for (int i = 0; i < 50; ++i) SetHotkeyKey(HotkeySlot::StartStop, 100 + i);
  });
  std::thread b([] {
    for (int i = 0; i < 50; ++i) SetLoginTime(5000 + i);
  });
  a.join();
  b.join();
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), 149);
  EXPECT_EQ(GetLoginTime(), 5049);
}

TEST(SessionRule, ExpiresThirtyDaysAfterLogin) {
  EXPECT_TRUE(IsSessionExpired(1000000000, 1002592000));
  EXPECT_FALSE(IsSessionExpired(1000000000, 1002591999));
  EXPECT_FALSE(IsSessionExpired(0x7FFFFFF0, 0x7FFFFFFF)) << "no overflow near the end of 32-bit time";
}

}  // namespace
}  // namespace vorlix
