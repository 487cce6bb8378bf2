#include <gtest/gtest.h>

#include <string>

#include "ui/core/CStdString.h"

namespace vorlix {
namespace {

bool StoredInline(const CStdString& s) {
  const char* data = reinterpret_cast<const char*>(s.GetData());
  const char* self = reinterpret_cast<const char*>(&s);
  return data >= self && data < self + sizeof(CStdString);
}

std::wstring Repeat(wchar_t ch, int n) { return std::wstring(static_cast<std::size_t>(n), ch); }

TEST(StdString, InlineUpTo62CharactersHeapAbove) {
  struct Case {
    int length;
    bool inlineExpected;
  } cases[] = {{0, true}, {1, true}, {62, true}, {63, false}, {64, false}, {500, false}};
  for (const Case& c : cases) {
    std::wstring text = Repeat(L'x', c.length);
    CStdString s(text.c_str());
    EXPECT_EQ(c.length, s.GetLength()) << c.length;
    EXPECT_EQ(c.inlineExpected, StoredInline(s)) << c.length;
    EXPECT_EQ(text, std::wstring(s.GetData())) << c.length;
  }
}

TEST(StdString, ShrinksBackToInlineAndGrowsByAppend) {
  CStdString s(Repeat(L'a', 100).c_str());
  ASSERT_FALSE(StoredInline(s));
  s = L"short";
  EXPECT_TRUE(StoredInline(s));
  EXPECT_EQ(std::wstring(L"short"), s.GetData());

  CStdString grow(Repeat(L'b', 60).c_str());
  grow += L"cc";  // 62: still inline
  EXPECT_TRUE(StoredInline(grow));
  grow += L'd';  // 63: moves out
  EXPECT_FALSE(StoredInline(grow));
  EXPECT_EQ(Repeat(L'b', 60) + L"ccd", std::wstring(grow.GetData()));
  grow.Assign(L"xyz", 2);
  EXPECT_TRUE(StoredInline(grow));
  EXPECT_EQ(std::wstring(L"xy"), grow.GetData());
}

TEST(StdString, NullSourcesAndSelfReferences) {
  CStdString s(static_cast<const wchar_t*>(nullptr));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(0, s.Compare(nullptr));
  s = L"abc";
  s = static_cast<const wchar_t*>(nullptr);
  EXPECT_TRUE(s.IsEmpty());
  s.Append(nullptr);
  EXPECT_EQ(0, s.GetLength());

  CStdString self(Repeat(L'q', 40).c_str());
  self.Append(self.GetData());  // 80 characters, from its own buffer
  EXPECT_EQ(Repeat(L'q', 80), std::wstring(self.GetData()));
  self.Assign(self.GetData() + 70);  // a tail of itself, back inline
  EXPECT_EQ(Repeat(L'q', 10), std::wstring(self.GetData()));
  EXPECT_TRUE(StoredInline(self));
}

TEST(StdString, CompareIsOrdinalAndCaseSensitive) {
  CStdString s(L"ok");
  EXPECT_TRUE(s == L"ok");
  EXPECT_FALSE(s == L"OK");
  EXPECT_EQ(0, s.CompareNoCase(L"OK"));
  EXPECT_LT(s.Compare(L"ol"), 0);
  EXPECT_GT(s.Compare(L"o"), 0);
  EXPECT_LT(CStdString(L"").Compare(L"a"), 0);
}

TEST(StdString, FormatShortAndLongOutput) {
  CStdString s;
  EXPECT_EQ(4, s.Format(L"%d", 1234));
  EXPECT_EQ(std::wstring(L"1234"), s.GetData());
  std::wstring longText = Repeat(L'z', 700);
  EXPECT_EQ(705, s.Format(L"[%ls]%03d", longText.c_str(), 7));
  EXPECT_EQ(L"[" + longText + L"]007", std::wstring(s.GetData()));
  EXPECT_FALSE(StoredInline(s));
}

TEST(StdString, FindMidReplace) {
  CStdString s(L"<a>one</a> and <a>two</a>");
  EXPECT_EQ(0, s.Find(L"<a>"));
  EXPECT_EQ(15, s.Find(L"<a>", 1));
  EXPECT_EQ(-1, s.Find(L"<b>"));
  EXPECT_EQ(std::wstring(L"one"), s.Mid(3, 3).GetData());
  EXPECT_EQ(std::wstring(L"two</a>"), s.Mid(18).GetData());
  EXPECT_TRUE(s.Mid(99).IsEmpty());
  EXPECT_EQ(0, s.GetAt(999));
  EXPECT_EQ(2, s.Replace(L"<a>", L"["));
  EXPECT_EQ(std::wstring(L"[one</a> and [two</a>"), s.GetData());
}

}  // namespace
}  // namespace vorlix
