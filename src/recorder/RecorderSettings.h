#pragma once
// What the recorder records with: the "gamer" profile and scene file the program edits, plus a section of
// the recorder's own in the same profile:
//   [VorlixRecorder]
//   CaptureSource=auto      auto: the chosen game's window when it exists, else the desktop; desktop: always
//   MicrophoneDevice=       the capture device to use; empty: the first one found
//   TestOnlySoundEndpoint=  tests only: record the game sound from the capture endpoint of this name
//                           instead of the loopback of the system's output (which Wine lacks)
#include <string>

namespace vorlix::recorder {

struct RecorderSettings {
  int outputCX = 0;  // 0: the captured size
  int outputCY = 0;
  int bitrate = 0;  // kbit/s
  int frameRate = 0;
  bool bMicrophone = false;
  std::wstring captureSource;  // "auto" or "desktop"
  std::wstring microphoneDevice;
  std::wstring testOnlySoundEndpoint;
};

constexpr int kDefaultBitrate = 4000;
constexpr int kDefaultFrameRate = 30;

// Reads the files; values out of any sensible range fall back to the defaults above.
RecorderSettings LoadRecorderSettings();
// The program's folder seen from the recorder's own (<program>/obs/bin/32bit/): three levels up.
std::wstring ProgramDirectoryFrom(const std::wstring& recorderDirectory);
// GameTitle of the program's Config/Config.ini (read only: the program's folder is not changed).
std::wstring ReadProgramGameTitle(const std::wstring& programDirectory);

// On first start the recorder lays out its profile so the program has files to edit. Existing files are
// never touched, even when they are not what the recorder expects. Returns a note of what was created.
std::wstring EnsureRecorderProfile(int screenWidth, int screenHeight);

// A readable summary for the settings window and the log.
std::wstring DescribeSettings(const RecorderSettings& s);

}  // namespace vorlix::recorder
