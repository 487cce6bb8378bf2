#pragma once
// The ffmpeg command line the recorder runs, and the reading of ffmpeg's device list.
//
// Every second starts with a keyframe and a new MP4 fragment: a cut by stream copy lands within a second,
// and a recording whose encoder is killed is still playable up to its last fragment.
#include <string>
#include <vector>

#include "recorder/RecorderSettings.h"

namespace vorlix::recorder {

struct CaptureChoice {
  bool bWindow = false;   // false: the whole desktop
  std::wstring title;     // the window's title when bWindow
  std::wstring reason;    // why this source was chosen, for the log
};

// The source the settings and the chosen game call for; windowExists tells whether a window of that
// title is on screen now.
CaptureChoice ChooseCapture(const RecorderSettings& s, const std::wstring& gameTitle, bool windowExists);

// One audio input of the recording (a microphone today; the system's playback can join as a second).
struct AudioInput {
  std::wstring format;  // ffmpeg input format, e.g. "dshow"
  std::wstring device;  // e.g. "audio=Microphone (USB)"
};

std::wstring BuildRecordCommand(const std::wstring& ffmpegPath, const RecorderSettings& s,
                                const CaptureChoice& capture, const std::vector<AudioInput>& audio,
                                const std::wstring& outputPath);

// The audio capture devices named in the output of "ffmpeg -list_devices true -f dshow -i dummy".
std::vector<std::wstring> ParseDshowAudioDevices(const std::wstring& listing);
// True when the listing shows that this ffmpeg has no DirectShow input at all.
bool LacksDshowInput(const std::wstring& listing);

// One argument quoted so that the Windows argument rules give it back unchanged.
std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace vorlix::recorder
