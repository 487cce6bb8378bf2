#include <windows.h>

#include "base/TextConv.h"

namespace vorlix {
namespace {

std::wstring ToWide(UINT cp, const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(cp, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::string ToNarrow(UINT cp, const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }
std::string WideToAnsi(const std::wstring& text) { return ToNarrow(CP_ACP, text); }
std::wstring Cp936ToWide(const std::string& text) { return ToWide(936, text); }
std::string WideToCp936(const std::wstring& text) { return ToNarrow(936, text); }

}  // namespace vorlix
