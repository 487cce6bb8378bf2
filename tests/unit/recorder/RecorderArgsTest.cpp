#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "recorder/RecorderArgs.h"
#include "recorder/RecorderSettings.h"

namespace vorlix::recorder {
namespace {

TEST(RecorderArgs, TheControllersCommandLine) {
  struct Case {
    const wchar_t* line;
    bool start, noShow;
    const wchar_t* folder;
    const wchar_t* name;
    const wchar_t* path;
  } cases[] = {
      {L"--startrecording --start_no_show --file_save \"C:\\Users\\a b\\Videos\" --file_name 12345_original_1700000000",
       true, true, L"C:\\Users\\a b\\Videos", L"12345_original_1700000000",
       L"C:\\Users\\a b\\Videos\\12345_original_1700000000.mp4"},
      // A drive root keeps its closing quote: backslashes are plain characters here.
      {L"--startrecording --start_no_show --file_save \"D:\\\" --file_name _original_5", true, true, L"D:\\",
       L"_original_5", L"D:\\_original_5.mp4"},
      {L"", false, false, L"", L"", L".mp4"},
      {L"  --start_no_show   --future_switch 3 --file_name", false, true, L"", L"", L".mp4"},
      {L"--file_save \"E:\\\u5f55\u50cf\" --file_name n --startrecording", true, false, L"E:\\\u5f55\u50cf", L"n",
       L"E:\\\u5f55\u50cf\\n.mp4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.line));
    RecorderArgs a = ParseRecorderArgs(SplitCommandLine(c.line));
    EXPECT_EQ(a.bStartRecording, c.start);
    EXPECT_EQ(a.bNoShow, c.noShow);
    EXPECT_EQ(a.folder, c.folder);
    EXPECT_EQ(a.name, c.name);
    EXPECT_EQ(RecordingPath(a), c.path);
  }
}

TEST(RecorderArgs, TheProgramFolderIsThreeLevelsAboveTheRecorders) {
  EXPECT_EQ(ProgramDirectoryFrom(L"C:\\Vorlix\\obs\\bin\\32bit\\"), std::wstring(L"C:\\Vorlix") + PathSeparator());
  EXPECT_EQ(ProgramDirectoryFrom(L"/opt/vorlix/obs/bin/32bit/"), std::wstring(L"/opt/vorlix") + PathSeparator());
  EXPECT_EQ(ProgramDirectoryFrom(L"32bit\\"), L"");
}

}  // namespace
}  // namespace vorlix::recorder
