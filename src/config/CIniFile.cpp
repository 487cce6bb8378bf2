#include "config/CIniFile.h"

#include <mutex>
#include <vector>

#include "base/FileSystem.h"

namespace vorlix {
namespace {

struct Line {
  size_t begin;    // offset of the first byte
  size_t textEnd;  // offset after the text, before CR LF / LF
  size_t end;      // offset after the line ending
};

std::vector<Line> SplitLines(const std::string& s) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < s.size()) {
    size_t nl = s.find('\n', pos);
    size_t end = nl == std::string::npos ? s.size() : nl + 1;
    size_t textEnd = nl == std::string::npos ? s.size() : nl;
    if (textEnd > pos && s[textEnd - 1] == '\r') --textEnd;
    lines.push_back({pos, textEnd, end});
    pos = end;
  }
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s, size_t b, size_t e) {
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The section name of a header line, or false when the line is no header.
bool SectionName(const std::string& s, const Line& l, std::string& name) {
  size_t b = l.begin;
  while (b < l.textEnd && IsBlank(s[b])) ++b;
  if (b >= l.textEnd || s[b] != '[') return false;
  size_t close = s.find(']', b + 1);
  size_t e = (close == std::string::npos || close > l.textEnd) ? l.textEnd : close;
  name = Trim(s, b + 1, e);
  return true;
}

bool KeyOf(const std::string& s, const Line& l, std::string& key, size_t& eq) {
  eq = s.find('=', l.begin);
  if (eq == std::string::npos || eq >= l.textEnd) return false;
  key = Trim(s, l.begin, eq);
  return true;
}

struct Located {
  bool section = false;
  size_t headerLine = 0;
  size_t lastContentLine = 0;  // last non-blank line of the section (the header when it has none)
  bool key = false;
  size_t keyLine = 0;
  size_t eq = 0;
};

Located Locate(const std::string& s, const std::vector<Line>& lines, const std::string& section,
               const std::string& key) {
  Located r;
  bool inside = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (SectionName(s, lines[i], name)) {
      if (inside) break;  // the first matching section ends here
      if (SameName(name, Trim(section, 0, section.size()))) {
        inside = true;
        r.section = true;
        r.headerLine = r.lastContentLine = i;
      }
      continue;
    }
    if (!inside) continue;
    if (!Trim(s, lines[i].begin, lines[i].textEnd).empty()) r.lastContentLine = i;
    std::string k;
    size_t eq;
    if (!r.key && KeyOf(s, lines[i], k, eq) && SameName(k, Trim(key, 0, key.size()))) {
      r.key = true;
      r.keyLine = i;
      r.eq = eq;
    }
  }
  return r;
}

std::string OneLine(std::string v) {
  for (char& c : v)
    if (c == '\r' || c == '\n') c = ' ';
  return v;
}

std::mutex& WriteLock() {
  static std::mutex m;
  return m;
}

}  // namespace

bool CIniFile::Find(const std::string& content, const std::string& section, const std::string& key,
                    std::string& value) {
  auto lines = SplitLines(content);
  Located at = Locate(content, lines, section, key);
  if (!at.key) return false;
  std::string v = Trim(content, at.eq + 1, lines[at.keyLine].textEnd);
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  value = v;
  return true;
}

std::string CIniFile::Update(const std::string& content, const std::string& section, const std::string& key,
                             const std::string& value) {
  const std::string entry = OneLine(key) + "=" + OneLine(value);
  auto lines = SplitLines(content);
  Located at = Locate(content, lines, section, key);
  std::string out = content;
  if (at.key) {
    const Line& l = lines[at.keyLine];
    out.replace(l.begin, l.textEnd - l.begin, entry);
  } else if (at.section) {
    const Line& l = lines[at.lastContentLine];
    if (l.end == l.textEnd) {  // the section's last line is the file's unterminated last line
      out.insert(l.end, "\r\n" + entry + "\r\n");
    } else {
      out.insert(l.end, entry + "\r\n");
    }
  } else {
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    out += "[" + OneLine(section) + "]\r\n" + entry + "\r\n";
  }
  return out;
}

bool CIniFile::ReadValue(const std::wstring& path, const std::string& section, const std::string& key,
                         std::string& value) {
  std::string content;
  if (!ReadWholeFile(path, content)) return false;
  return Find(content, section, key, value);
}

bool CIniFile::WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                          const std::string& value) {
  std::lock_guard<std::mutex> hold(WriteLock());
  std::string content;
  if (FileExists(path) && !ReadWholeFile(path, content)) return false;  // never replace what we could not read
  return WriteWholeFile(path, Update(content, section, key, value));
}

int CIniFile::ParseInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  unsigned int v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = v * 10u + static_cast<unsigned>(text[i] - '0');
  return static_cast<int>(negative ? 0u - v : v);
}

}  // namespace vorlix
