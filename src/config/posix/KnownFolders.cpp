#include <cstdlib>

#include "base/TextConv.h"
#include "config/Settings.h"

namespace vorlix {

std::wstring QueryVideosFolder() {
  if (const char* xdg = std::getenv("XDG_VIDEOS_DIR"); xdg && *xdg) return AnsiToWide(xdg);
  if (const char* home = std::getenv("HOME"); home && *home) return AnsiToWide(std::string(home) + "/Videos");
  return {};
}

}  // namespace vorlix
