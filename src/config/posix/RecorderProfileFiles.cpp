#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "base/TextConv.h"
#include "config/RecorderProfile.h"

namespace vorlix {

// Without a roaming profile the recorder's folder lives where desktop programs keep their configuration.
std::wstring GetRoamingAppDataPath() {
  const char* appData = std::getenv("APPDATA");
  if (appData && *appData && std::strlen(appData) < 260) return AnsiToWide(appData);

  profile::DebugTrace(L"\r\nGetEnvironmentVariable APPDATA Failed");
  std::string out;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    out = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    out = std::string(home) + "/.config";
  profile::DebugTrace(AnsiToWide(out));
  return AnsiToWide(out);
}

namespace profile {

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(WideToAnsi(path), std::ios::binary);
  if (!in) return {};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t zero = bytes.find('\0');
  if (zero != std::string::npos) bytes.resize(zero);
  return bytes;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(WideToAnsi(path), std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out || !out.flush()) DebugTrace(L"\r\nWriteFile Failed");
}

void DebugTrace(const std::wstring& text) { std::fprintf(stderr, "%s\n", WideToAnsi(text).c_str()); }

}  // namespace profile
}  // namespace vorlix
