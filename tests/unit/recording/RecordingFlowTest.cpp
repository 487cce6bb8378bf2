#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "recording/RecordingFlow.h"
#include "shell/Log.h"
#include "unit/recording/FakeClock.h"

namespace vorlix {
namespace {

using test::CFakeClock;

constexpr int64_t kT0 = 1700000000000;  // 2023-11-14 22:13:20 UTC
constexpr int64_t kCueMs = 800;
constexpr int64_t kCloseMs = 1000;  // an obeying recorder ends within the first round

// Records every platform step as one line and lets time pass as the real steps would.
class CFakePlatform : public IRecordingPlatform {
 public:
  explicit CFakePlatform(CFakeClock& clock) : m_clock(clock) {}
  std::wstring UserId() override { return userId; }
  std::wstring VideoFolder() override { return L"C:\\Videos"; }
  std::wstring RecorderPath() override { return L"C:\\Vorlix\\obs/bin/32bit/obs32.exe"; }
  RecorderProblem CheckRecorder() override { return check; }
  void PrepareProfile() override { steps.push_back("profile"); }
  void FillGameTitle() override { steps.push_back("game title"); }
  RecorderProblem LaunchRecorder(const std::wstring& parameters, const std::wstring&) override {
    steps.push_back("launch " + WideToUtf8(parameters));
    if (launch == RecorderProblem::None) running = true;
    endedAtMs = 0;
    return launch;
  }
  void StopRecorder() override {
    steps.push_back("stop recorder");
    if (running) m_clock.Advance(kCloseMs);
    running = false;
  }
  int64_t RecorderEndedAtMs() override { return endedAtMs; }
  void PlayCue(RecordCue cue) override {
    steps.push_back("cue " + WideToUtf8(CueFile(cue)));
    m_clock.Advance(kCueMs);
  }
  void SetRestartTimer(uint32_t periodMs) override {
    steps.push_back("set timer " + std::to_string(periodMs));
    timerMs = periodMs;
  }
  void KillRestartTimer() override {
    steps.push_back("kill timer");
    timerMs = 0;
  }
  void Report(const char* eventName) override { steps.push_back(std::string("report ") + eventName); }

  std::vector<std::string> Take() { return std::exchange(steps, {}); }

  std::wstring userId = L"12345";
  RecorderProblem check = RecorderProblem::None;
  RecorderProblem launch = RecorderProblem::None;
  bool running = false;
  int64_t endedAtMs = 0;  // set by a test: the recorder died at that moment
  uint32_t timerMs = 0;
  std::vector<std::string> steps;

 private:
  CFakeClock& m_clock;
};

std::string Launch(int64_t ms) {
  return "launch --startrecording --start_no_show --file_save \"C:\\Videos\" --file_name 12345_original_" +
         std::to_string(ms / 1000);
}

class RecordingFlowTest : public ::testing::Test {
 protected:
  CFakeClock m_clock{kT0};
  CFakePlatform m_platform{m_clock};
  CRecordingFlow m_flow{m_platform, m_clock, 3600000};

