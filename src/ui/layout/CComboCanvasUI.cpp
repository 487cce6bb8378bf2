#include "ui/layout/CComboCanvasUI.h"

#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"

namespace vorlix {

CComboCanvasUI::CComboCanvasUI() {
  SetBkColor(3);
  SetInset(1, 3);
}

const wchar_t* CComboCanvasUI::GetClass() const { return L"ComboCanvasUI"; }

void CComboCanvasUI::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  IUIRenderPainter* render = RenderPainterOf(painter);
  IUIImage* image = CUISkinImages::Get(UISkinSlot::DropDownHighlight);
  const int frameWidth = image != nullptr ? image->GetWidth() / 4 : 0;
  if (render != nullptr && image != nullptr && frameWidth > 0) {
    DrawImage9Grid(*render, m_rcItem, MakeUIRect(0, 0, frameWidth, image->GetHeight()), *image, true);
  } else if (CUIStyleTable::IsValidColor(m_iBackColor)) {
    painter.FillColorRect(m_rcItem, CUIStyleTable::GetColor(m_iBackColor));
  }
  CUIContainer::Paint(painter, rcPaint);
}

}  // namespace vorlix
