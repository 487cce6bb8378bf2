#include <windows.h>

#include "base/FileSystem.h"
#include "base/win32/Handle.h"

namespace vorlix {

wchar_t PathSeparator() { return L'\\'; }

bool FileExists(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateOneDirectory(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != 0; }

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  CFileHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty() && (!::ReadFile(f.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                         got != bytes.size()))
    return false;
  return true;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  CFileHandle f(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  DWORD put = 0;
  if (!bytes.empty() &&
      (!::WriteFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) || put != bytes.size()))
    return false;
  return SetEndOfFile(f.Get()) != 0;
}

bool RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::FILE* OpenFile(const std::wstring& path, const char* mode) {
  std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wmode.c_str());
}

std::wstring GetModulePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

}  // namespace vorlix
