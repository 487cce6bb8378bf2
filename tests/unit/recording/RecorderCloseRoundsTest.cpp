#include <gtest/gtest.h>

#include "recording/RecorderCloseRounds.h"
#include "unit/recording/FakeClock.h"

namespace vorlix {
namespace {

using test::CFakeClock;

// A recorder that leaves a given time after its close request (or never), and after termination at once
// (unless termination is refused).
class CFakeRecorder : public IRecorderProcess {
 public:
  CFakeRecorder(CFakeClock& clock, bool running, int64_t closesAfterMs, bool killable)
      : m_clock(clock), m_running(running), m_closesAfterMs(closesAfterMs), m_killable(killable) {}
  bool IsGone() override { return !m_running || (m_goneAtMs >= 0 && m_clock.NowMs() >= m_goneAtMs); }
  void RequestClose() override {
    ++closeRequests;
    closeTimes.push_back(m_clock.NowMs());
    if (m_closesAfterMs >= 0 && m_goneAtMs < 0) m_goneAtMs = m_clock.NowMs() + m_closesAfterMs;
  }
  bool WaitGone(uint32_t ms, ISessionClock&) override {
    const int64_t until = m_clock.NowMs() + ms;
    if (m_goneAtMs >= 0 && m_goneAtMs <= until) {
      if (m_goneAtMs > m_clock.NowMs()) m_clock.Set(m_goneAtMs);
      return true;
    }
    m_clock.Set(until);
    return false;
  }
  void Terminate() override {
    ++terminations;
    terminatedAtMs = m_clock.NowMs();
    if (m_killable && (m_goneAtMs < 0 || m_goneAtMs > m_clock.NowMs())) m_goneAtMs = m_clock.NowMs();
  }
  int closeRequests = 0;
  int terminations = 0;
  int64_t terminatedAtMs = -1;
  std::vector<int64_t> closeTimes;

 private:
  CFakeClock& m_clock;
  bool m_running;
  int64_t m_closesAfterMs;
  bool m_killable;
  int64_t m_goneAtMs = -1;
};

TEST(RecorderCloseRounds, EndsEachKindOfRecorder) {
  struct Case {
    const char* what;
    bool running;
    int64_t closesAfterMs;  // -1: ignores the close request
    bool killable;
    int rounds;
    bool terminated;
    bool gone;
    int64_t elapsedMs;
  } cases[] = {
      {"none running: returns at once", false, -1, true, 0, false, true, 0},
      {"obeys at once", true, 200, true, 1, false, true, 200},
      {"obeys slowly, within the third round", true, 2500, true, 3, false, true, 2500},
      {"obeys in the sixth second: not killed", true, 5500, true, 6, false, true, 5500},
      {"ignores the request: killed after the sixth wait", true, -1, true, 7, true, true, 6000},
      {"cannot be killed: gives up", true, -1, false, kMaxCloseRounds, true, false, kMaxCloseRounds * 1000},
  };
  for (const Case& c : cases) {
    CFakeClock clock(1000000);
    CFakeRecorder recorder(clock, c.running, c.closesAfterMs, c.killable);
    CloseOutcome out = RunCloseRounds(recorder, clock);
    EXPECT_EQ(out.rounds, c.rounds) << c.what;
    EXPECT_EQ(out.bTerminated, c.terminated) << c.what;
    EXPECT_EQ(out.bGone, c.gone) << c.what;
    EXPECT_EQ(clock.NowMs() - 1000000, c.elapsedMs) << c.what;
    EXPECT_EQ(recorder.closeRequests, c.rounds) << c.what << ": one close request a round";
  }
}

TEST(RecorderCloseRounds, TerminationComesOnlyAfterSixSecondsOfCloseRequests) {
  CFakeClock clock(0);
  CFakeRecorder recorder(clock, true, -1, true);
  RunCloseRounds(recorder, clock);
  EXPECT_EQ(recorder.terminations, 1);
  EXPECT_EQ(recorder.terminatedAtMs, 6000);
  ASSERT_GE(recorder.closeTimes.size(), 6u);
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(recorder.closeTimes[i], static_cast<int64_t>(i) * 1000);
  for (int r = 0; r <= 4; ++r) EXPECT_FALSE(TerminatesInRound(r)) << r;
  EXPECT_TRUE(TerminatesInRound(5));
}

}  // namespace
}  // namespace vorlix
