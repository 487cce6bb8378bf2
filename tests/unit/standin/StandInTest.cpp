#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standin/StandInOptions.h"
#include "standin/Timecode.h"

namespace vorlix::standin {
namespace {

TEST(StandInOptions, AcceptsEverySwitchAndNamesTheFaultyOne) {
  struct Case {
    std::vector<std::wstring> args;
    bool ok;
    const wchar_t* errorPart;  // in the message when !ok
  } cases[] = {
      {{L"--title", L"Game 游戏", L"--size", L"800x450", L"--pos", L"-300,40", L"--fps", L"30", L"--close-after",
        L"1500", L"--reopen-after", L"700", L"--exit-after", L"9000", L"--start-file", L"C:\\t\\start.txt",
        L"--hotkey-log", L"C:\\t\\keys.txt", L"--tone", L"1000"},
       true, L""},
      {{L"--size", L"800"}, false, L"--size"},
      {{L"--size", L"10x10"}, false, L"--size"},
      {{L"--size", L"-640x360"}, false, L"--size"},
      {{L"--fps", L"0"}, false, L"--fps"},
      {{L"--fps", L"30fps"}, false, L"--fps"},
      {{L"--close-after", L"-1"}, false, L"--close-after"},
      {{L"--exit-after", L"99999999999"}, false, L"--exit-after"},
      {{L"--title"}, false, L"needs a value"},
      {{L"--title", L""}, false, L"--title"},
      {{L"--hotkey-log", L""}, false, L"--hotkey-log"},
      {{L"--tone", L"10"}, false, L"--tone"},
      {{L"--tone", L"30000"}, false, L"--tone"},
      {{L"--reopen-after", L"500"}, false, L"needs --close-after"},
      {{L"--colour", L"red"}, false, L"--colour"},
      {{L"stray"}, false, L"stray"},
  };
  for (const Case& c : cases) {
    std::wstring joined;
    for (const std::wstring& a : c.args) joined += a + L" ";
    SCOPED_TRACE(std::string(joined.begin(), joined.end()));
    StandInOptions o;
    std::wstring error;
    ASSERT_EQ(ParseStandInOptions(c.args, &o, &error), c.ok) << std::string(error.begin(), error.end());
    if (!c.ok) {
      EXPECT_NE(error.find(c.errorPart), std::wstring::npos) << std::string(error.begin(), error.end());
    }
  }

  StandInOptions o;
  std::wstring error;
  ASSERT_TRUE(ParseStandInOptions(cases[0].args, &o, &error));
  EXPECT_EQ(o.title, L"Game 游戏");
  EXPECT_EQ(o.width, 800);
  EXPECT_EQ(o.height, 450);
  EXPECT_EQ(o.x, -300);
  EXPECT_EQ(o.y, 40);
  EXPECT_EQ(o.fps, 30);
  EXPECT_EQ(o.closeAfterMs, 1500);
  EXPECT_EQ(o.reopenAfterMs, 700);
  EXPECT_EQ(o.exitAfterMs, 9000);
  EXPECT_EQ(o.startFile, L"C:\\t\\start.txt");
  EXPECT_EQ(o.hotkeyLog, L"C:\\t\\keys.txt");
  EXPECT_EQ(o.toneHz, 1000);

  ASSERT_TRUE(ParseStandInOptions({}, &o, &error));
  EXPECT_EQ(o.title, L"Vorlix Stand-in Game");
  EXPECT_EQ(o.hotkeyLog, L"");
  EXPECT_EQ(o.toneHz, 0);
  EXPECT_EQ(o.closeAfterMs, -1);
  EXPECT_EQ(o.reopenAfterMs, -1);
}

TEST(Timecode, CellsTileOneBandWithoutGapsAtEverySize) {
  for (auto [w, h] : {std::pair{640, 360}, std::pair{64, 64}, std::pair{1921, 1079}, std::pair{333, 187}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    for (int i = 0; i < kTimecodeBits; ++i) {
      const CellRect c = TimecodeCell(i, w, h);
      EXPECT_LT(c.left, c.right);
      EXPECT_LT(c.top, c.bottom);
      EXPECT_GE(c.left, w / 40);
      EXPECT_LE(c.right, w - w / 40);
      EXPECT_LE(c.bottom, h / 2);
      if (i % kTimecodeColumns) {
        EXPECT_EQ(c.left, TimecodeCell(i - 1, w, h).right);
      }
      if (i >= kTimecodeColumns) {
        EXPECT_EQ(c.top, TimecodeCell(i - kTimecodeColumns, w, h).bottom);
      }
    }
  }
}

TEST(Timecode, TheCheckByteRefusesUniformRowsAndSingleFlippedCells) {
  // A black or white area where the code should be (a closed window, a blank frame) never reads as a time.
  auto passes = [](const std::array<bool, kTimecodeBits>& cells) {
    uint32_t word = 0;
    for (bool b : cells) word = word << 1 | (b ? 1u : 0u);
    return TimecodeCheck(word >> 8) == (word & 0xFF);
  };
  std::array<bool, kTimecodeBits> uniform{};
  EXPECT_FALSE(passes(uniform));
  uniform.fill(true);
  EXPECT_FALSE(passes(uniform));
  for (uint32_t ms : {0u, 1u, 999u, 61000u, 3600000u, kTimecodeMaxMs}) {
    auto cells = EncodeTimecode(ms);
    EXPECT_TRUE(passes(cells)) << ms;
    for (int i = 0; i < kTimecodeBits; ++i) {
      auto flipped = cells;
      flipped[i] = !flipped[i];
      EXPECT_FALSE(passes(flipped)) << ms << " bit " << i;
    }
  }
  EXPECT_EQ(EncodeTimecode(kTimecodeMaxMs + 1), EncodeTimecode(0)) << "the counter wraps";
}

}  // namespace
}  // namespace vorlix::standin
