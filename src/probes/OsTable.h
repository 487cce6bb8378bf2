#pragma once
// The operating-system name reported to the service, from the numbers the platform's extended version
// query gives this program.
#include <string>

namespace vorlix {

struct OsVersionFacts {
  bool queryOk = false;  // false: the version query failed
  unsigned major = 0;
  unsigned minor = 0;
  bool platformIsNt = true;    // false: the 9x family
  bool workstation = true;     // product type VER_NT_WORKSTATION
  bool x64Processor = false;   // processor architecture AMD64
  bool serverR2 = false;       // GetSystemMetrics(SM_SERVERR2) != 0
};

inline constexpr const wchar_t kUnknownOs[] = L"unknown OperatingSystem.";

std::wstring OsNameFromFacts(const OsVersionFacts& facts);

}  // namespace vorlix
