#pragma once
// The few file operations the portable code needs, on UTF-16 paths. Each returns false on failure and
// never throws.
#include <cstdio>
#include <string>

namespace vorlix {

// The separator of the platform's paths ('\\' on Windows, '/' elsewhere).
wchar_t PathSeparator();

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
bool CreateOneDirectory(const std::wstring& path);  // the parent must exist
bool ReadWholeFile(const std::wstring& path, std::string& bytes);
// Replaces the file's content; the file keeps its identity (no rename), so readers sharing it see the change.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
bool RemoveFile(const std::wstring& path);
// Size in bytes, or -1 when the file cannot be read.
long long FileSize(const std::wstring& path);
// Moves a file over another, replacing it.
bool MoveFileReplacing(const std::wstring& from, const std::wstring& to);
// fopen on a UTF-16 path (mode as for fopen, e.g. "r+b").
std::FILE* OpenFile(const std::wstring& path, const char* mode);
// Creates the folder and every missing parent.
bool CreateDirectories(const std::wstring& path);

// The full path of the running executable.
std::wstring GetModulePath();

}  // namespace vorlix
