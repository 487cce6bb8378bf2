#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "base/TextConv.h"

namespace vorlix {
namespace {

// Converts between UTF-8 and another charset; bytes the target lacks become '?', as Windows does.
std::string Iconv(const char* to, const char* from, const std::string& text) {
  if (text.empty()) return {};
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out;
  char buf[256];
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char* o = buf;
    size_t oLeft = sizeof buf;
    size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buf, static_cast<size_t>(o - buf));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // Skip one unconvertible unit: a whole UTF-8 sequence, or one byte of the other charset.
      size_t skip = 1;
      if (std::strcmp(from, "UTF-8") == 0) {
        while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
      }
      out.push_back('?');
      in += skip;
      inLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

// Linux systems keep file names and console text in UTF-8, so that is the narrow code page here.
std::wstring AnsiToWide(const std::string& text) { return Utf8ToWide(text); }
std::string WideToAnsi(const std::wstring& text) { return WideToUtf8(text); }
std::wstring Cp936ToWide(const std::string& text) { return Utf8ToWide(Iconv("UTF-8", "GBK", text)); }
std::string WideToCp936(const std::wstring& text) { return Iconv("GBK", "UTF-8", WideToUtf8(text)); }

}  // namespace vorlix
