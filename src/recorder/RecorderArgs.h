#pragma once
// The recorder's command line:
//   --startrecording --start_no_show --file_save "<folder>" --file_name <name>
// Unknown switches are ignored, so a newer controller can pass more.
#include <string>
#include <vector>

namespace vorlix::recorder {

struct RecorderArgs {
  bool bStartRecording = false;
  bool bNoShow = false;
  std::wstring folder;
  std::wstring name;
};

// Splits at blanks outside double quotes; a double quote only toggles quoting and backslashes are plain
// characters, so a folder such as "D:\" keeps its closing quote.
std::vector<std::wstring> SplitCommandLine(const std::wstring& line);
RecorderArgs ParseRecorderArgs(const std::vector<std::wstring>& args);
// folder + "\\" + name + ".mp4", without doubling a separator the folder already ends with.
std::wstring RecordingPath(const RecorderArgs& args);

}  // namespace vorlix::recorder
