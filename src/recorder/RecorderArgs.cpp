#include "recorder/RecorderArgs.h"

namespace vorlix::recorder {

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
  std::vector<std::wstring> out;
  std::wstring current;
  bool inQuotes = false, inArg = false;
  for (wchar_t c : line) {
    if (c == L'"') {
      inQuotes = !inQuotes;
      inArg = true;
    } else if ((c == L' ' || c == L'\t') && !inQuotes) {
      if (inArg) out.push_back(current);
      current.clear();
      inArg = false;
    } else {
      current += c;
      inArg = true;
    }
  }
  if (inArg) out.push_back(current);
  return out;
}

RecorderArgs ParseRecorderArgs(const std::vector<std::wstring>& args) {
  RecorderArgs r;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    if (a == L"--startrecording") {
      r.bStartRecording = true;
    } else if (a == L"--start_no_show") {
      r.bNoShow = true;
    } else if (a == L"--file_save" && i + 1 < args.size()) {
      r.folder = args[++i];
    } else if (a == L"--file_name" && i + 1 < args.size()) {
      r.name = args[++i];
    }
  }
  return r;
}

std::wstring RecordingPath(const RecorderArgs& args) {
  std::wstring path = args.folder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path + args.name + L".mp4";
}

}  // namespace vorlix::recorder
