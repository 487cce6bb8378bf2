#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/FileSystem.h"
#include "base/TextConv.h"

namespace vorlix {
namespace {
std::string Narrow(const std::wstring& p) { return WideToAnsi(p); }
}  // namespace

wchar_t PathSeparator() { return L'/'; }

bool FileExists(const std::wstring& path) {
  struct stat st{};
  return stat(Narrow(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::wstring& path) {
  struct stat st{};
  return stat(Narrow(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateOneDirectory(const std::wstring& path) { return mkdir(Narrow(path).c_str(), 0777) == 0; }

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  std::ifstream in(Narrow(path), std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  bytes = ss.str();
  return !in.bad();
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  FILE* f = std::fopen(Narrow(path).c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool RemoveFile(const std::wstring& path) { return unlink(Narrow(path).c_str()) == 0; }

long long FileSize(const std::wstring& path) {
  struct stat st{};
  if (stat(Narrow(path).c_str(), &st) != 0) return -1;
  return static_cast<long long>(st.st_size);
}

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  return std::rename(Narrow(from).c_str(), Narrow(to).c_str()) == 0;
}

std::FILE* OpenFile(const std::wstring& path, const char* mode) { return std::fopen(Narrow(path).c_str(), mode); }

std::wstring GetModulePath() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return AnsiToWide(std::string(buf, static_cast<size_t>(n)));
}

}  // namespace vorlix
