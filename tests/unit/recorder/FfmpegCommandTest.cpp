#include <gtest/gtest.h>

#include "base/TextConv.h"
#include "recorder/FfmpegCommand.h"

namespace vorlix::recorder {
namespace {

RecorderSettings Settings720() {
  RecorderSettings s;
  s.outputCX = 1280;
  s.outputCY = 720;
  s.bitrate = 6000;
  s.frameRate = 30;
  s.captureSource = L"auto";
  return s;
}

bool Has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

TEST(FfmpegCommand, CaptureSourceChoice) {
  RecorderSettings autoSource = Settings720(), desktop = Settings720();
  desktop.captureSource = L"desktop";
  const std::optional<CaptureRect> none;
  struct Case {
    const RecorderSettings* s;
    const wchar_t* title;
    std::optional<CaptureRect> client;
    bool window;
    CaptureRect region;
    const wchar_t* reason;
  } cases[] = {
      {&autoSource, L"Game", CaptureRect{120, 110, 640, 360}, true, {120, 110, 640, 360}, L"window is open"},
      // Odd sizes are made even; a window hanging off the desktop is recorded where it is on it.
      {&autoSource, L"Game", CaptureRect{-21, 700, 321, 241}, true, {0, 700, 300, 100}, L"window is open"},
      {&autoSource, L"Game", CaptureRect{1300, 10, 640, 360}, false, {}, L"shows nothing on the desktop"},
      {&autoSource, L"Game", none, false, {}, L"no window titled \"Game\""},
      {&autoSource, L"", none, false, {}, L"no game is chosen"},
      {&desktop, L"Game", CaptureRect{0, 0, 640, 360}, false, {}, L"set to the desktop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.reason));
    CaptureChoice choice = ChooseCapture(*c.s, c.title, c.client, 1280, 800);
    EXPECT_EQ(choice.bWindow, c.window);
    EXPECT_TRUE(Has(choice.reason, c.reason)) << WideToUtf8(choice.reason);
    EXPECT_EQ(choice.title, c.window ? std::wstring(c.title) : L"");
    EXPECT_EQ(choice.region, c.region);
  }
}

TEST(FfmpegCommand, KeyframesEverySecondInFragmentsAndTheProfilesValues) {
  CaptureChoice window{true, L"My \"Game\"", L"", CaptureRect{120, 110, 640, 360}};
  std::wstring cmd = BuildRecordCommand(L"C:\\Program Files\\Vorlix\\ffmpeg.exe", Settings720(), window, {},
                                        L"C:\\Videos\\a b.mp4");
  EXPECT_EQ(cmd.rfind(L"\"C:\\Program Files\\Vorlix\\ffmpeg.exe\" ", 0), 0u) << WideToUtf8(cmd);
  // The window is cut out of the desktop picture (a grab of the window itself would end with it), and the
  // named crop and black box are the ones the follower's commands address.
  for (const wchar_t* part : {L"-f gdigrab -framerate 30 -draw_mouse 1 -i desktop ",
                              L"-vf crop@follow=640:360:120:110,drawbox@blank=x=0:y=0:w=iw:h=ih:c=black:t=fill:enable=0,scale=1280:720:",
                              L"-c:v libx264", L"-b:v 6000k", L"-g 30 -keyint_min 30", L"expr:gte(t,n_forced*1)",
                              L"+frag_keyframe+empty_moov", L"pad=1280:720", L"-f mp4 \"C:\\Videos\\a b.mp4\""})
    EXPECT_TRUE(Has(cmd, part)) << WideToUtf8(part) << " in " << WideToUtf8(cmd);
  EXPECT_FALSE(Has(cmd, L"title="));
  EXPECT_FALSE(Has(cmd, L"-c:a"));
  EXPECT_FALSE(Has(cmd, L"-map 1:a"));

  RecorderSettings asCaptured = Settings720();
  asCaptured.outputCX = asCaptured.outputCY = 0;
  asCaptured.frameRate = 60;
  cmd = BuildRecordCommand(L"ffmpeg.exe", asCaptured, CaptureChoice{}, {}, L"o.mp4");
  EXPECT_TRUE(Has(cmd, L"-i desktop")) << WideToUtf8(cmd);
  EXPECT_TRUE(Has(cmd, L"-vf scale=trunc(iw/2)*2:trunc(ih/2)*2"));
  EXPECT_FALSE(Has(cmd, L"crop"));
  EXPECT_TRUE(Has(cmd, L"-g 60 -keyint_min 60"));
}

TEST(FfmpegCommand, AudioInputsJoinOneOrMixed) {
  std::vector<AudioInput> mic{{L"dshow", L"audio=Mic (USB)", L""}};
  std::wstring one = BuildRecordCommand(L"ffmpeg.exe", Settings720(), CaptureChoice{}, mic, L"o.mp4");
  EXPECT_TRUE(Has(one, L"-i desktop -f dshow -i \"audio=Mic (USB)\" -map 0:v -map 1:a")) << WideToUtf8(one);
  EXPECT_TRUE(Has(one, L"-c:a aac"));

  // Raw samples from the recorder's own capture, with the input options the raw format needs.
  std::vector<AudioInput> raw{{L"f32le", L"\\\\.\\pipe\\vorlix-sound-1", L"-ar 48000 -ac 2"}};
  std::wstring piped = BuildRecordCommand(L"ffmpeg.exe", Settings720(), CaptureChoice{}, raw, L"o.mp4");
  EXPECT_TRUE(Has(piped, L"-i desktop -f f32le -ar 48000 -ac 2 -i \\\\.\\pipe\\vorlix-sound-1 -map 0:v -map 1:a"))
      << WideToUtf8(piped);

  mic.push_back({L"dshow", L"audio=Loopback", L""});
  std::wstring two = BuildRecordCommand(L"ffmpeg.exe", Settings720(), CaptureChoice{}, mic, L"o.mp4");
  EXPECT_TRUE(Has(two, L"-f dshow -i audio=Loopback")) << WideToUtf8(two);
  EXPECT_TRUE(Has(two, L"[1:a][2:a]amix=inputs=2:duration=longest[aout]"));
  EXPECT_TRUE(Has(two, L"-map [aout]"));
}

TEST(FfmpegCommand, ArgumentQuotingFollowsTheWindowsRules) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"plain", L"plain"},       {L"", L"\"\""},
      {L"a b", L"\"a b\""},       {L"D:\\dir with\\", L"\"D:\\dir with\\\\\""},
      {L"say \"hi\"", L"\"say \\\"hi\\\"\""}, {L"x\\\"y z", L"\"x\\\\\\\"y z\""},
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteArgument(c.in), c.out) << WideToUtf8(c.in);
}

