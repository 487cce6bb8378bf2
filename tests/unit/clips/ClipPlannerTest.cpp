// Which recording a replay moment belongs to, what part of it becomes the clip, and the exact command
// and log lines of the cut.
#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "recording/ClipPlanner.h"
#include "recording/VideoProbe.h"

namespace vorlix {
namespace {

constexpr int64_t kTenOClock = 1700042400;  // some 10:00:00, seconds since 1970

RecordSegment Segment(int64_t startMs, int64_t stopMs, int64_t durationMs) {
  RecordSegment s;
  s.name = L"100001_original_" + std::to_wstring(startMs / 1000);
  s.nStartTime = static_cast<int32_t>(startMs / 1000);
  s.nStopTime = static_cast<int32_t>(stopMs / 1000);
  s.startMs = startMs;
  s.stopMs = stopMs;
  ApplyProbedDuration(s, durationMs);
  return s;
}

TEST(ClipPlanner, ProbedDurationGivesWholeAndExactDelay) {
  // Launched at 10:00:00.400, stopped at 10:10:02.900, 597.37 s in the file.
  RecordSegment s = Segment(kTenOClock * 1000 + 400, (kTenOClock + 602) * 1000 + 900, 597370);
  EXPECT_EQ(s.duration, 597);
  EXPECT_EQ(s.nDelay, 602 - 597);
  EXPECT_DOUBLE_EQ(s.durationSeconds, 597.37);
  EXPECT_NEAR(s.delaySeconds, 602.5 - 597.37, 1e-9);

  // An unreadable recording: its whole span is delay.
  RecordSegment missing = Segment(kTenOClock * 1000, (kTenOClock + 30) * 1000, 0);
  EXPECT_EQ(missing.duration, 0);
  EXPECT_EQ(missing.nDelay, 30);

  // A segment that only carries whole seconds works from them.
  RecordSegment whole;
  whole.nStartTime = 1000;
  whole.nStopTime = 1100;
  ApplyProbedDuration(whole, 97000);
  EXPECT_EQ(whole.startMs, 1000000);
  EXPECT_EQ(whole.nDelay, 3);
  EXPECT_DOUBLE_EQ(whole.delaySeconds, 3.0);
}

TEST(ClipPlanner, SegmentOfTheMomentAcrossAnHourlyRestart) {
  // Launched at 10:00:00 and 11:00:05, each with 3 s between launch and the first recorded frame.
  const int64_t first = kTenOClock * 1000, second = (kTenOClock + 3605) * 1000;
  std::vector<RecordSegment> segments = {Segment(first, second, 3602000),
                                         Segment(second, second + 600000, 597000)};
  ASSERT_EQ(segments[0].nDelay, 3);
  ASSERT_EQ(segments[1].nDelay, 3);
  struct Case {
    int64_t momentMs;
    int segment;
  } cases[] = {
      {first - 5000, -1},        // before any recording: no clip
      {first + 3000, -1},        // the first frame itself has nothing before it
      {first + 3001, 0},
      {second + 1000, 0},        // 11:00:06: the second run has not recorded yet
      {second + 3000, 0},
      {second + 4000, 1},        // 11:00:09
      {second + 900000, 1},      // long after the stop: still the last run
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseSegment(segments, c.momentMs), c.segment) << c.momentMs;
  EXPECT_EQ(ChooseSegment({}, first), -1);

  // The second run's file cannot be read: moments after its launch are its own, not the first run's.
  ApplyProbedDuration(segments[1], 0);
  EXPECT_EQ(ChooseSegment(segments, second + 1000), 1);
  EXPECT_EQ(ChooseSegment(segments, second), 0);
  ApplyProbedDuration(segments[0], 0);
  EXPECT_EQ(ChooseSegment(segments, first + 1), 0);
  EXPECT_EQ(ChooseSegment(segments, first), -1);
}

TEST(ClipPlanner, CutWindowIsTheMinuteBeforeTheMoment) {
  // 3 s delay: the recording's position of a moment is its distance from launch minus 3 s.
  RecordSegment s = Segment(kTenOClock * 1000, (kTenOClock + 600) * 1000, 597000);
  struct Case {
    int64_t afterLaunchMs;
    int64_t startMs, lengthMs;
  } cases[] = {
      {3000 + 45000, 0, 45000},       // 45 s recorded before it
      {3000 + 125000, 65000, 60000},  // 125 s in
      {3000 + 60000, 0, 60000},       // exactly one minute
      {3000 + 60001, 1, 60000},
      {3000 + 125678, 65678, 60000},  // the fraction of the mark is kept
      {3000 + 250, 0, 250},
      {3000 + 598000, 537000, 60000},  // after the file's end (a restart gap): its last minute
  };
  for (const Case& c : cases) {
    CutWindow w = ComputeCutWindow(s, s.startMs + c.afterLaunchMs);
    EXPECT_EQ(w.startMs, c.startMs) << c.afterLaunchMs;
    EXPECT_EQ(w.lengthMs, c.lengthMs) << c.afterLaunchMs;
  }
}

TEST(ClipPlanner, FractionalDelayPlacesTheClipEndOnTheMark) {
  // Launch at .400, first frame 2.345 s later (by the exact probe), mark at 125.678 s into the recording:
  // the clip must end at 125.678, not at a whole second either side.
  const int64_t launch = kTenOClock * 1000 + 400;
  const int64_t stop = launch + 302000;
  RecordSegment s = Segment(launch, stop, 302000 - 2345);
  EXPECT_EQ(s.nDelay, 3);  // the whole-second view rounds the delay the other way
  const int64_t mark = launch + 2345 + 125678;
  CutWindow w = ComputeCutWindow(s, mark);
  EXPECT_EQ(w.startMs + w.lengthMs, 125678);
  EXPECT_EQ(w.lengthMs, 60000);
}

TEST(ClipPlanner, NamesAndTheExactCutCommand) {
  const std::wstring sep(1, PathSeparator());
  EXPECT_EQ(ClipFileName(L"100001", 1700000000999), L"100001_1700000000.mp4");
  EXPECT_EQ(MomentSeconds(-1), -1);
  RecordSegment s;
  s.name = L"100001_original_1700000000";
  EXPECT_EQ(RecordingPath(L"C:" + sep + L"Videos", s), L"C:" + sep + L"Videos" + sep + L"100001_original_1700000000.mp4");
  EXPECT_EQ(ClipPath(L"D:" + sep + L"v", L"a.mp4"), L"D:" + sep + L"v" + sep + L"a.mp4");

  CutWindow w;
  w.startMs = 12345;
  w.lengthMs = 60000;
  EXPECT_EQ(WideToUtf8(BuildCutCommand(w, L"C:\\v\\rec.mp4", L"C:\\v\\clip.mp4")),
            "ffmpeg -ss 12.345 -i \"C:\\v\\rec.mp4\" -t 60.000 -c:v copy -c:a copy \"C:\\v\\clip.mp4\" -y");
  struct Case {
    int64_t ms;
    const char* text;
  } cases[] = {{0, "0.000"}, {5, "0.005"}, {45000, "45.000"}, {3723990, "3723.990"}, {-500, "-0.500"}};
  for (const Case& c : cases) EXPECT_EQ(FormatSeconds(c.ms), c.text);
}

TEST(ClipPlanner, LogLinesKeepWholeSeconds) {
  RecordSegment s = Segment(1700000000400, 1700000100900, 97370);
  EXPECT_EQ(ClipVideoBeginLogText(s, 1700000050999),
            "ClipVideo  Begin \n duration:97 \n recordTime:1700000050 \n filename:100001_original_1700000000");
  EXPECT_EQ(CutVideoInfoLogText(s), "CutVideo  Info: \n nStartTime:1700000000 \n nStopTime:1700000100 \n nDelay:3");
}

TEST(VideoProbeMs, DurationWithItsFraction) {
  struct Case {
    const wchar_t* output;
    int64_t ms;
  } cases[] = {
      {L"  Duration: 01:02:03.99, start: 0.000000, bitrate: 5 kb/s", 3723990},
      {L"Duration: 00:00:59.50, start", 59500},
      {L"Duration: 00:10:00.123456", 600123},
      {L"Duration: 00:00:07.", 7000},
      {L"Duration: N/A, start: 0", 0},
      {L"no duration here", 0},
      {L"Duration: 00:00:42", 0},  // no "." at all
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseVideoDurationMs(c.output), c.ms) << WideToUtf8(c.output);
    EXPECT_EQ(ParseVideoDurationMs(c.output) / 1000, ParseVideoDuration(c.output)) << WideToUtf8(c.output);
  }
}

}  // namespace
}  // namespace vorlix
