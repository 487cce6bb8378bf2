#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/TextConv.h"
#include "base/win32/Handle.h"
#include "config/RecorderProfile.h"

namespace vorlix {

std::wstring GetRoamingAppDataPath() {
  wchar_t buf[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableW(L"APPDATA", buf, MAX_PATH);
  if (n > 0 && n < MAX_PATH) return std::wstring(buf, n);

  profile::DebugTrace(L"\r\nGetEnvironmentVariable APPDATA Failed");
  wchar_t shellPath[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shellPath))) return {};
  wchar_t shortPath[MAX_PATH] = {};
  DWORD s = GetShortPathNameW(shellPath, shortPath, MAX_PATH);
  std::wstring out = (s > 0 && s < MAX_PATH) ? std::wstring(shortPath, s) : std::wstring(shellPath);
  profile::DebugTrace(out);
  return out;
}

namespace profile {

std::string ReadWholeFile(const std::wstring& path) {
  CFileHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!f) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return {};
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!::ReadFile(f.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr)) return {};
  bytes.resize(got);
  size_t zero = bytes.find('\0');
  if (zero != std::string::npos) bytes.resize(zero);
  return bytes;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  CFileHandle f(CreateFileA(WideToAnsi(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD put = 0;
  if (!f || !::WriteFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) ||
      put != bytes.size())
    DebugTrace(L"\r\nWriteFile Failed");
}

void DebugTrace(const std::wstring& text) { OutputDebugStringW(text.c_str()); }

}  // namespace profile
}  // namespace vorlix
