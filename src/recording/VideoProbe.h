#pragma once
// The length of a recording, read from ffmpeg's description of its input.
#include <cstdint>
#include <string>

namespace vorlix {

// Whole seconds (the fraction is dropped); 0 when the file cannot be read.
int GetVideoDuration(const std::wstring& path);
// The rule GetVideoDuration applies to ffmpeg's output: the "Duration: " field as hours:minutes:seconds.
int ParseVideoDuration(const std::wstring& output);

// The same probe keeping the fraction, in milliseconds: a clip cut from whole seconds can miss the moment
// the user marked by up to a second, so the cut arithmetic needs what ffmpeg reports (centiseconds).
// Logs the same lines as GetVideoDuration (whole seconds); 0 when the file cannot be read.
int64_t GetVideoDurationMs(const std::wstring& path);
// The whole seconds of ParseVideoDuration plus the digits after its ".", at most three of them.
int64_t ParseVideoDurationMs(const std::wstring& output);

}  // namespace vorlix
