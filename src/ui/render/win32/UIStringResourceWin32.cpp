#include <windows.h>

#include <string>

#include "ui/render/UIStringResource.h"

namespace vorlix {

std::wstring PlatformLoadUIString(UIModule module, unsigned id) {
  HINSTANCE instance = module != nullptr ? module : GetModuleHandleW(nullptr);
  wchar_t buffer[256] = {};
  int n = LoadStringW(instance, id, buffer, 256);
  return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n)) : std::wstring();
}

}  // namespace vorlix
