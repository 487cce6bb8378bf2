#pragma once
// The length of a recording, read from ffmpeg's description of its input.
#include <string>

namespace vorlix {

// Whole seconds (the fraction is dropped); 0 when the file cannot be read.
int GetVideoDuration(const std::wstring& path);
// The rule GetVideoDuration applies to ffmpeg's output: the "Duration: " field as hours:minutes:seconds.
int ParseVideoDuration(const std::wstring& output);

}  // namespace vorlix
