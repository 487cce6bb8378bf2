#include "config/Settings.h"
#include "recording/win32/CRecorderControl.h"

namespace vorlix {

void SetRecorderCompatibilityFor(const std::wstring& programDirectory) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers", 0,
                    KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  const std::wstring name = programDirectory + L"obs\\bin\\32bit\\obs32.exe";
  static const wchar_t kLayer[] = L"WIN7RTM";
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(kLayer), sizeof kLayer);
  RegCloseKey(key);
}

void SetRecorderCompatibility() { SetRecorderCompatibilityFor(GetAppDirectory()); }

}  // namespace vorlix
