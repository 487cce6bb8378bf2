#include "probes/OsTable.h"

namespace vorlix {

std::wstring OsNameFromFacts(const OsVersionFacts& f) {
  if (!f.queryOk) return kUnknownOs;
  auto byType = [&](const wchar_t* workstation, const wchar_t* server) {
    return std::wstring(f.workstation ? workstation : server);
  };
  switch (f.major) {
    case 4:
      if (f.minor == 0) return f.platformIsNt ? L"Microsoft Windows NT 4.0" : L"Microsoft Windows 95";
      if (f.minor == 10) return L"Microsoft Windows 98";
      if (f.minor == 90) return L"Microsoft Windows Me";
      break;
    case 5:
      if (f.minor == 0) return L"Microsoft Windows 2000";
      if (f.minor == 1) return L"Microsoft Windows XP";
      if (f.minor == 2) {
        if (f.workstation && f.x64Processor) return L"Microsoft Windows XP Professional x64 Edition";
        return f.serverR2 ? L"Microsoft Windows Server 2003 R2" : L"Microsoft Windows Server 2003";
      }
      break;
    case 6:
      if (f.minor == 0) return byType(L"Microsoft Windows Vista", L"Microsoft Windows Server 2008");
      if (f.minor == 1) return byType(L"Microsoft Windows 7", L"Microsoft Windows Server 2008 R2");
      if (f.minor == 2) return byType(L"Microsoft Windows 8", L"Microsoft Windows Server 2012");
      if (f.minor == 3) return byType(L"Microsoft Windows 8.1", L"Microsoft Windows Server 2012 R2");
      break;
    case 10:
      if (f.minor == 0) {
        return byType(L"Microsoft Windows 10", L"Microsoft Windows Server 2016 Technical Preview");
      }
      break;
    default:
      break;
  }
  return kUnknownOs;
}

}  // namespace vorlix
