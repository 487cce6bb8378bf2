#include <gtest/gtest.h>

#include "net/download/ProgressText.h"

namespace plHttp {
namespace {

TEST(ProgressText, SpeedUnitsSwitchAboveEachPowerOf1024) {
  const std::pair<double, const char*> cases[] = {
      {0, "0.00 B/s"},           {1023, "1023.00 B/s"},     {1024, "1024.00 B/s"},      {1536, "1.50 KB/s"},
      {1048576, "1024.00 KB/s"}, {1572864, "1.50 MB/s"},    {1073741824, "1024.00 MB/s"}, {2147483648.0, "2.00 G/s"},
  };
  for (const auto& [speed, text] : cases) EXPECT_EQ(FormatSpeedText(speed), text) << speed;
}

struct TextCase {
  double speed, total, done, offset;
  const char* percent;
  const char* remaining;
};

TEST(ProgressText, PercentCountsHeldBytesAndRemainingTimeCountsTheBody) {
  const TextCase cases[] = {
      {1000, 10000, 5000, 0, "50", "00:00:05"},
      {1000, 10000, 5000, 10000, "75", "00:00:05"},    // resumed: half of the second half is 3/4 of the file
      {1, 3725, 0, 0, "0", "01:02:05"},
      {100, 1000, 1000, 0, "100", "00:00:00"},
      {3, 10, 1, 0, "10", "00:00:03"},                 // 3 s remain: parts of a second are dropped
      {0, 1000, 10, 0, "", ""},                        // no speed yet: no estimate
  };
  for (const auto& c : cases) {
    ProgressTexts t = MakeProgressTexts(c.speed, c.total, c.done, c.offset);
    EXPECT_EQ(t.percent, c.percent) << c.total << " " << c.done;
    EXPECT_EQ(t.remaining, c.remaining) << c.total << " " << c.done;
  }
}

}  // namespace
}  // namespace plHttp
