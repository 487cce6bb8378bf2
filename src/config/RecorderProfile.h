#pragma once
// The recorder's own settings files under the roaming application-data folder: the "gamer" profile (INI)
// and the "gamer" scene collection (JSON). Only a handful of values are changed in place; everything else
// in those files belongs to the recorder and is carried through untouched. Nothing here creates the
// recorder's folders: the recorder creates them on its first start.
#include <string>

namespace vorlix {

// The roaming folder without trailing separator (APPDATA, else the shell's folder in short form; empty
// when neither can be named).
std::wstring GetRoamingAppDataPath();
// Formed on first use and kept for the life of the process.
const std::wstring& GetRecorderProfilePath();
const std::wstring& GetRecorderScenePath();

void SetCanvasWidth(int pixels);
void SetCanvasHeight(int pixels);
void SetOutputWidth(int pixels);
void SetOutputHeight(int pixels);
int GetOutputWidth();   // 0 when absent; read by the recorder only
int GetOutputHeight();  // 0 when absent
int GetVideoBitrate();  // kbit/s, 0 when absent
void SetVideoBitrate(int kbps);
int GetFrameRate();  // 60 when absent
void SetFrameRate(int fps);

// "AuxAudioDevice1" -> "muted" of the scene file, negated; false when the file or the member is missing.
bool IsMicrophoneEnabled();
// Rewrites the scene file compactly whenever it parses; never adds members; leaves an unparsable file alone.
void SetMicrophoneEnabled(bool enabled);

// The record settings page offers these presets.
struct ResolutionPreset {
  int width, height;
};
constexpr ResolutionPreset kResolutionPresets[] = {{960, 540}, {1280, 720}, {1920, 1080}};
constexpr int kBitratePresets[] = {4000, 6000, 8000, 10000};
constexpr int kFrameRatePresets[] = {30, 60};
// Writes OutputCX then OutputCY.
void SetOutputResolution(const ResolutionPreset& preset);
// The chosen entry for a stored value, or -1 when the value matches no preset.
int ChosenResolutionPreset(int storedOutputHeight);
int ChosenBitratePreset(int storedBitrate);
int ChosenFrameRatePreset(int storedFrameRate);  // anything but 30 shows 60

// The recorder's files may be held open by the recorder itself, so reads share write access and writes
// share read access. They live in their own namespace beside the bool-returning helpers of base.
namespace profile {
// The bytes up to the first zero byte; empty when the file cannot be opened.
std::string ReadWholeFile(const std::wstring& path);
// Creates or truncates the file; a failure leaves only the debugger trace "\r\nWriteFile Failed".
void WriteWholeFile(const std::wstring& path, const std::string& bytes);
// A line for the debugger output (standard error where there is no debugger channel).
void DebugTrace(const std::wstring& text);
}  // namespace profile

}  // namespace vorlix
