#include <gtest/gtest.h>

#include "base/TextConv.h"

namespace vorlix {
namespace {

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u32string codePoints;
};

// Compares wide texts by code point, whatever the width of wchar_t.
std::u32string CodePoints(const std::wstring& w) {
  std::u32string out;
  for (size_t i = 0; i < w.size(); ++i) {
    char32_t c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(w[i]));
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < w.size()) {
      char32_t lo = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(w[++i]));
      c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
    }
    out.push_back(c);
  }
  return out;
}

TEST(TextConv, Utf8DecodesEveryLengthAndReplacesBrokenInput) {
  const Utf8Case cases[] = {
      {"ascii", "abc", U"abc"},
      {"two bytes", "\xC3\xA9", U"\u00E9"},
      {"chinese", "\xE4\xB8\x80\xE9\x94\xAE", U"\u4E00\u952E"},
      {"astral", "\xF0\x9F\x8E\xAE", U"\U0001F3AE"},
      {"truncated sequence", "a\xE4\xB8", U"a\uFFFD\uFFFD"},
      {"stray continuation", "\x80z", U"\uFFFDz"},
      {"overlong slash", "\xC0\xAF", U"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) EXPECT_EQ(CodePoints(Utf8ToWide(c.utf8)), c.codePoints) << c.name;
}

TEST(TextConv, Utf8RoundTripsValidText) {
  const std::string samples[] = {"", "Tavro\xE4\xB8\x80\xE9\x94\xAE\xE5\x9B\x9E\xE5\xBD\x95", "\xF0\x9F\x8E\xAE x"};
  for (const auto& s : samples) EXPECT_EQ(WideToUtf8(Utf8ToWide(s)), s);
}

TEST(TextConv, Cp936RoundTripsChineseAndKnowsItsBytes) {
  const std::wstring text = Utf8ToWide("\xE6\x8F\x90\xE7\xA4\xBA");  // 提示
  EXPECT_EQ(WideToCp936(text), "\xCC\xE1\xCA\xBE");
  EXPECT_EQ(Cp936ToWide("\xCC\xE1\xCA\xBE"), text);
}

}  // namespace
}  // namespace vorlix