  // What the timer does when it fires: the hour since the last launch has passed.
  void HourlyRestart() {
    m_clock.Set(m_flow.Session().Segments().back().startMs + 3600000);
    EXPECT_TRUE(m_flow.RestartObs());
  }
};

TEST_F(RecordingFlowTest, StartPlaysTheCueLaunchesArmsTheHourAndReports) {
  std::wstring message = L"untouched";
  ASSERT_TRUE(m_flow.StartRecord(&message));
  EXPECT_EQ(message, L"untouched");
  EXPECT_EQ(m_platform.Take(), (std::vector<std::string>{"kill timer", "cue audio/record_start.wav", "stop recorder",
                                                         "profile", "game title", Launch(kT0 + kCueMs),
                                                         "set timer 3600000", "report startRec"}));
  ASSERT_EQ(m_flow.Session().Segments().size(), 1u);
  EXPECT_EQ(m_flow.Session().StartCount(), 1);
  EXPECT_EQ(m_flow.Session().Segments()[0].name, L"12345_original_1700000000");
  EXPECT_EQ(m_flow.Session().RecordStartTime(), 1700000000);
}

TEST_F(RecordingFlowTest, TwoAndAHalfHoursMakeThreeSegmentsStampedAtEachRestartWithoutSound) {
  m_platform.userId = L"12345";
  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  const int64_t launch0 = kT0 + kCueMs;
  m_platform.Take();

  HourlyRestart();
  const int64_t restart1 = launch0 + 3600000;
  HourlyRestart();
  const int64_t restart2 = restart1 + kCloseMs + 3600000;
  const std::vector<std::string> restartSteps = m_platform.Take();
  for (const std::string& s : restartSteps) EXPECT_EQ(s.find("cue"), std::string::npos) << "no sound: " << s;
  EXPECT_EQ(restartSteps, (std::vector<std::string>{"stop recorder", "profile", "game title",
                                                   Launch(restart1 + kCloseMs), "stop recorder", "profile",
                                                   "game title", Launch(restart2 + kCloseMs)}));

  m_clock.Set(kT0 + 9000000);  // 2 h 30 min after the start
  SessionData handed;
  m_flow.StopRecord(true, &handed);
  const int64_t stop = kT0 + 9000000 + kCueMs;
  EXPECT_EQ(m_platform.Take(), (std::vector<std::string>{"kill timer", "cue audio/record_stop.wav", "stop recorder"}));

  ASSERT_EQ(handed.segments.size(), 3u);
  const int64_t starts[] = {launch0, restart1 + kCloseMs, restart2 + kCloseMs};
  const int64_t stops[] = {restart1, restart2, stop};
  for (size_t i = 0; i < 3; ++i) {
    const RecordSegment& s = handed.segments[i];
    EXPECT_EQ(s.startMs, starts[i]) << i;
    EXPECT_EQ(s.stopMs, stops[i]) << i;
    EXPECT_EQ(s.nStartTime, static_cast<int32_t>(starts[i] / 1000)) << i;
    EXPECT_EQ(s.nStopTime, static_cast<int32_t>(stops[i] / 1000)) << i;
    EXPECT_EQ(s.name, L"12345_original_" + std::to_wstring(starts[i] / 1000)) << i;
  }
  EXPECT_EQ(handed.videoFolder, L"C:\\Videos");
  EXPECT_EQ(handed.userId, L"12345");
  EXPECT_TRUE(m_flow.Session().Segments().empty()) << "the worker owns the segments now";
}

TEST_F(RecordingFlowTest, StopWithoutClipsStampsNothingAndHandsNothingOver) {
  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  m_clock.Advance(5000);
  m_flow.StopRecord(false, nullptr);
  SessionData untouched;
  untouched.userId = L"marker";
  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  m_clock.Advance(5000);
  m_platform.Take();
  m_flow.StopRecord(false, &untouched);
  EXPECT_EQ(m_platform.Take(), (std::vector<std::string>{"kill timer", "cue audio/record_stop.wav", "stop recorder"}));
  EXPECT_EQ(untouched.userId, L"marker");
  EXPECT_TRUE(untouched.segments.empty());
  ASSERT_EQ(m_flow.Session().Segments().size(), 1u);
  EXPECT_EQ(m_flow.Session().Segments()[0].nStopTime, 0);
  EXPECT_EQ(m_flow.Session().Segments()[0].stopMs, 0);
}

TEST_F(RecordingFlowTest, MomentsOfASessionEndedWithoutClipsReachTheNextSessionsWorker) {
  m_flow.ThirtySecond(false);
  EXPECT_TRUE(m_flow.Session().MomentsMs().empty()) << "no mark while not recording";
  EXPECT_EQ(m_platform.Take(), std::vector<std::string>{});

  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  m_clock.Advance(30000);
  const int64_t first = m_clock.NowMs();
  m_platform.Take();
  m_flow.ThirtySecond(true);
  EXPECT_EQ(m_platform.Take(), (std::vector<std::string>{"cue audio/record_creating.wav", "report reRec"}));
  m_flow.StopRecord(false, nullptr);  // logout

  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  EXPECT_EQ(m_flow.Session().MomentsMs(), std::vector<int64_t>{first}) << "a new session keeps the moments";
  m_clock.Advance(61234);
  const int64_t second = m_clock.NowMs();
  m_flow.ThirtySecond(true);
  SessionData handed;
  m_flow.StopRecord(true, &handed);
  EXPECT_EQ(handed.momentsMs, (std::vector<int64_t>{first, second})) << "milliseconds, in the order marked";
  ASSERT_EQ(handed.segments.size(), 1u);
  EXPECT_TRUE(m_flow.Session().MomentsMs().empty());
}

TEST_F(RecordingFlowTest, ARecorderThatCannotStartIsNoRecording) {
  struct Case {
    RecorderProblem check, launch;
    bool cuePlayed;
  } cases[] = {
      {RecorderProblem::MissingRecorder, RecorderProblem::None, false},
      {RecorderProblem::NoVideoFolder, RecorderProblem::None, false},
      {RecorderProblem::FolderNotWritable, RecorderProblem::None, false},
      {RecorderProblem::None, RecorderProblem::LaunchFailed, true},
      {RecorderProblem::None, RecorderProblem::ExitedAtOnce, true},
  };
  for (const Case& c : cases) {
    CFakeClock clock(kT0);
    CFakePlatform platform(clock);
    platform.check = c.check;
    platform.launch = c.launch;
    platform.running = true;  // a recorder left over from an earlier run
    CRecordingFlow flow(platform, clock, 3600000);
    std::wstring message;
    const RecorderProblem expected = c.check != RecorderProblem::None ? c.check : c.launch;
    EXPECT_FALSE(flow.StartRecord(&message)) << LogTextFor(expected);
    EXPECT_EQ(message, UserMessageFor(expected));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(flow.LastProblem(), expected);
    EXPECT_TRUE(flow.Session().Segments().empty()) << "no file is expected from a run that never started";
    EXPECT_EQ(flow.Session().StartCount(), 0);
    EXPECT_EQ(platform.timerMs, 0u) << "no restart is armed";
    EXPECT_FALSE(platform.running) << "nothing records, not even the leftover";
    bool cue = false, report = false;
    for (const std::string& s : platform.steps) {
      cue |= s.find("cue") == 0;
      report |= s == "report startRec";
    }
    EXPECT_EQ(cue, c.cuePlayed) << LogTextFor(expected);
    EXPECT_FALSE(report) << LogTextFor(expected);
  }
}

TEST_F(RecordingFlowTest, AFailedHourlyRestartKeepsTheEarlierSegmentsAndTheNextRestartRecovers) {
  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  const int64_t restart1 = m_flow.Session().Segments()[0].startMs + 3600000;
  m_platform.launch = RecorderProblem::ExitedAtOnce;
  m_clock.Set(restart1);
  EXPECT_FALSE(m_flow.RestartObs());
  ASSERT_EQ(m_flow.Session().Segments().size(), 1u);
  EXPECT_EQ(m_flow.Session().Segments()[0].stopMs, restart1);

  m_platform.launch = RecorderProblem::None;
  m_clock.Set(restart1 + 3600000);
  EXPECT_TRUE(m_flow.RestartObs());
  ASSERT_EQ(m_flow.Session().Segments().size(), 2u);
  EXPECT_EQ(m_flow.Session().StartCount(), 2);
  EXPECT_EQ(m_flow.Session().Segments()[0].stopMs, restart1) << "its recorder stopped at the first restart";
  EXPECT_EQ(m_flow.Session().Segments()[1].startMs, restart1 + 3600000);
}

TEST_F(RecordingFlowTest, UnsafeUserIdStillNamesFilesInTheVideoFolder) {
  m_platform.userId = L"..\\..\\evil:1";
  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  EXPECT_EQ(m_flow.Session().Segments()[0].name, L".._.._evil_1_original_1700000000");
  SessionData handed;
  m_flow.StopRecord(true, &handed);
  EXPECT_EQ(handed.userId, L".._.._evil_1") << "the clips are named after it too";
}

TEST_F(RecordingFlowTest, LogLinesOfASession) {
  const std::string path = WideToAnsi(GetAppDirectory()) + "recording_flow_test.log";
  RemoveFile(AnsiToWide(path));
  ConfigureLog(2, LOG_FILE, path);
  ASSERT_TRUE(m_flow.StartRecord(nullptr));
  m_flow.ThirtySecond(true);
  m_clock.Set(kT0 + 10000);
  m_flow.StopRecord(false, nullptr);
  ConfigureLog(4, LOG_TIME | LOG_FILE, "");
  std::string text;
  ReadWholeFile(AnsiToWide(path), text);
  RemoveFile(AnsiToWide(path));
  for (size_t cr; (cr = text.find("\r\n")) != std::string::npos;) text.erase(cr, 1);  // text mode on Windows
  const char* expected[] = {
      "StartRecord\n",
      "RestartObs\n",
      "TerminateObsProcess stopTime:1700000000\n",
      "StartObs\n",
      "start obs exe path: C:\\Vorlix\\obs/bin/32bit/obs32.exe cmd:--startrecording --start_no_show --file_save "
      "\"C:\\Videos\" --file_name 12345_original_1700000000\n",
      "ThirtySecond Begin m_bRecording:true\n",
      "StopRecord bUpload:false\n",
      "TerminateObsProcess stopTime:1700000010\n",
  };
  size_t at = 0;
  for (const char* line : expected) {
    size_t found = text.find(line, at);
    EXPECT_NE(found, std::string::npos) << "missing or out of order: " << line << "\nin:\n" << text;
    if (found != std::string::npos) at = found + 1;
  }
}

// A recorder that died mid-run wrote nothing after its death: its run is stamped as ended then, not when
// the user stopped or the hour came round, so the moments map onto the file as it was recorded.
TEST_F(RecordingFlowTest, ARunThatDiedByItselfIsStampedWithTheMomentItDied) {
  struct Case {
    const char* how;
    bool restart;  // ended by the hourly restart instead of the user's stop
    int64_t diedAfterMs;  // after the launch; 0: still running at the stop
  };
  const Case cases[] = {{"killed, then stopped", false, 7000}, {"killed, then the hour came", true, 1200000},
                        {"running at the stop", false, 0}};
  for (const Case& c : cases) {
    CFakeClock clock{kT0};
    CFakePlatform platform{clock};
    CRecordingFlow flow{platform, clock, 3600000};
    ASSERT_TRUE(flow.StartRecord(nullptr));
    const int64_t launch = flow.Session().Segments().back().startMs;
    if (c.diedAfterMs) platform.endedAtMs = launch + c.diedAfterMs;
    clock.Set(launch + (c.restart ? 3600000 : 10000));
    const int64_t stopAsked = clock.NowMs() + (c.restart ? 0 : kCueMs);
    if (c.restart) {
      ASSERT_TRUE(flow.RestartObs());
    }
    SessionData handed;
    flow.StopRecord(true, &handed);
    ASSERT_GE(handed.segments.size(), 1u) << c.how;
    const int64_t expected = c.diedAfterMs ? launch + c.diedAfterMs : stopAsked;
    EXPECT_EQ(handed.segments[0].stopMs, expected) << c.how;
    EXPECT_EQ(handed.segments[0].nStopTime, static_cast<int32_t>(expected / 1000)) << c.how;
    if (c.restart) {
      // The next run is a new recorder, alive until the user's stop.
      ASSERT_EQ(handed.segments.size(), 2u);
      EXPECT_GT(handed.segments[1].stopMs, handed.segments[1].startMs);
    }
  }
}

}  // namespace
}  // namespace vorlix