TEST(FfmpegCommand, TheFirstInputsStartFromTheLog) {
  const std::string log =
      "[gdigrab @ 01bf3100] Capturing whole desktop as 1280x800x32 at (0,0)\r\n"
      "Input #0, gdigrab, from 'desktop':\r\n"
      "  Duration: N/A, start: 1797005709.993494, bitrate: 983052 kb/s\r\n"
      "Input #1, wav, from '\\\\.\\pipe\\vorlix-sound-1':\r\n"
      "  Duration: N/A, start: 0.000000, bitrate: 1536 kb/s\r\n";
  ASSERT_TRUE(FirstInputStart(log));
  EXPECT_DOUBLE_EQ(*FirstInputStart(log), 1797005709.993494);
  // Not yet known, or only from a later input: nothing.
  EXPECT_FALSE(FirstInputStart("[gdigrab @ 01bf3100] Capturing whole desktop\r\n"));
  EXPECT_FALSE(FirstInputStart("Input #0, gdigrab, from 'desktop':\r\n  Duration: N/A, bitrate: N/A\r\n"
                               "Input #1, wav, from 'x':\r\n  Duration: N/A, start: 5.000000\r\n"));
  EXPECT_FALSE(FirstInputStart("Input #0, gdigrab, from 'desktop':\r\n  Duration: N/A, start: N/A\r\n"));
}

TEST(FfmpegCommand, DeviceListing) {
  const std::wstring listing =
      L"[dshow @ 000001] \"Integrated Camera\" (video)\r\n"
      L"[dshow @ 000001]   Alternative name \"@device_pnp_\\\\?\\usb\"\r\n"
      L"[dshow @ 000001] \"Microphone (Realtek(R) Audio)\" (audio)\r\n"
      L"[dshow @ 000001] \"Line In\" (audio)\n"
      L"dummy: Immediate exit requested\r\n";
  std::vector<std::wstring> devices = ParseDshowAudioDevices(listing);
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0], L"Microphone (Realtek(R) Audio)");
  EXPECT_EQ(devices[1], L"Line In");
  EXPECT_FALSE(LacksDshowInput(listing));
  EXPECT_TRUE(ParseDshowAudioDevices(L"").empty());
  EXPECT_TRUE(LacksDshowInput(L"Unknown input format: 'dshow'\r\n"));
}

}  // namespace
}  // namespace vorlix::recorder
