#pragma once
// Owned UTF-16 string with a small inline buffer. Short values (up to kMaxInline characters) never touch
// the heap; a longer value gets a block sized to the text, and a short value assigned later moves back
// into the inline buffer and frees that block.

#include <cstddef>

namespace vorlix {

class CStdString {
 public:
  static constexpr int kInlineUnits = 64;
  static constexpr int kMaxInline = 62;

  CStdString();
  CStdString(const wchar_t* text, int length = -1);  // null = empty; length -1 = up to the terminator
  CStdString(wchar_t ch, int count = 1);
  CStdString(const CStdString& other);
  CStdString(CStdString&& other) noexcept;
  ~CStdString();

  CStdString& operator=(const CStdString& other);
  CStdString& operator=(CStdString&& other) noexcept;
  CStdString& operator=(const wchar_t* text);
  CStdString& operator=(wchar_t ch);

  void Assign(const wchar_t* text, int length = -1);
  void Append(const wchar_t* text);
  void Append(const wchar_t* text, int length);
  CStdString& operator+=(const CStdString& other);
  CStdString& operator+=(const wchar_t* text);
  CStdString& operator+=(wchar_t ch);
  CStdString operator+(const CStdString& other) const;
  CStdString operator+(const wchar_t* text) const;

  int GetLength() const { return m_nLength; }
  bool IsEmpty() const { return m_nLength == 0; }
  void Empty();
  const wchar_t* GetData() const { return m_pstr; }
  operator const wchar_t*() const { return m_pstr; }
  wchar_t GetAt(int index) const;  // 0 outside the text
  wchar_t operator[](int index) const { return GetAt(index); }
  void SetAt(int index, wchar_t ch);

  // Ordinal comparison of code units: negative, 0 or positive. A null argument compares as empty.
  int Compare(const wchar_t* text) const;
  int CompareNoCase(const wchar_t* text) const;  // ASCII letters folded
  bool operator==(const wchar_t* text) const { return Compare(text) == 0; }
  bool operator!=(const wchar_t* text) const { return Compare(text) != 0; }
  bool operator==(const CStdString& other) const { return Compare(other.m_pstr) == 0; }
  bool operator!=(const CStdString& other) const { return Compare(other.m_pstr) != 0; }
  bool operator<(const CStdString& other) const { return Compare(other.m_pstr) < 0; }

  int Find(wchar_t ch, int start = 0) const;             // -1 when absent
  int Find(const wchar_t* text, int start = 0) const;    // -1 when absent
  CStdString Left(int count) const;
  CStdString Mid(int pos, int count = -1) const;
  CStdString Right(int count) const;
  int Replace(const wchar_t* from, const wchar_t* to);   // every occurrence; returns how many
  void MakeUpper();                                      // ASCII letters
  void MakeLower();

  // printf-style formatting of wide text (use %ls for wide string arguments so both platforms agree).
  // Returns the new length, or -1 when the pattern could not be formatted (the string is then empty).
  int Format(const wchar_t* pattern, ...);

 private:
  void Reserve(int length);  // room for length characters plus the terminator; keeps the text
  bool IsInline() const { return m_pstr == m_szBuffer; }

  wchar_t* m_pstr;
  int m_nLength = 0;
  wchar_t m_szBuffer[kInlineUnits];
};

inline CStdString operator+(const wchar_t* left, const CStdString& right) {
  CStdString s(left);
  s += right;
  return s;
}

}  // namespace vorlix
