#include <gtest/gtest.h>

#include <algorithm>

#include "config/CIniFile.h"

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
  };
  for (const auto& c : cases) {
    std::string v;
    EXPECT_EQ(CIniFile::Find(c.content, c.section, c.key, v), c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(v, c.value) << c.name;
    }
  }
}

TEST(IniFile, ParseIntFollowsTheProfileIntegerConversion) {
  const std::pair<const char*, int> cases[] = {{"122", 122}, {"-5", -5}, {"+7", 7},         {"12abc", 12},
                                               {"abc", 0},   {"0", 0},   {"2592000", 2592000}, {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, v] : cases) EXPECT_EQ(CIniFile::ParseInt(text), v) << text;
}

}  // namespace
}  // namespace vorlix
