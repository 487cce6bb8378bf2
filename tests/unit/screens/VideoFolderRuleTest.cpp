#include <gtest/gtest.h>

#include <string>

#include "screens/settings/VideoFolderRule.h"

namespace vorlix {
namespace {

bool AlwaysStorable(const std::wstring&) { return true; }

TEST(VideoFolderRule, TrailingBackslashesGoAndADriveRootKeepsItsColon) {
  struct Case {
    const wchar_t* chosen;
    const wchar_t* stored;
  } cases[] = {
      {L"D:\\", L"D:"},
      {L"D:\\\\\\", L"D:"},
      {L"C:\\Users\\me\\Videos", L"C:\\Users\\me\\Videos"},
      {L"C:\\Users\\me\\Videos\\", L"C:\\Users\\me\\Videos"},
      {L"\\\\server\\share\\", L"\\\\server\\share"},
      {L"E:\\录像\\", L"E:\\录像"},
  };
  for (const Case& c : cases) {
    std::wstring stored = L"untouched";
    ASSERT_TRUE(FolderPathToStore(c.chosen, stored, AlwaysStorable)) << c.chosen;
    EXPECT_EQ(stored, c.stored);
  }
}

TEST(VideoFolderRule, NothingIsStoredForAPathThatWouldNotSurvive) {
  const std::wstring tooLong = L"C:\\" + std::wstring(300, L'a');
  for (const std::wstring& chosen : {std::wstring(), std::wstring(L"\\"), std::wstring(L"\\\\\\"), tooLong}) {
    std::wstring stored = L"kept";
    EXPECT_FALSE(FolderPathToStore(chosen, stored, AlwaysStorable)) << chosen.size();
    EXPECT_EQ(stored, L"kept");
  }
  // The settings file's code page decides; the check sees the path without its trailing separator.
  std::wstring seen;
  std::wstring stored = L"kept";
  EXPECT_FALSE(FolderPathToStore(L"F:\\clips\\", stored, [&seen](const std::wstring& p) {
    seen = p;
    return false;
  }));
  EXPECT_EQ(seen, L"F:\\clips");
  EXPECT_EQ(stored, L"kept");
}

TEST(VideoFolderRule, PlainAsciiPathsSurviveTheNarrowCodePage) {
  EXPECT_TRUE(PathSurvivesNarrowCodePage(L"D:\\Videos"));
  std::wstring stored;
  EXPECT_TRUE(FolderPathToStore(L"D:\\Videos\\", stored));
  EXPECT_EQ(stored, L"D:\\Videos");
}

}  // namespace
}  // namespace vorlix
