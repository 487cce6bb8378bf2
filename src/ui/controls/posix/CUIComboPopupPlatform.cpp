#include "ui/controls/CUIComboBox.h"

namespace vorlix {

// Without a window system there is no popup of its own; a port or a test installs one.
UIComboPopupFactory CUIComboBox::PlatformPopupFactory() { return nullptr; }

}  // namespace vorlix
