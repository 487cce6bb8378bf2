#include "config/CIniFile.h"

#include <mutex>
#include <vector>

#include "base/FileSystem.h"
#include "base/TextConv.h"

namespace vorlix {
namespace {

struct Line {
  size_t begin;    // offset of the first byte
  size_t textEnd;  // offset after the text, before CR LF / LF
  size_t end;      // offset after the line ending
};

// A line ends at CR LF, LF or a lone CR, as the system's profile functions read it.
std::vector<Line> SplitLines(const std::string& s) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < s.size()) {
    size_t brk = s.find_first_of("\r\n", pos);
    if (brk == std::string::npos) {
      lines.push_back({pos, s.size(), s.size()});
      break;
    }
    size_t end = brk + 1;
    if (s[brk] == '\r' && end < s.size() && s[end] == '\n') ++end;
    lines.push_back({pos, brk, end});
    pos = end;
  }
  return lines;
}

// Searches only the line's own text: a search running on into the rest of the file makes every lookup
// quadratic in the file's size.
size_t FindInLine(const std::string& s, char c, size_t from, size_t textEnd) {
  for (size_t i = from; i < textEnd; ++i) {
    if (s[i] == c) return i;
  }
  return std::string::npos;
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
  size_t close = FindInLine(s, ']', b + 1, l.textEnd);
  size_t e = close == std::string::npos ? l.textEnd : close;
  name = Trim(s, b + 1, e);
  return true;
}

bool KeyOf(const std::string& s, const Line& l, std::string& key, size_t& eq) {
  eq = FindInLine(s, '=', l.begin, l.textEnd);
  if (eq == std::string::npos) return false;
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
  const std::string wantSection = Trim(section, 0, section.size());
  const std::string wantKey = Trim(key, 0, key.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (SectionName(s, lines[i], name)) {
      if (inside) break;  // the first matching section ends here
      if (SameName(name, wantSection)) {
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
    if (!r.key && KeyOf(s, lines[i], k, eq) && SameName(k, wantKey)) {
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

// A file saved as UTF-16 (little-endian, with its byte-order mark) is read and written as UTF-16, as the
// system does; the engine itself then works on its UTF-8 form, whose structure bytes are the same.
const char kUtf16Mark[] = "\xFF\xFE";

bool IsUtf16(const std::string& bytes) { return bytes.size() >= 2 && bytes.compare(0, 2, kUtf16Mark, 2) == 0; }

void AppendUtf8(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Unpaired surrogates and a trailing odd byte become U+FFFD.
std::string Utf16ToUtf8(const std::string& bytes, size_t from) {
  std::string out;
  out.reserve(bytes.size() - from);
  size_t i = from;
  auto unit = [&](size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
  };
  for (; i + 1 < bytes.size(); i += 2) {
    unsigned u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
      unsigned low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((static_cast<unsigned long>(u) - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

// Bytes that are not UTF-8 become U+FFFD.
std::string Utf8ToUtf16(const std::string& text) {
  std::string out(kUtf16Mark, 2);
  auto put = [&](unsigned long u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int more = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    unsigned long cp = more == 0 ? c : more == 1 ? (c & 0x1F) : more == 2 ? (c & 0x0F) : (c & 0x07);
    size_t next = i + 1;
    bool ok = more >= 0 && i + static_cast<size_t>(more) < text.size();
    for (int k = 0; ok && k < more; ++k, ++next) {
      unsigned char t = static_cast<unsigned char>(text[next]);
      if ((t & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (t & 0x3F);
    }
    if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
      cp = 0xFFFD;
      next = i + 1;
    }
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
    i = next;
  }
  return out;
}

std::string AnsiToUtf8(const std::string& text) { return WideToUtf8(AnsiToWide(text)); }

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
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
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
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    out += "[" + OneLine(section) + "]\r\n" + entry + "\r\n";
  }
  return out;
}

bool CIniFile::ReadValue(const std::wstring& path, const std::string& section, const std::string& key,
                         std::string& value) {
  std::string content;
  if (!ReadWholeFile(path, content)) return false;
  if (!IsUtf16(content)) return Find(content, section, key, value);
  std::string found;
  if (!Find(Utf16ToUtf8(content, 2), AnsiToUtf8(section), AnsiToUtf8(key), found)) return false;
  value = WideToAnsi(Utf8ToWide(found));
  return true;
}

bool CIniFile::WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                          const std::string& value) {
  std::lock_guard<std::mutex> hold(WriteLock());
  std::string content;
  if (FileExists(path) && !ReadWholeFile(path, content)) return false;  // never replace what we could not read
  if (!IsUtf16(content)) return WriteWholeFile(path, Update(content, section, key, value));
  std::string text = Update(Utf16ToUtf8(content, 2), AnsiToUtf8(section), AnsiToUtf8(key), AnsiToUtf8(value));
  return WriteWholeFile(path, Utf8ToUtf16(text));
}

std::wstring CIniFile::DefaultOf(const std::wstring& def) {
  size_t end = def.find_last_not_of(L' ');
  return end == std::wstring::npos ? std::wstring() : def.substr(0, end + 1);
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
