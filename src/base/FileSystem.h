#pragma once
// The few file operations the portable code needs, on UTF-16 paths. Each returns false on failure and
// never throws.
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

// The full path of the running executable.
std::wstring GetModulePath();

}  // namespace vorlix
