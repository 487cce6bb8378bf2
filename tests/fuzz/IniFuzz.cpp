// The INI engine on arbitrary file bytes: a write is always read back, and it never changes what another
// key of the file reads.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/CIniFile.h"

using vorlix::CIniFile;

namespace {

std::string Folded(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  std::size_t b = s.find_first_not_of(" \t");
  s = b == std::string::npos ? std::string() : s.substr(b);
  for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  static const char* const kNames[] = {"User", "Misc", "UserId", "Token", " user ", "A", "x y"};
  const char* section = kNames[data[0] % 7];
  const char* key = kNames[data[1] % 7];
  const char* other = kNames[data[2] % 7];
  const std::string content(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::string value = content.substr(0, content.size() < 16 ? content.size() : 16);
  std::string ignored;
  CIniFile::Find(content, section, key, ignored);
  CIniFile::ParseInt(content);

  const std::string after = CIniFile::Update(content, section, key, value);
  std::string read;
  if (!CIniFile::Find(after, section, key, read)) __builtin_trap();
  if (Folded(other) != Folded(key)) {
    std::string before, now;
    bool had = CIniFile::Find(content, section, other, before);
    bool has = CIniFile::Find(after, section, other, now);
    if (had != has || before != now) __builtin_trap();
  }
  return 0;
}
