#include "recorder/RecorderSettings.h"

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/CIniFile.h"
#include "config/RecorderProfile.h"

namespace vorlix::recorder {
namespace {

constexpr char kOwnSection[] = "VorlixRecorder";

std::wstring ReadOwn(const char* key, const std::wstring& def) {
  std::string raw;
  if (!CIniFile::ReadValue(GetRecorderProfilePath(), kOwnSection, key, raw)) return def;
  return AnsiToWide(raw);
}

// Creates every missing folder above the file.
void CreateFoldersFor(const std::wstring& file) {
  for (size_t i = 1; i < file.size(); ++i) {
    if (file[i] != PathSeparator()) continue;
    std::wstring prefix = file.substr(0, i);
    if (!prefix.empty() && prefix.back() != L':' && !DirectoryExists(prefix)) CreateOneDirectory(prefix);
  }
}

std::wstring Num(int v) { return std::to_wstring(v); }

}  // namespace

RecorderSettings LoadRecorderSettings() {
  RecorderSettings s;
  s.outputCX = GetOutputWidth();
  s.outputCY = GetOutputHeight();
  // Encoders want even sizes; anything implausible means "keep the captured size".
  if (s.outputCX < 16 || s.outputCY < 16 || s.outputCX > 7680 || s.outputCY > 4320 || s.outputCX % 2 ||
      s.outputCY % 2)
    s.outputCX = s.outputCY = 0;
  s.bitrate = GetVideoBitrate();
  if (s.bitrate < 100 || s.bitrate > 100000) s.bitrate = kDefaultBitrate;
  s.frameRate = GetFrameRate();
  if (s.frameRate < 1 || s.frameRate > 240) s.frameRate = kDefaultFrameRate;
  s.bMicrophone = IsMicrophoneEnabled();
  s.captureSource = ReadOwn("CaptureSource", L"auto") == L"desktop" ? L"desktop" : L"auto";
  s.microphoneDevice = ReadOwn("MicrophoneDevice", L"");
  s.testOnlySoundEndpoint = ReadOwn("TestOnlySoundEndpoint", L"");
  return s;
}

std::wstring ProgramDirectoryFrom(const std::wstring& recorderDirectory) {
  std::wstring dir = recorderDirectory;
  for (int level = 0; level < 3; ++level) {
    while (!dir.empty() && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
    size_t cut = dir.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return {};
    dir.resize(cut);
  }
  return dir + PathSeparator();
}

std::wstring ReadProgramGameTitle(const std::wstring& programDirectory) {
  std::wstring ini = programDirectory + L"Config" + PathSeparator() + L"Config.ini";
  std::string raw;
  if (!FileExists(ini) || !CIniFile::ReadValue(ini, "SimpleOutput", "GameTitle", raw)) return {};
  return AnsiToWide(raw);
}

std::wstring EnsureRecorderProfile(int screenWidth, int screenHeight) {
  std::wstring note;
  const std::wstring& profilePath = GetRecorderProfilePath();
  if (!FileExists(profilePath)) {
    CreateFoldersFor(profilePath);
    std::string ini = "[General]\r\nName=gamer\r\n\r\n[Video]\r\n";
    ini += "BaseCX=" + std::to_string(screenWidth) + "\r\nBaseCY=" + std::to_string(screenHeight) + "\r\n";
    ini += "OutputCX=1280\r\nOutputCY=720\r\nFPSCommon=" + std::to_string(kDefaultFrameRate) + "\r\n\r\n";
    ini += "[SimpleOutput]\r\nVBitrate=" + std::to_string(kDefaultBitrate) + "\r\n\r\n";
    ini += std::string("[") + kOwnSection + "]\r\nCaptureSource=auto\r\nMicrophoneDevice=\r\n";
    note += WriteWholeFile(profilePath, ini) ? L"created " + profilePath : L"could not create " + profilePath;
  }
  const std::wstring& scenePath = GetRecorderScenePath();
  if (!FileExists(scenePath)) {
    CreateFoldersFor(scenePath);
    // The microphone starts muted: nothing is recorded from it until the user turns it on.
    const std::string scene = "{\"AuxAudioDevice1\":{\"muted\":true,\"name\":\"Mic/Aux\"},\"name\":\"gamer\"}\n";
    if (!note.empty()) note += L"; ";
    note += WriteWholeFile(scenePath, scene) ? L"created " + scenePath : L"could not create " + scenePath;
  }
  return note;
}

std::wstring DescribeSettings(const RecorderSettings& s) {
  std::wstring size = s.outputCX ? Num(s.outputCX) + L"x" + Num(s.outputCY) : L"as captured";
  return L"output size: " + size + L"\r\nbitrate: " + Num(s.bitrate) + L" kbit/s\r\nframe rate: " +
         Num(s.frameRate) + L" fps\r\nmicrophone: " + (s.bMicrophone ? L"on" : L"off") +
         (s.microphoneDevice.empty() ? L"" : L" (" + s.microphoneDevice + L")") + L"\r\ncapture source: " +
         (s.captureSource == L"desktop" ? L"desktop" : L"the chosen game's window, else the desktop") +
         L"\r\ngame sound: " +
         (s.testOnlySoundEndpoint.empty() ? L"loopback of the system's default output"
                                          : L"the capture endpoint \"" + s.testOnlySoundEndpoint + L"\" (test-only setting)");
}

}  // namespace vorlix::recorder
