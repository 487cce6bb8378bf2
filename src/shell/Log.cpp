#include "shell/Log.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <atomic>
#include <mutex>

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"

namespace vorlix {

class CLogger {
 public:
  static CLogger& Get() {
    static CLogger logger;
    return logger;
  }

  CLogLine& Begin(int level, const char* source, int lineNo) {
    m_lock.lock();
    m_line.m_used = 0;
    if (m_flags & LOG_TIME) {
      LocalTime t = GetLocalTimeNow();
      char stamp[64];
      std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d:%03d ", t.year, t.month, t.day, t.hour,
                    t.minute, t.second, t.millisecond);
      m_line << stamp;
    }
    if (m_flags & LOG_LEVEL) m_line << static_cast<int32_t>(level) << ' ';
    if (m_flags & LOG_SOURCE) m_line << (source ? source : "NULL") << '(' << static_cast<int32_t>(lineNo) << ") ";
    return m_line;
  }

  void Write(CLogLine& line) {
    // A line that ran into the cap still ends, so the next one starts on its own.
    if (line.m_used == kLogLineBytes && line.m_buf[kLogLineBytes - 1] != '\n') line.m_buf[kLogLineBytes - 1] = '\n';
    if (m_flags & LOG_STDOUT) {
      std::fwrite(line.m_buf, 1, line.m_used, stdout);
      std::fflush(stdout);
    }
    if ((m_flags & LOG_FILE) && m_path.size() > 1) {
      if (FILE* f = std::fopen(m_path.c_str(), "a")) {
        std::fwrite(line.m_buf, 1, line.m_used, f);
        std::fclose(f);
      }
    }
    m_lock.unlock();
  }

  std::recursive_mutex m_lock;
  CLogLine m_line;
  std::atomic<int> m_level{4};  // read without the lock by LogEnabled
  std::atomic<uint32_t> m_flags{LOG_TIME | LOG_FILE};
  std::string m_path;
};

void CLogLine::Append(const char* p, size_t n) {
  size_t room = kLogLineBytes - m_used;
  if (n > room) n = room;
  std::memcpy(m_buf + m_used, p, n);
  m_used += n;
}

CLogLine& CLogLine::operator<<(const char* text) {
  if (!text) text = "NULL";
  Append(text, std::strlen(text));
  return *this;
}

CLogLine& CLogLine::operator<<(const std::string& text) {
  Append(text.data(), text.size());
  return *this;
}

CLogLine& CLogLine::operator<<(int32_t value) {
  char digits[16];
  int n = std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
  Append(digits, static_cast<size_t>(n));
  return *this;
}

CLogLine& CLogLine::operator<<(bool value) { return *this << (value ? "true" : "false"); }

CLogLine& CLogLine::operator<<(char c) {
  Append(&c, 1);
  return *this;
}

bool LogEnabled(int level) { return level <= CLogger::Get().m_level; }
CLogLine& LogBegin(int level, const char* source, int line) { return CLogger::Get().Begin(level, source, line); }
void LogWrite(CLogLine& line) { CLogger::Get().Write(line); }

std::string GetTimeString() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
#ifdef _WIN32
  localtime_s(&t, &now);
#else
  localtime_r(&now, &t);
#endif
  char buf[64];
  size_t n = std::strftime(buf, sizeof buf, "%Y_%m_%d_%H_%M_%S", &t);
  return std::string(buf, n);
}

namespace {
// Creates every missing folder on the path, one separator at a time.
void CreateDirectoriesForPath(const std::wstring& path) {
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] != PathSeparator()) continue;
    std::wstring prefix = path.substr(0, i + 1);
    if (!DirectoryExists(prefix)) CreateOneDirectory(prefix);
  }
}
}  // namespace

void StartLog() {
  CLogger& log = CLogger::Get();
  std::string sep(1, static_cast<char>(PathSeparator()));
  std::string path = WideToAnsi(GetAppDirectory()) + "logs" + sep + GetTimeString() + ".log";
  if (path.size() > 511) path.resize(511);
  CreateDirectoriesForPath(AnsiToWide(path));
  {
    std::lock_guard<std::recursive_mutex> hold(log.m_lock);
    log.m_level = 5;
    log.m_path = path;
    log.m_flags |= LOG_TIME | LOG_LEVEL | LOG_STDOUT;
  }
  if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", __LINE__) << "StartLog start:" << path << '\n');
}

int GetLogLevel() { return CLogger::Get().m_level; }
uint32_t GetLogFlags() { return CLogger::Get().m_flags; }
std::string GetLogPath() {
  std::lock_guard<std::recursive_mutex> hold(CLogger::Get().m_lock);
  return CLogger::Get().m_path;
}
void ConfigureLog(int level, uint32_t flags, const std::string& path) {
  CLogger& log = CLogger::Get();
  std::lock_guard<std::recursive_mutex> hold(log.m_lock);
  log.m_level = level;
  log.m_flags = flags;
  log.m_path = path;
}

}  // namespace vorlix
