#pragma once
// The ffmpeg command line the recorder runs, and the reading of ffmpeg's device list.
//
// Every second starts with a keyframe and a new MP4 fragment: a cut by stream copy lands within a second,
// and a recording whose encoder is killed is still playable up to its last fragment.
#include <optional>
#include <string>
#include <vector>

#include "recorder/RecorderSettings.h"
#include "recorder/WindowFollower.h"

namespace vorlix::recorder {

struct CaptureChoice {
  bool bWindow = false;   // false: the whole desktop
  std::wstring title;     // the window's title when bWindow
  std::wstring reason;    // why this source was chosen, for the log
  CaptureRect region;     // when bWindow: the part of the desktop picture the window's client area covers
};

// The source the settings and the chosen game call for; client is the client area of the window with
// that title now, in desktop-picture coordinates (none: no such window, or minimised).
CaptureChoice ChooseCapture(const RecorderSettings& s, const std::wstring& gameTitle,
                            const std::optional<CaptureRect>& client, int desktopCX, int desktopCY);

// One audio input of the recording (a microphone today; the system's playback can join as a second).
struct AudioInput {
  std::wstring format;   // ffmpeg input format, e.g. "dshow", or "f32le" for raw samples
  std::wstring device;   // e.g. "audio=Microphone (USB)", or the pipe the recorder writes the samples to
  std::wstring options;  // input options between the format and the input, e.g. "-ar 48000 -ac 2"
};

std::wstring BuildRecordCommand(const std::wstring& ffmpegPath, const RecorderSettings& s,
                                const CaptureChoice& capture, const std::vector<AudioInput>& audio,
                                const std::wstring& outputPath);

// The audio capture devices named in the output of "ffmpeg -list_devices true -f dshow -i dummy".
std::vector<std::wstring> ParseDshowAudioDevices(const std::wstring& listing);
// True when the listing shows that this ffmpeg has no DirectShow input at all.
bool LacksDshowInput(const std::wstring& listing);

// The start time that ffmpeg's log gives for its first input ("Input #0, ... start: 1797005639.110236"):
// for the desktop grab, the wall-clock moment (Unix seconds) of the recording's first picture.
std::optional<double> FirstInputStart(const std::string& log);

// One argument quoted so that the Windows argument rules give it back unchanged.
std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace vorlix::recorder
