#include "recording/VideoProbe.h"

#include "base/TextConv.h"
#include "recording/CommandRunner.h"
#include "shell/Log.h"

namespace vorlix {
namespace {

// Leading decimal digits, as _wtoi reads them (an optional sign, then digits; anything else gives 0).
int LeadingInt(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

int ParseVideoDuration(const std::wstring& output) {
  const std::wstring marker = L"Duration: ";
  size_t at = output.find(marker);
  if (at == std::wstring::npos) return 0;
  size_t start = at + marker.size();
  size_t dot = output.find(L'.', start);
  if (dot == std::wstring::npos) return 0;
  const std::wstring text = output.substr(start, dot - start);

  int fields[3] = {0, 0, 0};
  int count = 0;
  size_t pos = 0;
  while (count < 3 && pos <= text.size()) {
    size_t colon = text.find(L':', pos);
    size_t end = colon == std::wstring::npos ? text.size() : colon;
    if (end > pos) fields[count++] = LeadingInt(text.substr(pos, end - pos));
    if (colon == std::wstring::npos) break;
    pos = colon + 1;
  }
  long long seconds = static_cast<long long>(fields[0]) * 3600 + static_cast<long long>(fields[1]) * 60 + fields[2];
  // A length is never negative: a signed field is a garbled line, read as no duration at all.
  if (fields[0] < 0 || fields[1] < 0 || fields[2] < 0 || seconds > 0x7FFFFFFF) return 0;
  return static_cast<int>(seconds);
}

int64_t ParseVideoDurationMs(const std::wstring& output) {
  const int seconds = ParseVideoDuration(output);
  if (seconds <= 0) return 0;
  // ParseVideoDuration found the marker and the "." after it, or it would have given 0.
  const std::wstring marker = L"Duration: ";
  size_t dot = output.find(L'.', output.find(marker) + marker.size());
  int64_t fraction = 0;
  int digits = 0;
  for (size_t i = dot + 1; i < output.size() && digits < 3 && output[i] >= L'0' && output[i] <= L'9'; ++i, ++digits)
    fraction = fraction * 10 + (output[i] - L'0');
  for (; digits < 3; ++digits) fraction *= 10;
  return static_cast<int64_t>(seconds) * 1000 + fraction;
}

int GetVideoDuration(const std::wstring& path) {
  return static_cast<int>(GetVideoDurationMs(path) / 1000);
}

int64_t GetVideoDurationMs(const std::wstring& path) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "VideoProbe", __LINE__) << "GetVideoDuration Begin" << '\n');
  const std::string command = WideToAnsi(L"ffmpeg -i \"" + path + L"\" -f null");
  const std::wstring output = ExecCmd(command);
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "VideoProbe", __LINE__) << command << " \r\n result:" << WideToAnsi(output) << '\n');
  const int seconds = ParseVideoDuration(output);
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "VideoProbe", __LINE__) << "GetVideoDuration  End diff:" << static_cast<int32_t>(seconds) << '\n');
  return seconds > 0 ? ParseVideoDurationMs(output) : 0;
}

}  // namespace vorlix
