#include "ui/layout/CUIGroup.h"

#include <algorithm>

#include "ui/core/CUIManager.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"

namespace vorlix {
namespace {

constexpr int kTitleMargin = 10;

UIRect Intersect(const UIRect& a, const UIRect& b) {
  return MakeUIRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom));
}

}  // namespace

CUIGroup::CUIGroup() { SetInset(3, 3); }

const wchar_t* CUIGroup::GetClass() const { return L"GroupUI"; }

UIRect CUIGroup::GetTitleRect(IUIRenderPainter& painter) {
  if (m_sText.IsEmpty()) return UIRect();
  // Measured by the markup painter itself so that tags in the title take no room.
  UIRect measure = MakeUIRect(0, 0, 9999, 100);
  int links = 0;
  DrawPrettyText(painter, MarkupContextOf(m_pManager), measure, m_sText.GetData(), 0, kUIColorNoBackground, nullptr,
                 links, UITEXT_SINGLELINE | UITEXT_CALCRECT);
  const int textWidth = std::max(0, measure.right);
  const int titleHeight = painter.GetStyleFontMetrics(1).height + kTitleMargin;
  int x = m_rcItem.left + kTitleMargin;
  if ((m_uTextStyle & UITEXT_CENTER) != 0) {
    x = m_rcItem.left + (m_rcItem.GetWidth() - textWidth) / 2;
  } else if ((m_uTextStyle & UITEXT_RIGHT) != 0) {
    x = m_rcItem.right - kTitleMargin - textWidth;
  }
  return MakeUIRect(x, m_rcItem.top, x + textWidth, m_rcItem.top + titleHeight);
}

void CUIGroup::PaintTitleBackground(IUIRenderPainter& painter, const UIRect& title) {
  if (CUIStyleTable::IsValidColor(m_iTitleBackColor)) {
    painter.FillColorRect(title, CUIStyleTable::GetColor(m_iTitleBackColor));
    return;
  }
  // No colour of its own: the title shows what the window's background has at that place, so the group
  // picture looks interrupted by the text.
  IUIImage* skin = m_pManager != nullptr ? m_pManager->GetSkinImage(UISKIN_NORMAL) : nullptr;
  if (skin != nullptr) {
    UIRect part = Intersect(title, MakeUIRect(0, 0, skin->GetWidth(), skin->GetHeight()));
    if (!part.IsEmpty()) painter.DrawImagePart(part, *skin, part, false);
    return;
  }
  IUIImage* background = CUISkinImages::Get(UISkinSlot::DialogBackground);
  if (background != nullptr) {
    // The dialog background's middle cell is what a window shows away from its edges.
    const int w = background->GetWidth(), h = background->GetHeight();
    UIRect centre = MakeUIRect(w / 3, h / 3, w - w / 3, h - h / 3);
    if (!centre.IsEmpty()) painter.DrawImagePart(title, *background, centre, true);
  }
}

void CUIGroup::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  IUIRenderPainter* render = RenderPainterOf(painter);
  if (render == nullptr) {
    CUIContainer::Paint(painter, rcPaint);
    return;
  }
  const bool hasText = !m_sText.IsEmpty();
  if (m_pGroupImage != nullptr) {
    UIRect dest = m_rcItem;
    // The frame runs through the middle of the title line.
    if (hasText) dest.top += (render->GetStyleFontMetrics(1).height + kTitleMargin) / 2;
    DrawImage9Grid(*render, dest, MakeUIRect(0, 0, m_pGroupImage->GetWidth(), m_pGroupImage->GetHeight()),
                   *m_pGroupImage, true);
  } else if (CUIStyleTable::IsValidColor(m_iBackColor)) {
    render->FillColorRect(m_rcItem, CUIStyleTable::GetColor(m_iBackColor));
  }
  if (hasText) {
    UIRect title = GetTitleRect(*render);
    PaintTitleBackground(*render, title);
    int links = 0;
    DrawPrettyText(*render, MarkupContextOf(m_pManager), title, m_sText.GetData(), UIRgb(255, 255, 255),
                   kUIColorNoBackground, nullptr, links, (m_uTextStyle | UITEXT_SINGLELINE) & ~UITEXT_CALCRECT);
  }
  CUIContainer::Paint(painter, rcPaint);
}

}  // namespace vorlix
