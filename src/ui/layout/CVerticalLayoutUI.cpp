#include "ui/layout/CVerticalLayoutUI.h"

#include <algorithm>

namespace vorlix {

// The class name is spelled this way by everything that looks it up.
const wchar_t* CVerticalLayoutUI::GetClass() const { return L"VertialLayoutUI"; }

void CVerticalLayoutUI::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  UIRect inner = MakeUIRect(left + m_rcInset.left, top + m_rcInset.top, right - m_rcInset.right,
                            bottom - m_rcInset.bottom);
  if (m_pScrollBar != nullptr) inner.right -= m_pScrollBar->GetScrollBarWidth() + 1;
  const int h = inner.GetHeight();
  const CUIControl* bar = ScrollBarControl();

  UISize available;
  available.cx = inner.GetWidth();
  available.cy = h;
  int fixedTotal = 0;
  int stretchCount = 0;
  for (int i = 0; i < m_items.GetSize(); ++i) {
    CUIControl* child = GetItem(i);
    if (!child->IsVisible() || child == bar) continue;
    UISize sz = child->GetDesiredSize(available);
    if (sz.cy == 0) ++stretchCount;
    fixedTotal += sz.cy + m_iChildPadding;
  }
  const int share = stretchCount > 0 ? std::max(0, (h - fixedTotal) / stretchCount) : 0;
  const int remainder = h - share * stretchCount - fixedTotal;

  int y = inner.top - m_iScrollPos;
  int cyContent = 0;
  int cyLine = h;
  int stretchSeen = 0;
  for (int i = 0; i < m_items.GetSize(); ++i) {
    CUIControl* child = GetItem(i);
    if (!child->IsVisible() || child == bar) continue;
    available.cy = std::max(0, h - cyContent);
    UISize sz = child->GetDesiredSize(available);
    int height = sz.cy;
    if (height == 0) {
      height = share;
      if (++stretchSeen == stretchCount && remainder > 0) height += remainder;
    }
    child->SetPos(inner.left, y, inner.right, y + height);
    y += height + m_iChildPadding;
    cyContent += height + m_iChildPadding;
    cyLine = std::min(cyLine, height);
  }
  ProcessScrollbar(inner.left, inner.top, inner.right, bottom - m_rcInset.bottom, cyContent, cyLine);
}

}  // namespace vorlix
