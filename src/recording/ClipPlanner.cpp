#include "recording/ClipPlanner.h"

#include "base/FileSystem.h"
#include "base/TextConv.h"

namespace vorlix {
namespace {

int64_t FloorDiv(int64_t value, int64_t by) {
  int64_t q = value / by;
  return (value % by != 0 && value < 0) ? q - 1 : q;
}

int64_t DelayMs(const RecordSegment& segment) {
  return static_cast<int64_t>(segment.delaySeconds * 1000.0 + (segment.delaySeconds < 0 ? -0.5 : 0.5));
}

}  // namespace

void ApplyProbedDuration(RecordSegment& segment, int64_t durationMs) {
  if (segment.startMs == 0 && segment.nStartTime != 0) segment.startMs = int64_t(segment.nStartTime) * 1000;
  if (segment.stopMs == 0 && segment.nStopTime != 0) segment.stopMs = int64_t(segment.nStopTime) * 1000;
  if (durationMs < 0) durationMs = 0;
  segment.duration = static_cast<int32_t>(durationMs / 1000);
  segment.nDelay = (segment.nStopTime - segment.nStartTime) - segment.duration;
  segment.durationSeconds = static_cast<double>(durationMs) / 1000.0;
  segment.delaySeconds = static_cast<double>((segment.stopMs - segment.startMs) - durationMs) / 1000.0;
}

int ChooseSegment(const std::vector<RecordSegment>& segments, int64_t momentMs) {
  int chosen = -1;
  for (size_t i = 0; i < segments.size(); ++i) {
    // A recording ffmpeg could not read has no first frame to go by; its run still covers the moments
    // after its launch, so they fail with it instead of being cut from the run before.
    const int64_t firstFrame = segments[i].durationSeconds > 0 ? segments[i].startMs + DelayMs(segments[i])
                                                                : segments[i].startMs;
    if (!(firstFrame < momentMs)) break;
    chosen = static_cast<int>(i);
  }
  return chosen;
}

CutWindow ComputeCutWindow(const RecordSegment& segment, int64_t momentMs) {
  int64_t position = momentMs - DelayMs(segment) - segment.startMs;
  // A moment after the file's last frame (the seconds of an hourly restart, or a later run that could not
  // be read) gets the last minute that was recorded, not a window reaching past the end.
  const int64_t durationMs = static_cast<int64_t>(segment.durationSeconds * 1000.0 + 0.5);
  if (durationMs > 0 && position > durationMs) position = durationMs;
  CutWindow window;
  if (position > kReplayLengthMs) {
    window.startMs = position - kReplayLengthMs;
    window.lengthMs = kReplayLengthMs;
  } else {
    window.lengthMs = position > 0 ? position : 0;
  }
  return window;
}

int32_t MomentSeconds(int64_t momentMs) { return static_cast<int32_t>(FloorDiv(momentMs, 1000)); }

std::wstring ClipFileName(const std::wstring& userId, int64_t momentMs) {
  return userId + L"_" + std::to_wstring(MomentSeconds(momentMs)) + L".mp4";
}

std::wstring RecordingPath(const std::wstring& folder, const RecordSegment& segment) {
  return folder + PathSeparator() + segment.name + L".mp4";
}

std::wstring ClipPath(const std::wstring& folder, const std::wstring& clipName) {
  return folder + PathSeparator() + clipName;
}

std::string FormatSeconds(int64_t ms) {
  std::string sign = ms < 0 ? "-" : "";
  uint64_t magnitude = ms < 0 ? uint64_t(0) - uint64_t(ms) : uint64_t(ms);
  std::string fraction = std::to_string(magnitude % 1000);
  fraction.insert(0, 3 - fraction.size(), '0');
  return sign + std::to_string(magnitude / 1000) + "." + fraction;
}

std::wstring BuildCutCommand(const CutWindow& window, const std::wstring& recordingPath, const std::wstring& clipPath) {
  return L"ffmpeg -ss " + Utf8ToWide(FormatSeconds(window.startMs)) + L" -i \"" + recordingPath + L"\" -t " +
         Utf8ToWide(FormatSeconds(window.lengthMs)) + L" -c:v copy -c:a copy \"" + clipPath + L"\" -y";
}

std::string ClipVideoBeginLogText(const RecordSegment& segment, int64_t momentMs) {
  return "ClipVideo  Begin \n duration:" + std::to_string(segment.duration) +
         " \n recordTime:" + std::to_string(MomentSeconds(momentMs)) + " \n filename:" + WideToAnsi(segment.name);
}

std::string CutVideoInfoLogText(const RecordSegment& segment) {
  return "CutVideo  Info: \n nStartTime:" + std::to_string(segment.nStartTime) +
         " \n nStopTime:" + std::to_string(segment.nStopTime) + " \n nDelay:" + std::to_string(segment.nDelay);
}

}  // namespace vorlix
