#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "shell/Log.h"

namespace vorlix {
namespace {

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = WideToAnsi(GetAppDirectory()) + "log_test.log";
    std::remove(m_path.c_str());
  }
  void TearDown() override {
    ConfigureLog(4, LOG_TIME | LOG_FILE, "");
    std::remove(m_path.c_str());
  }
  // The file as text, CR LF folded to LF (text append mode writes CR LF on Windows).
  std::string FileText() const {
    std::string s;
    ReadWholeFile(AnsiToWide(m_path), s);
    std::string out;
    for (size_t i = 0; i < s.size(); ++i)
      if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
    return out;
  }
  std::string m_path;
};

TEST_F(LogTest, LineCarriesTimeStampLevelAndMessage) {
  ConfigureLog(5, LOG_TIME | LOG_LEVEL | LOG_FILE, m_path);
  ASSERT_TRUE(LogEnabled(2));
  LogWrite(LogBegin(2, "MainFrame", 10) << "StartRecord" << '\n');
  EXPECT_TRUE(std::regex_match(FileText(), std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}:\d{3} 2 StartRecord\n)")))
      << FileText();
}

struct PieceCase {
  const char* name;
  uint32_t flags;
  std::string expected;
};

TEST_F(LogTest, PiecesAndPrefixesFollowTheFlags) {
  const PieceCase cases[] = {
      {"pieces only", LOG_FILE, "NULL true false -17 x\n"},
      {"level", LOG_FILE | LOG_LEVEL, "2 NULL true false -17 x\n"},
      {"source tag and line", LOG_FILE | LOG_SOURCE, "DlgLogin(77) NULL true false -17 x\n"},
  };
  for (const auto& c : cases) {
    std::remove(m_path.c_str());
    ConfigureLog(5, c.flags, m_path);
    const char* none = nullptr;
    LogWrite(LogBegin(2, "DlgLogin", 77) << none << ' ' << true << ' ' << false << ' ' << -17 << " x" << '\n');
    EXPECT_EQ(FileText(), c.expected) << c.name;
  }
  std::remove(m_path.c_str());
  ConfigureLog(5, LOG_FILE | LOG_SOURCE, m_path);
  LogWrite(LogBegin(2, nullptr, 3) << "m\n");
  EXPECT_EQ(FileText(), "NULL(3) m\n") << "a missing source tag reads NULL";
}

TEST_F(LogTest, LevelAboveTheThresholdIsDisabled) {
  ConfigureLog(4, LOG_TIME | LOG_FILE, "");
  EXPECT_TRUE(LogEnabled(4));
  EXPECT_FALSE(LogEnabled(5));
}

TEST_F(LogTest, WithoutAPathNothingIsWritten) {
  ConfigureLog(5, LOG_FILE, "");
  LogWrite(LogBegin(2, "MainFrame", 1) << "lost\n");
  EXPECT_FALSE(FileExists(AnsiToWide(m_path)));
}

TEST_F(LogTest, OverlongLineIsCutAtTheBufferAndStillEnds) {
  ConfigureLog(5, LOG_FILE, m_path);
  std::string tool(100000, 'o');
  LogWrite(LogBegin(2, "MainFrame", 1) << "ffmpeg said:" << tool << '\n');
  LogWrite(LogBegin(2, "MainFrame", 2) << "next\n");
  std::string text = FileText();
  size_t first = text.find('\n');
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(first + 1, kLogLineBytes) << "the cut line fills the buffer exactly, its last byte the line end";
  EXPECT_EQ(text.substr(first + 1), "next\n");
}

TEST_F(LogTest, TwoThreadsWriteWholeLines) {
  ConfigureLog(5, LOG_FILE, m_path);
  auto writer = [](char tag) {
    for (int i = 0; i < 200; ++i) {
      CLogLine& line = LogBegin(2, "MainFrame", i);
      for (int k = 0; k < 20; ++k) line << tag;
      LogWrite(line << ' ' << i << '\n');
    }
  };
  std::thread a(writer, 'a'), b(writer, 'b');
  a.join();
  b.join();
  std::istringstream in(FileText());
  std::string line;
  int count = 0;
  std::regex whole(R"((a{20}|b{20}) \d+)");
  while (std::getline(in, line)) {
    EXPECT_TRUE(std::regex_match(line, whole)) << line;
    ++count;
  }
  EXPECT_EQ(count, 400);
}

TEST_F(LogTest, StartLogOpensThisRunsFileBesideTheProgram) {
  ConfigureLog(4, LOG_TIME | LOG_FILE, "");
  testing::internal::CaptureStdout();
  StartLog();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(GetLogLevel(), 5);
  EXPECT_EQ(GetLogFlags(), 0x1Bu);
  std::string path = GetLogPath();
  std::string sep(1, static_cast<char>(PathSeparator()));
  std::string dir = WideToAnsi(GetAppDirectory()) + "logs" + sep;
  ASSERT_EQ(path.rfind(dir, 0), 0u) << path;
  EXPECT_TRUE(std::regex_match(path.substr(dir.size()), std::regex(R"(\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2}\.log)")));
  std::string file;
  ASSERT_TRUE(ReadWholeFile(AnsiToWide(path), file));
  EXPECT_NE(file.find(" 2 StartLog start:" + path), std::string::npos) << file;
  EXPECT_NE(out.find("StartLog start:" + path), std::string::npos) << "also on standard output";
  RemoveFile(AnsiToWide(path));
}

TEST(LogTime, TimeStringPattern) {
  EXPECT_TRUE(std::regex_match(GetTimeString(), std::regex(R"(\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2})")));
}

}  // namespace
}  // namespace vorlix
