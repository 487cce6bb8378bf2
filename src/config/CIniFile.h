#pragma once
// An INI engine with the semantics of the Windows profile-string functions, used on every platform so that
// both builds read and write Config.ini the same way:
//   - names of sections and keys match without regard to ASCII case and surrounding blanks;
//   - the first matching section and the first matching key win;
//   - a value is read trimmed, with one pair of enclosing double or single quotes removed;
//   - lines end with CR LF, LF or a lone CR;
//   - a write replaces the one key's line in place, or adds the key at the end of its section, or adds the
//     section at the end of the file; every other byte of the file stays as it was;
//   - new lines end with CR LF; the file is bytes in the system narrow code page, with no byte-order mark,
//     except that a file saved as UTF-16 with its byte-order mark is read and written as UTF-16.
// Values never span lines: a line break inside a written value is stored as a blank, so a value can never
// create or change another key or section.
#include <string>

namespace vorlix {

class CIniFile {
 public:
  // Pure text forms, on the file's bytes.
  static bool Find(const std::string& content, const std::string& section, const std::string& key,
                   std::string& value);
  static std::string Update(const std::string& content, const std::string& section, const std::string& key,
                            const std::string& value);

  // File forms. A missing file reads as empty; a write creates the file when absent. Writes of one process
  // are serialised so that two threads updating different keys both keep their change.
  static bool ReadValue(const std::wstring& path, const std::string& section, const std::string& key,
                        std::string& value);
  static bool WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                         const std::string& value);

  // What a string read gives for an absent key: the caller's default without its trailing blanks.
  static std::wstring DefaultOf(const std::wstring& def);

  // The profile-integer conversion: optional sign and leading decimal digits; text without digits gives 0.
  static int ParseInt(const std::string& text);
};

}  // namespace vorlix
