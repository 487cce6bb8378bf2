#include <gtest/gtest.h>

#include "recorder/AudioPacer.h"

namespace vorlix::recorder {
namespace {

TEST(AudioPacer, FillsOnlyRealGapsAndNeverPastNow) {
  const CAudioPacer pacer(48000, 4800);  // 100 ms of ordinary delay
  struct Case {
    const char* what;
    int64_t elapsedUs, written, silence;
  } cases[] = {
      {"nothing due yet", 0, 0, 0},
      {"on time", 1000000, 48000, 0},
      {"an ordinary late burst", 1090000, 48000, 0},
      // Nothing played for a while: filled up to 20 ms short of now (1.5 s - 20 ms = 71040 frames).
      {"a gap", 1500000, 48000, 71040 - 48000},
      {"no packets at all since the start", 3000000, 0, 143040},
      {"ahead of the clock", 1000000, 60000, 0},
      {"just past the tolerance", 1100021, 48000, 3841},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(pacer.SilenceDue(c.elapsedUs, c.written), c.silence);
  }
}

TEST(AudioPacer, SilenceAndPacketsTogetherStayOnTheClock) {
  // A source that delivers 10 ms packets only in the odd seconds of a minute (loopback while a game's
  // sound comes and goes): what is written keeps within the tolerance of the wall clock throughout.
  const int rate = 48000;
  const CAudioPacer pacer(rate, rate / 10);
  int64_t written = 0;
  for (int64_t us = 0; us <= 60000000; us += 10000) {
    if ((us / 1000000) % 2) written += rate / 100;
    written += pacer.SilenceDue(us, written);
    const int64_t due = us * rate / 1000000;
    ASSERT_LE(due - written, rate / 10 + rate / 100) << us;
    ASSERT_LE(written - due, rate / 10) << us;
  }
}

}  // namespace
}  // namespace vorlix::recorder
