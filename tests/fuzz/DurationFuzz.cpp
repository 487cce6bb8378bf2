// ffmpeg's output as the video probe reads it: a duration is never negative.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/TextConv.h"
#include "recording/VideoProbe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text = vorlix::Utf8ToWide(std::string(reinterpret_cast<const char*>(data), size));
  if (vorlix::ParseVideoDuration(L"  Duration: " + text) < 0) __builtin_trap();
  if (vorlix::ParseVideoDuration(text) < 0) __builtin_trap();
  if (vorlix::ParseVideoDurationMs(L"  Duration: " + text) < 0) __builtin_trap();
  return 0;
}
