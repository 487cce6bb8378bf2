#include "ui/core/CStdString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include <vector>

namespace vorlix {
namespace {

int TextLength(const wchar_t* text, int length) {
  if (text == nullptr) return 0;
  int full = static_cast<int>(std::wcslen(text));
  if (length < 0 || length > full) return full;
  return length;
}

wchar_t FoldUpper(wchar_t ch) { return (ch >= L'a' && ch <= L'z') ? static_cast<wchar_t>(ch - 32) : ch; }
wchar_t FoldLower(wchar_t ch) { return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + 32) : ch; }

}  // namespace

CStdString::CStdString() : m_pstr(m_szBuffer) { m_szBuffer[0] = 0; }

CStdString::CStdString(const wchar_t* text, int length) : CStdString() { Assign(text, length); }

CStdString::CStdString(wchar_t ch, int count) : CStdString() {
  if (count < 0) count = 0;
  Reserve(count);
  for (int i = 0; i < count; ++i) m_pstr[i] = ch;
  m_pstr[count] = 0;
  m_nLength = count;
}

CStdString::CStdString(const CStdString& other) : CStdString() { Assign(other.m_pstr, other.m_nLength); }

CStdString::CStdString(CStdString&& other) noexcept : CStdString() { *this = static_cast<CStdString&&>(other); }

CStdString::~CStdString() {
  if (!IsInline()) delete[] m_pstr;
}

CStdString& CStdString::operator=(const CStdString& other) {
  if (this != &other) Assign(other.m_pstr, other.m_nLength);
  return *this;
}

CStdString& CStdString::operator=(CStdString&& other) noexcept {
  if (this == &other) return *this;
  if (other.IsInline()) {
    Assign(other.m_pstr, other.m_nLength);
  } else {
    if (!IsInline()) delete[] m_pstr;
    m_pstr = other.m_pstr;
    m_nLength = other.m_nLength;
    other.m_pstr = other.m_szBuffer;
  }
  other.m_szBuffer[0] = 0;
  other.m_nLength = 0;
  return *this;
}

CStdString& CStdString::operator=(const wchar_t* text) {
  Assign(text);
  return *this;
}

CStdString& CStdString::operator=(wchar_t ch) {
  wchar_t one[2] = {ch, 0};
  Assign(one, 1);
  return *this;
}

void CStdString::Reserve(int length) {
  if (length <= kMaxInline) {
    if (!IsInline()) {
      // Back to the inline buffer: keep what fits, free the block.
      int keep = m_nLength < length ? m_nLength : length;
      std::memcpy(m_szBuffer, m_pstr, sizeof(wchar_t) * keep);
      m_szBuffer[keep] = 0;
      delete[] m_pstr;
      m_pstr = m_szBuffer;
    }
    return;
  }
  // The heap block is sized to the text (plus its terminator); reallocate whenever the size changes.
  wchar_t* block = new wchar_t[length + 1];
  int keep = m_nLength < length ? m_nLength : length;
  std::memcpy(block, m_pstr, sizeof(wchar_t) * keep);
  block[keep] = 0;
  if (!IsInline()) delete[] m_pstr;
  m_pstr = block;
}

void CStdString::Assign(const wchar_t* text, int length) {
  int n = TextLength(text, length);
  if (n == 0) {
    Empty();
    return;
  }
  // The source may live inside our own buffer; copy it out first if so.
  if (text >= m_pstr && text <= m_pstr + m_nLength) {
    CStdString copy(text, n);
    *this = static_cast<CStdString&&>(copy);
    if (n <= kMaxInline) Reserve(n);
    return;
  }
  m_nLength = 0;
  Reserve(n);
  std::memcpy(m_pstr, text, sizeof(wchar_t) * n);
  m_pstr[n] = 0;
  m_nLength = n;
}

void CStdString::Empty() {
  if (!IsInline()) delete[] m_pstr;
  m_pstr = m_szBuffer;
  m_szBuffer[0] = 0;
  m_nLength = 0;
}

void CStdString::Append(const wchar_t* text) { Append(text, -1); }

void CStdString::Append(const wchar_t* text, int length) {
  int n = TextLength(text, length);
  if (n == 0) return;
  if (text >= m_pstr && text <= m_pstr + m_nLength) {
    CStdString copy(text, n);
    Append(copy.m_pstr, n);
    return;
  }
  int total = m_nLength + n;
  Reserve(total);
  std::memcpy(m_pstr + m_nLength, text, sizeof(wchar_t) * n);
  m_pstr[total] = 0;
  m_nLength = total;
}

