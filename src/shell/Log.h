#pragma once
// The run's diagnostic log: one process-wide logger, lines built piece by piece and written whole under
// one lock, so lines of different threads never mix.
//
//   if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", __LINE__) << "StartRecord" << '\n');
#include <cstdint>
#include <string>

namespace vorlix {

enum LogFlag : uint32_t {
  LOG_TIME = 0x01,
  LOG_LEVEL = 0x02,
  LOG_SOURCE = 0x04,
  LOG_FILE = 0x08,
  LOG_STDOUT = 0x10,
};

constexpr size_t kLogLineBytes = 40960;

// The line being built; it holds the logger's lock from LogBegin until LogWrite.
class CLogLine {
 public:
  CLogLine& operator<<(const char* text);
  CLogLine& operator<<(const std::string& text);
  CLogLine& operator<<(int32_t value);
  CLogLine& operator<<(bool value);
  CLogLine& operator<<(char c);

 private:
  friend class CLogger;
  CLogLine() = default;
  void Append(const char* p, size_t n);
  char m_buf[kLogLineBytes];
  size_t m_used = 0;
};

bool LogEnabled(int level);
CLogLine& LogBegin(int level, const char* source, int line);
void LogWrite(CLogLine& line);
void StartLog();
std::string GetTimeString();

// Direct control of the logger's state, for the program's start-up and for tests.
int GetLogLevel();
uint32_t GetLogFlags();
std::string GetLogPath();
void ConfigureLog(int level, uint32_t flags, const std::string& path);

}  // namespace vorlix
