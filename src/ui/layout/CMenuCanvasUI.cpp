#include "ui/layout/CMenuCanvasUI.h"

#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"

namespace vorlix {

CMenuCanvasUI::CMenuCanvasUI() {
  SetBkColor(3);
  SetInset(3, 3);
}

const wchar_t* CMenuCanvasUI::GetClass() const { return L"MenuCanvasUI"; }

void CMenuCanvasUI::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  IUIRenderPainter* render = RenderPainterOf(painter);
  IUIImage* image = CUISkinImages::Get(UISkinSlot::MenuHighlight);
  // The image's top part is the menu's face; the rows below it are the item highlights.
  const int faceHeight = image != nullptr ? (image->GetHeight() - 8) / 3 : 0;
  if (render != nullptr && image != nullptr && faceHeight > 0) {
    DrawImage9Grid(*render, m_rcItem, MakeUIRect(0, 0, image->GetWidth(), faceHeight), *image, true);
  } else if (CUIStyleTable::IsValidColor(m_iBackColor)) {
    // Without a face the menu still needs an opaque background under its items.
    painter.FillColorRect(m_rcItem, CUIStyleTable::GetColor(m_iBackColor));
  }
  CUIContainer::Paint(painter, rcPaint);
}

}  // namespace vorlix
