#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "config/Settings.h"

namespace vorlix {

std::wstring QueryVideosFolder() {
  PWSTR p = nullptr;
  std::wstring out;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Videos, 0, nullptr, &p)) && p) out = p;
  CoTaskMemFree(p);
  return out;
}

}  // namespace vorlix
