#include <string>

#include "ui/render/UIStringResource.h"

namespace vorlix {

// No resource tables here; texts come from an installed resolver.
std::wstring PlatformLoadUIString(UIModule /*module*/, unsigned /*id*/) { return std::wstring(); }

}  // namespace vorlix
