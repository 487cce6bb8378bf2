// Without a window system the edit has no native editor.
#include "ui/extra/UIEditNative.h"

namespace vorlix {

IUINativeEditor* OpenNativeEditor(CUIEdit*, const UIRect&) { return nullptr; }

}  // namespace vorlix
