#include <gtest/gtest.h>

#include <string>

#include "recording/RecorderCommandLine.h"

namespace vorlix {
namespace {

TEST(RecorderCommandLine, ParametersForUserAtFixedLaunchTime) {
  const std::wstring name = FormatRecordingName(L"12345", 1700000000);
  EXPECT_EQ(name, L"12345_original_1700000000");
  EXPECT_EQ(BuildRecorderParameters(L"C:\\Users\\me\\Videos", name),
            L"--startrecording --start_no_show --file_save \"C:\\Users\\me\\Videos\" --file_name "
            L"12345_original_1700000000");
}

TEST(RecorderCommandLine, FolderWithBlanksStaysOneQuotedPiece) {
  EXPECT_EQ(BuildRecorderParameters(L"D:\\My Videos\\录像", L"_original_5"),
            L"--startrecording --start_no_show --file_save \"D:\\My Videos\\录像\" --file_name _original_5");
}

TEST(RecorderCommandLine, RecordingNames) {
  struct Case {
    const wchar_t* userId;
    int32_t launch;
    const wchar_t* name;
  } cases[] = {
      {L"", 1700000000, L"_original_1700000000"},
      {L"a/b\\c:d", 7, L"a_b_c_d_original_7"},
      {L"x\"y<z>|?*", 8, L"x_y_z_____original_8"},
      {L"tab\there\r\n", 9, L"tab_here___original_9"},
      {L"用户 42.", 10, L"用户 42._original_10"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatRecordingName(c.userId, c.launch), c.name) << c.launch;
}

TEST(RecorderCommandLine, RestartPeriodTakesOnlyAPlausibleTestValue) {
  struct Case {
    const char* value;
    uint32_t period;
  } cases[] = {
      {nullptr, 3600000}, {"", 3600000},      {"4000", 4000},  {"100", 100},       {"99", 3600000},
      {"-5", 3600000},    {"4000ms", 3600000}, {" 40", 3600000}, {"3600001", 3600000}, {"99999999999999999999", 3600000},
  };
  for (const Case& c : cases) EXPECT_EQ(RestartPeriodMs(c.value), c.period) << (c.value ? c.value : "(unset)");
}

}  // namespace
}  // namespace vorlix
