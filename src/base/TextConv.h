#pragma once
// Conversions between the program's UTF-16 texts (std::wstring) and the narrow encodings it meets:
// UTF-8 at the service boundary and in JSON files, the system's narrow (ANSI) code page for file names,
// command lines and the log, and code page 936 for the session values of the request object.
// Portable code must not assume the width of wchar_t: on Linux it holds UTF-32.
#include <string>

namespace vorlix {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// The system narrow code page (CP_ACP on Windows, UTF-8 on Linux). Characters the code page lacks
// become '?', as the system conversion does.
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

// Code page 936 (GBK).
std::wstring Cp936ToWide(const std::string& text);
std::string WideToCp936(const std::wstring& text);

}  // namespace vorlix
