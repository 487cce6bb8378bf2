#include <gtest/gtest.h>

#include <algorithm>

#include "base/FileSystem.h"
#include "config/CIniFile.h"
#include "config/Settings.h"

namespace vorlix {
namespace {

struct UpdateCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  std::string value;
  std::string after;
};

TEST(IniFile, UpdateChangesOnlyTheOneKeyAndKeepsEveryOtherByte) {
  const UpdateCase cases[] = {
      {"new file", "", "Misc", "ConfirmQuit", "0", "[Misc]\r\nConfirmQuit=0\r\n"},
      {"in place keeps line end and neighbours", "[Misc]\r\nA=1\r\nConfirmQuit=1\r\nB=2\n", "Misc", "ConfirmQuit",
       "0", "[Misc]\r\nA=1\r\nConfirmQuit=0\r\nB=2\n"},
      {"lf-only file keeps its lf", "[Misc]\nConfirmQuit=1\n", "Misc", "ConfirmQuit", "0", "[Misc]\nConfirmQuit=0\n"},
      {"names match regardless of case and blanks", "[ misc ]\r\n  confirmquit = 1\r\n", "Misc", "ConfirmQuit",
       "0", "[ misc ]\r\nConfirmQuit=0\r\n"},
      {"new key lands after the section's last entry, before blank lines",
       "[Misc]\r\nA=1\r\n\r\n[User]\r\nToken=t\r\n", "Misc", "B", "2", "[Misc]\r\nA=1\r\nB=2\r\n\r\n[User]\r\nToken=t\r\n"},
      {"new key in an empty last section without line end", "[Misc]", "Misc", "A", "1", "[Misc]\r\nA=1\r\n"},
      {"new key after an unterminated last line", "[Misc]\r\nA=1", "Misc", "B", "2", "[Misc]\r\nA=1\r\nB=2\r\n"},
      {"new section appended, comments and odd lines kept", "; note\r\n[Misc]\r\nnoequals\r\n", "User", "Token", "x",
       "; note\r\n[Misc]\r\nnoequals\r\n[User]\r\nToken=x\r\n"},
      {"new section after an unterminated last line", "[Misc]\r\nA=1", "User", "Date", "5",
       "[Misc]\r\nA=1\r\n[User]\r\nDate=5\r\n"},
      {"first of two equal sections wins", "[Misc]\r\nA=1\r\n[Misc]\r\nA=2\r\n", "Misc", "A", "3",
       "[Misc]\r\nA=3\r\n[Misc]\r\nA=2\r\n"},
      {"same key in another section untouched", "[User]\r\nA=1\r\n[Misc]\r\n", "Misc", "A", "9",
       "[User]\r\nA=1\r\n[Misc]\r\nA=9\r\n"},
      {"empty value is stored", "[SimpleOutput]\r\nGameTitle=Dota\r\n", "SimpleOutput", "GameTitle", "",
       "[SimpleOutput]\r\nGameTitle=\r\n"},
      {"value with '=' and brackets stays one value", "", "User", "UserName", "a=b [c]", "[User]\r\nUserName=a=b [c]\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(CIniFile::Update(c.before, c.section, c.key, c.value), c.after) << c.name;
}

// A game window title or a nickname may carry line breaks; they must never forge another key or section.
TEST(IniFile, LineBreaksInAValueCannotCreateOrChangeOtherEntries) {
  const std::string before = "[User]\r\nToken=secret\r\n[SimpleOutput]\r\nGameTitle=old\r\n";
  const std::string hostile[] = {"x\r\n[User]\r\nToken=forged", "x\nToken=forged", "x\r[Misc]\rConfirmQuit=0"};
  for (const auto& v : hostile) {
    std::string after = CIniFile::Update(before, "SimpleOutput", "GameTitle", v);
    std::string token, title, quit;
    ASSERT_TRUE(CIniFile::Find(after, "User", "Token", token));
    EXPECT_EQ(token, "secret") << v;
    EXPECT_FALSE(CIniFile::Find(after, "Misc", "ConfirmQuit", quit)) << v;
    ASSERT_TRUE(CIniFile::Find(after, "SimpleOutput", "GameTitle", title));
    EXPECT_EQ(title.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), 4) << "still four lines";
  }
}

struct FindCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  bool found;
  std::string value;
};

TEST(IniFile, FindReadsLikeTheProfileFunctions) {
  const FindCase cases[] = {
      {"plain", "[Misc]\r\nConfirmQuit=0\r\n", "Misc", "ConfirmQuit", true, "0"},
      {"trimmed", "[Misc]\r\nA =  v w \t\r\n", "Misc", "A", true, "v w"},
      {"one pair of quotes removed", "[U]\nName=\"  x \"\n", "U", "Name", true, "  x "},
      {"lone quote kept", "[U]\nName=\"x\n", "U", "Name", true, "\"x"},
      {"empty value is found", "[U]\nName=\n", "U", "Name", true, ""},
      {"missing key", "[U]\nOther=1\n", "U", "Name", false, ""},
      {"missing section", "[V]\nName=1\n", "U", "Name", false, ""},
      {"key before any section is not in one", "Name=1\n[U]\n", "U", "Name", false, ""},
      {"section ends at the next header", "[U]\n[V]\nName=1\n", "U", "Name", false, ""},
      {"first key wins", "[U]\nName=a\nName=b\n", "U", "Name", true, "a"},
      {"no trailing newline", "[U]\nName=z", "U", "Name", true, "z"},
      {"single quotes removed too", "[U]\nN='42'\n", "U", "N", true, "42"},
      {"single quotes inside kept", "[U]\nN=' a ' b '\n", "U", "N", true, " a ' b "},
      {"mixed quotes kept", "[U]\nN='x\"\n", "U", "N", true, "'x\""},
      {"lone single quote kept", "[U]\nN='\n", "U", "N", true, "'"},
      {"lone CR ends a line", "[U]\rA=1\rB=2\r", "U", "B", true, "2"},
      {"lone CR ends the value", "[U]\r\nA=1\rB=2", "U", "A", true, "1"},
      {"header after lone CR ends the section", "[U]\rA=1\r[V]\rB=2", "U", "B", false, ""},
  };
  for (const auto& c : cases) {
    std::string v;
    EXPECT_EQ(CIniFile::Find(c.content, c.section, c.key, v), c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(v, c.value) << c.name;
    }
  }
}

// A file whose last line ends in a lone CR (an editor's old Mac line ends): a write must neither merge
// into that line nor turn its value into another.
TEST(IniFile, WritesAfterALoneCarriageReturnKeepEveryValue) {
  const UpdateCase cases[] = {
      {"new key after a lone CR", "[User]\r\nToken=abc\r\nUserId=100001\r", "User", "UserName", "bob",
       "[User]\r\nToken=abc\r\nUserId=100001\rUserName=bob\r\n"},
      {"new section after a lone CR", "[Misc]\r\nA=1\r", "User", "Date", "5", "[Misc]\r\nA=1\r[User]\r\nDate=5\r\n"},
      {"in place between lone CRs", "[U]\rA=1\rB=2\r", "U", "A", "9", "[U]\rA=9\rB=2\r"},
  };
  for (const auto& c : cases) {
    std::string after = CIniFile::Update(c.before, c.section, c.key, c.value);
    EXPECT_EQ(after, c.after) << c.name;
    std::string v;
    EXPECT_TRUE(CIniFile::Find(after, c.section, c.key, v)) << c.name;
    EXPECT_EQ(v, c.value) << c.name;
  }
  std::string v;
  ASSERT_TRUE(CIniFile::Find(cases[0].after, "User", "UserId", v));
  EXPECT_EQ(v, "100001");
  ASSERT_TRUE(CIniFile::Find(cases[1].after, "Misc", "A", v));
  EXPECT_EQ(v, "1");
  EXPECT_EQ(CIniFile::ParseInt(v), 1);
}

TEST(IniFile, AbsentKeysGiveTheDefaultWithoutTrailingBlanks) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"abc  ", L"abc"}, {L"  abc", L"  abc"}, {L"a b ", L"a b"}, {L"   ", L""}, {L"", L""}, {L"x\t", L"x\t"}};
  for (const auto& [def, read] : cases) EXPECT_EQ(CIniFile::DefaultOf(def), read);
}