CStdString& CStdString::operator+=(const CStdString& other) {
  Append(other.m_pstr, other.m_nLength);
  return *this;
}

CStdString& CStdString::operator+=(const wchar_t* text) {
  Append(text);
  return *this;
}

CStdString& CStdString::operator+=(wchar_t ch) {
  wchar_t one[2] = {ch, 0};
  Append(one, 1);
  return *this;
}

CStdString CStdString::operator+(const CStdString& other) const {
  CStdString s(*this);
  s += other;
  return s;
}

CStdString CStdString::operator+(const wchar_t* text) const {
  CStdString s(*this);
  s += text;
  return s;
}

wchar_t CStdString::GetAt(int index) const {
  if (index < 0 || index >= m_nLength) return 0;
  return m_pstr[index];
}

void CStdString::SetAt(int index, wchar_t ch) {
  if (index < 0 || index >= m_nLength || ch == 0) return;
  m_pstr[index] = ch;
}

int CStdString::Compare(const wchar_t* text) const {
  if (text == nullptr) text = L"";
  const wchar_t* a = m_pstr;
  while (*a != 0 && *a == *text) {
    ++a;
    ++text;
  }
  // Compare as unsigned code units so the order is the same whatever the width of wchar_t.
  auto ua = static_cast<unsigned>(*a);
  auto ub = static_cast<unsigned>(*text);
  return ua < ub ? -1 : (ua > ub ? 1 : 0);
}

int CStdString::CompareNoCase(const wchar_t* text) const {
  if (text == nullptr) text = L"";
  const wchar_t* a = m_pstr;
  while (*a != 0 && FoldUpper(*a) == FoldUpper(*text)) {
    ++a;
    ++text;
  }
  auto ua = static_cast<unsigned>(FoldUpper(*a));
  auto ub = static_cast<unsigned>(FoldUpper(*text));
  return ua < ub ? -1 : (ua > ub ? 1 : 0);
}

int CStdString::Find(wchar_t ch, int start) const {
  if (start < 0) start = 0;
  for (int i = start; i < m_nLength; ++i) {
    if (m_pstr[i] == ch) return i;
  }
  return -1;
}

int CStdString::Find(const wchar_t* text, int start) const {
  if (start < 0) start = 0;
  if (start > m_nLength || text == nullptr) return -1;
  const wchar_t* hit = std::wcsstr(m_pstr + start, text);
  return hit == nullptr ? -1 : static_cast<int>(hit - m_pstr);
}

CStdString CStdString::Left(int count) const { return Mid(0, count); }

CStdString CStdString::Mid(int pos, int count) const {
  if (pos < 0) pos = 0;
  if (pos >= m_nLength) return CStdString();
  int avail = m_nLength - pos;
  if (count < 0 || count > avail) count = avail;
  return CStdString(m_pstr + pos, count);
}

CStdString CStdString::Right(int count) const {
  if (count < 0) count = 0;
  if (count > m_nLength) count = m_nLength;
  return CStdString(m_pstr + m_nLength - count, count);
}

int CStdString::Replace(const wchar_t* from, const wchar_t* to) {
  int fromLen = TextLength(from, -1);
  if (fromLen == 0) return 0;
  CStdString result;
  int count = 0;
  int pos = 0;
  for (;;) {
    int hit = Find(from, pos);
    if (hit < 0) break;
    result.Append(m_pstr + pos, hit - pos);
    result.Append(to);
    pos = hit + fromLen;
    ++count;
  }
  if (count == 0) return 0;
  result.Append(m_pstr + pos, m_nLength - pos);
  *this = static_cast<CStdString&&>(result);
  if (m_nLength <= kMaxInline) Reserve(m_nLength);
  return count;
}

void CStdString::MakeUpper() {
  for (int i = 0; i < m_nLength; ++i) m_pstr[i] = FoldUpper(m_pstr[i]);
}

void CStdString::MakeLower() {
  for (int i = 0; i < m_nLength; ++i) m_pstr[i] = FoldLower(m_pstr[i]);
}

int CStdString::Format(const wchar_t* pattern, ...) {
  Empty();
  if (pattern == nullptr) return 0;
  // The wide printf family only says "too small" (-1), never how much is needed: grow until it fits.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    va_list args;
    va_start(args, pattern);
    int n = std::vswprintf(buffer.data(), buffer.size(), pattern, args);
    va_end(args);
    if (n >= 0 && static_cast<std::size_t>(n) < buffer.size()) {
      Assign(buffer.data(), n);
      return n;
    }
    if (buffer.size() >= (1u << 20)) return -1;
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace vorlix
