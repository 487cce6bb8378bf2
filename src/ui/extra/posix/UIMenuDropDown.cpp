// Without a window system a menu button has no drop-down; its items can still be picked in code.
#include "ui/extra/UIMenuDropDown.h"

namespace vorlix {

IUIMenuDropDown* OpenMenuDropDown(CUIMenuButton*, const UIRect&, int, int) { return nullptr; }

}  // namespace vorlix
