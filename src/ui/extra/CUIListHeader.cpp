#include "ui/extra/CUIListHeader.h"

#include <cwchar>

#include "ui/controls/UIMeasure.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUIListHeader::CUIListHeader() = default;

const wchar_t* CUIListHeader::GetClass() const { return L"ListHeaderUI"; }

void* CUIListHeader::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"ListHeader") == 0) return this;
  return CHorizontalLayoutUI::GetInterface(name);
}

UISize CUIListHeader::GetDesiredSize(UISize) {
  UISize sz;
  sz.cx = m_cxFixed;
  sz.cy = m_cyFixed != 0 ? m_cyFixed : MeasureFont1Height(m_pManager) + 6;
  return sz;
}

void CUIListHeader::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p != nullptr) {
    UIColor from = 0, to = 0;
    CUIStyleTable::GetColorPair(22, from, to);
    DrawGradient(*p, m_rcItem, from, to, true, 16);
  }
  CHorizontalLayoutUI::Paint(painter, rcPaint);
}

}  // namespace vorlix
