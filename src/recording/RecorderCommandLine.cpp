#include "recording/RecorderCommandLine.h"

#include <cstdlib>

namespace vorlix {

std::wstring SafeFileNamePart(const std::wstring& text) {
  std::wstring out = text;
  for (wchar_t& c : out) {
    if (c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'\\' || c == L'|' ||
        c == L'?' || c == L'*')
      c = L'_';
  }
  return out;
}

std::wstring FormatRecordingName(const std::wstring& userId, int32_t launchTime) {
  return SafeFileNamePart(userId) + L"_original_" + std::to_wstring(launchTime);
}

std::wstring BuildRecorderParameters(const std::wstring& videoFolder, const std::wstring& name) {
  std::wstring p = L"--startrecording";
  p += L" --start_no_show";
  p += L" --file_save \"";
  p += videoFolder + L"\"";
  p += L" --file_name ";
  p += name;
  return p;
}

uint32_t RestartPeriodMs(const char* testOverride) {
  if (!testOverride || !*testOverride) return kRestartPeriodMs;
  char* end = nullptr;
  unsigned long long v = std::strtoull(testOverride, &end, 10);
  if (*end != '\0' || *testOverride < '0' || *testOverride > '9') return kRestartPeriodMs;
  if (v < 100 || v > kRestartPeriodMs) return kRestartPeriodMs;
  return static_cast<uint32_t>(v);
}

}  // namespace vorlix
