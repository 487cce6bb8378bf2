#pragma once
// String resources for the "%{N}" placeholders of the markup painter. The product reads the string
// table of the program's resource module; natively (and in tests) a resolver can be installed.

#include <string>

#include "ui/core/UITypes.h"

namespace vorlix {

using UIStringResolver = std::wstring (*)(unsigned id);

// The text of string resource id (at most 255 characters), empty when there is none.
std::wstring LoadUIString(unsigned id);
// Replaces the lookup; null restores the platform's own.
void SetUIStringResolver(UIStringResolver resolver);
// The module whose string table the platform lookup reads (the first resource module of the program).
void SetUIStringModule(UIModule module);

}  // namespace vorlix
