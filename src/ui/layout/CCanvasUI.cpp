#include "ui/layout/CCanvasUI.h"

namespace vorlix {

const wchar_t* CCanvasUI::GetClass() const { return L"CanvasUI"; }

IUIRenderPainter* CCanvasUI::RenderPainterOf(IUIPainter& painter) {
  return dynamic_cast<IUIRenderPainter*>(&painter);
}

}  // namespace vorlix
