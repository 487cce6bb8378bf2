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
  struct Case {
    const RecorderSettings* s;
    const wchar_t* title;
    bool exists;
    bool window;
    const wchar_t* reason;
  } cases[] = {
      {&autoSource, L"Game", true, true, L"window is open"},
      {&autoSource, L"Game", false, false, L"no window titled \"Game\""},
      {&autoSource, L"", false, false, L"no game is chosen"},
      {&desktop, L"Game", true, false, L"set to the desktop"},
  };
  for (const Case& c : cases) {
    CaptureChoice choice = ChooseCapture(*c.s, c.title, c.exists);
    EXPECT_EQ(choice.bWindow, c.window);
    EXPECT_TRUE(Has(choice.reason, c.reason)) << WideToUtf8(choice.reason);
    EXPECT_EQ(choice.title, c.window ? std::wstring(c.title) : L"");
  }
}

TEST(FfmpegCommand, KeyframesEverySecondInFragmentsAndTheProfilesValues) {
  CaptureChoice window{true, L"My \"Game\"", L""};
  std::wstring cmd = BuildRecordCommand(L"C:\\Program Files\\Vorlix\\ffmpeg.exe", Settings720(), window, {},
                                        L"C:\\Videos\\a b.mp4");
  EXPECT_EQ(cmd.rfind(L"\"C:\\Program Files\\Vorlix\\ffmpeg.exe\" ", 0), 0u) << WideToUtf8(cmd);
  for (const wchar_t* part : {L"-f gdigrab -framerate 30 ", L"-i \"title=My \\\"Game\\\"\"", L"-c:v libx264",
                              L"-b:v 6000k", L"-g 30 -keyint_min 30", L"expr:gte(t,n_forced*1)",
                              L"+frag_keyframe+empty_moov", L"scale=1280:720:", L"pad=1280:720",
                              L"-f mp4 \"C:\\Videos\\a b.mp4\""})
    EXPECT_TRUE(Has(cmd, part)) << WideToUtf8(part) << " in " << WideToUtf8(cmd);
  EXPECT_FALSE(Has(cmd, L"-c:a"));
  EXPECT_FALSE(Has(cmd, L"-map 1:a"));

  RecorderSettings asCaptured = Settings720();
  asCaptured.outputCX = asCaptured.outputCY = 0;
  asCaptured.frameRate = 60;
  cmd = BuildRecordCommand(L"ffmpeg.exe", asCaptured, CaptureChoice{}, {}, L"o.mp4");
  EXPECT_TRUE(Has(cmd, L"-i desktop")) << WideToUtf8(cmd);
  EXPECT_TRUE(Has(cmd, L"scale=trunc(iw/2)*2:trunc(ih/2)*2"));
  EXPECT_TRUE(Has(cmd, L"-g 60 -keyint_min 60"));
}

TEST(FfmpegCommand, AudioInputsJoinOneOrMixed) {
  std::vector<AudioInput> mic{{L"dshow", L"audio=Mic (USB)"}};
  std::wstring one = BuildRecordCommand(L"ffmpeg.exe", Settings720(), CaptureChoice{}, mic, L"o.mp4");
  EXPECT_TRUE(Has(one, L"-i desktop -f dshow -i \"audio=Mic (USB)\" -map 0:v -map 1:a")) << WideToUtf8(one);
  EXPECT_TRUE(Has(one, L"-c:a aac"));

  mic.push_back({L"dshow", L"audio=Loopback"});
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
