#include <gtest/gtest.h>

#include <string>

#include "base/TextConv.h"
#include "config/Settings.h"
#include "recording/CommandRunner.h"

namespace vorlix {
namespace {

std::string Helper(const std::string& args) {
  return "\"" + WideToAnsi(GetAppDirectory()) + EXEC_HELPER_NAME + "\" " + args;
}

TEST(ExecCmd, ACommandThatWritesNothingGivesEmptyOutputAfterItEnds) {
  EXPECT_EQ(ExecCmd(Helper("0 0")), L"");
}

TEST(ExecCmd, OutputWrittenJustBeforeExitIsKept) {
  EXPECT_EQ(ExecCmd(Helper("0 300 last-words")), L"last-words");
  EXPECT_EQ(ExecCmd(Helper("10 0 bye")), L"xxxxxxxxxxbye");
}

TEST(ExecCmd, MoreOutputThanAPipeHoldsIsCollectedWhole) {
  // Far beyond any pipe buffer: the tool would block for good if the runner stopped draining.
  const long bytes = 1 << 20;
  const std::wstring out = ExecCmd(Helper(std::to_string(bytes) + " 0 END"));
  ASSERT_GE(out.size(), static_cast<size_t>(bytes));
  size_t xs = 0, dashes = 0;
  for (wchar_t c : out) {
    if (c == L'x') ++xs;
    if (c == L'-') ++dashes;
  }
  EXPECT_EQ(xs, static_cast<size_t>(bytes));
  EXPECT_EQ(dashes, static_cast<size_t>(bytes / 4096));  // standard error joins the same result
  EXPECT_EQ(out.substr(out.size() - 3), L"END");
}

}  // namespace
}  // namespace vorlix