// Notepad's "Unicode" saves a file as UTF-16 with a byte-order mark; the system reads and updates such
// a file as UTF-16, and so must we, without ever mixing narrow text into it.
class IniFileUtf16 : public ::testing::Test {
 protected:
  void SetUp() override { RemoveFile(Path()); }
  void TearDown() override { RemoveFile(Path()); }
  static std::wstring Path() { return GetAppDirectory() + L"vorlix_ini_utf16_test.ini"; }
  static std::string Utf16(const std::u16string& text) {
    std::string bytes("\xFF\xFE", 2);
    for (char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    return bytes;
  }
};

TEST_F(IniFileUtf16, ReadsAndWritesAFileWithAByteOrderMarkAsUtf16) {
  struct Case {
    const char* name;
    std::u16string before;
    const char* key;
    const char* value;
    std::u16string after;
  } cases[] = {
      {"replace in place", u"[User]\r\nUserId=100001\r\nToken=abc\r\n", "Token", "xyz",
       u"[User]\r\nUserId=100001\r\nToken=xyz\r\n"},
      {"add a key", u"[User]\r\nUserId=100001\r\n", "Token", "t", u"[User]\r\nUserId=100001\r\nToken=t\r\n"},
      {"add the section", u"[Misc]\r\nA=1\r\n", "Token", "t", u"[Misc]\r\nA=1\r\n[User]\r\nToken=t\r\n"},
      {"other text kept, surrogate pairs included", u"; \u73A9\u5BB6 \U0001F3AE\r\n[User]\r\nToken=a\r\n", "Token", "b",
       u"; \u73A9\u5BB6 \U0001F3AE\r\n[User]\r\nToken=b\r\n"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteWholeFile(Path(), Utf16(c.before)));
    std::string v;
    EXPECT_EQ(CIniFile::ReadValue(Path(), "User", "UserId", v), c.before.find(u"UserId=") != std::u16string::npos)
        << c.name;
    ASSERT_TRUE(CIniFile::WriteValue(Path(), "User", c.key, c.value)) << c.name;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(Path(), bytes));
    EXPECT_EQ(bytes, Utf16(c.after)) << c.name;
    ASSERT_TRUE(CIniFile::ReadValue(Path(), "User", c.key, v)) << c.name;
    EXPECT_EQ(v, c.value) << c.name;
  }
  ASSERT_TRUE(WriteWholeFile(Path(), Utf16(u"[User]\r\nUserId=100001\r\n")));
  std::string v;
  ASSERT_TRUE(CIniFile::ReadValue(Path(), "user", "userid", v));
  EXPECT_EQ(v, "100001");
  EXPECT_EQ(CIniFile::ParseInt(v), 100001);
}

TEST(IniFile, ParseIntFollowsTheProfileIntegerConversion) {
  const std::pair<const char*, int> cases[] = {{"122", 122}, {"-5", -5}, {"+7", 7},         {"12abc", 12},
                                               {"abc", 0},   {"0", 0},   {"2592000", 2592000}, {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, v] : cases) EXPECT_EQ(CIniFile::ParseInt(text), v) << text;
}

}  // namespace
}  // namespace vorlix
