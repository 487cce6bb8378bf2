#include "ui/controls/UIMeasure.h"

namespace vorlix {

// No window system: only an installed override can measure.
std::unique_ptr<IUIRenderPainter> CreatePlatformMeasurePainter(CUIManager*) { return nullptr; }

}  // namespace vorlix
