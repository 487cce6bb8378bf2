#include "ui/layout/CHorizontalLayoutUI.h"

#include <algorithm>

namespace vorlix {

const wchar_t* CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

void CHorizontalLayoutUI::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  UIRect inner = MakeUIRect(left + m_rcInset.left, top + m_rcInset.top, right - m_rcInset.right,
                            bottom - m_rcInset.bottom);
  const int w = inner.GetWidth();
  UISize available;
  available.cx = w;
  available.cy = inner.GetHeight();
  int fixedTotal = 0;
  int stretchCount = 0;
  for (int i = 0; i < m_items.GetSize(); ++i) {
    CUIControl* child = GetItem(i);
    if (!child->IsVisible()) continue;
    UISize sz = child->GetDesiredSize(available);
    if (sz.cx == 0) ++stretchCount;
    fixedTotal += sz.cx + m_iChildPadding;
  }
  const int share = stretchCount > 0 ? std::max(0, (w - fixedTotal) / stretchCount) : 0;
  const int remainder = w - share * stretchCount - fixedTotal;

  int x = inner.left;
  int stretchSeen = 0;
  for (int i = 0; i < m_items.GetSize(); ++i) {
    CUIControl* child = GetItem(i);
    if (!child->IsVisible()) continue;
    UISize sz = child->GetDesiredSize(available);
    int width = sz.cx;
    if (width == 0) {
      width = share;
      if (++stretchSeen == stretchCount && remainder > 0) width += remainder;
    }
    child->SetPos(x, inner.top, x + width, inner.bottom);
    x += width + m_iChildPadding;
  }
}

}  // namespace vorlix
