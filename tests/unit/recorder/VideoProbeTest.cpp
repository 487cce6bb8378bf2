#include <gtest/gtest.h>

#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "recording/CommandRunner.h"
#include "recording/VideoProbe.h"

namespace vorlix {
namespace {

TEST(VideoProbe, DurationTextRules) {
  struct Case {
    const wchar_t* output;
    int seconds;
  } cases[] = {
      {L"  Duration: 01:02:03.99, start: 0.000000, bitrate: 74 kb/s", 3723},
      {L"  Duration: 00:00:59.50, start: 0.0", 59},
      {L"  Duration: N/A, start: 0.000000, bitrate: N/A", 0},
      {L"Input #0, mov,mp4\r\n  Stream #0:0: Video: h264\r\n", 0},
      {L"", 0},
      {L"  Duration: 00:00:05, no fraction anywhere", 0},
      {L"  Duration: 1::2:3.5", 3723},          // empty fields between separators are skipped
      {L"  Duration: 10:00:00:07.5", 36000},    // fields beyond the third are ignored
      {L"  Duration: 00:01.5", 60},             // a missing field counts as 0
      {L"  Duration: 00:00:02.17\r\n  Duration: 00:00:09.00", 2},  // the first one counts
      {L"duration: 00:00:09.00", 0},            // the marker is case-sensitive
      {L"  Duration: 00:-10:00.00", 0},          // a signed field is no duration, not a negative one
      {L"  Duration: -01:00:00.00", 0},
      {L"  Duration: 00:00:-5.00", 0},
      {L"  Duration: 596523:14:08.00", 0},       // beyond 32-bit seconds
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.output));
    EXPECT_EQ(ParseVideoDuration(c.output), c.seconds);
  }
}

class VideoProbeFile : public ::testing::Test {
 protected:
  static std::wstring Folder() { return GetAppDirectory() + L"probe dir"; }
  void SetUp() override {
    if (!DirectoryExists(Folder())) {
      ASSERT_TRUE(CreateOneDirectory(Folder()));
    }
  }
};

TEST_F(VideoProbeFile, ReadsTheDurationOfARealRecordingAndZeroForMissingOrBrokenFiles) {
  // A path with a blank, as users' video folders often have; fragmented like the recorder's files.
  const std::wstring clip = Folder() + PathSeparator() + L"three seconds.mp4";
  RemoveFile(clip);
  ExecCmd("ffmpeg -hide_banner -y -f lavfi -i testsrc=size=160x120:rate=10 -t 3 -c:v libx264 -g 10 "
          "-movflags +frag_keyframe+empty_moov+default_base_moof -f mp4 \"" +
          WideToAnsi(clip) + "\"");
  ASSERT_TRUE(FileExists(clip)) << "ffmpeg did not produce the test clip";
  EXPECT_EQ(GetVideoDuration(clip), 3);

  EXPECT_EQ(GetVideoDuration(Folder() + PathSeparator() + L"missing.mp4"), 0);
  const std::wstring broken = Folder() + PathSeparator() + L"broken.mp4";
  ASSERT_TRUE(WriteWholeFile(broken, "this is no video"));
  EXPECT_EQ(GetVideoDuration(broken), 0);
}

}  // namespace
}  // namespace vorlix
