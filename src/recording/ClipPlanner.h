#pragma once
// Where each replay moment's clip comes from and what it covers: the recording that was running at the
// moment, and the 60 seconds before the moment inside that recording.
//
// The arithmetic runs on milliseconds; the whole-second fields of RecordSegment are filled alongside for
// the log lines, the clip names and the registration record.
#include <cstdint>
#include <string>
#include <vector>

#include "recording/RecordSegment.h"

namespace vorlix {

inline constexpr int64_t kReplayLengthMs = 60000;

// Records the probed length (milliseconds, 0 when unreadable) and the delay between the recorder's launch
// and its first recorded frame: (stop - start) - duration, whole and exact. Segments that carry only
// whole seconds get their millisecond fields from them first.
void ApplyProbedDuration(RecordSegment& segment, int64_t durationMs);

// The segment recording at the moment: the last one, in launch order, whose first recorded frame lies
// before it (its launch, when its file could not be read). -1 when the moment lies before every recording.
int ChooseSegment(const std::vector<RecordSegment>& segments, int64_t momentMs);

struct CutWindow {
  int64_t startMs = 0;   // offset into the recording
  int64_t lengthMs = 0;  // 60 s, or all that was recorded before the moment when that is less
};
// A moment after the recording's end counts as its end.
CutWindow ComputeCutWindow(const RecordSegment& segment, int64_t momentMs);

// Whole seconds since 1970 of a moment (rounded down, also before 1970).
int32_t MomentSeconds(int64_t momentMs);

// "<user id>_<moment in seconds>.mp4"
std::wstring ClipFileName(const std::wstring& userId, int64_t momentMs);
// folder + separator + name + ".mp4"
std::wstring RecordingPath(const std::wstring& folder, const RecordSegment& segment);
// folder + separator + clip name
std::wstring ClipPath(const std::wstring& folder, const std::wstring& clipName);
// ffmpeg -ss <s.mmm> -i "<recording>" -t <s.mmm> -c:v copy -c:a copy "<clip>" -y
std::wstring BuildCutCommand(const CutWindow& window, const std::wstring& recordingPath, const std::wstring& clipPath);
// Milliseconds as seconds with three decimals, whatever the locale ("12.345", "-0.500").
std::string FormatSeconds(int64_t ms);

// The log lines of a cut, without the line end.
std::string ClipVideoBeginLogText(const RecordSegment& segment, int64_t momentMs);
std::string CutVideoInfoLogText(const RecordSegment& segment);

}  // namespace vorlix
