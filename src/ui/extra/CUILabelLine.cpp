#include "ui/extra/CUILabelLine.h"

#include "ui/render/IUIPainter.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUILabelLine::CUILabelLine() = default;

const wchar_t* CUILabelLine::GetClass() const { return L"LabelLinelUI"; }

void CUILabelLine::SetLineColors(int upperIndex, int lowerIndex) {
  m_iUpperColor = upperIndex;
  m_iLowerColor = lowerIndex;
  Invalidate();
}

UISize CUILabelLine::GetDesiredSize(UISize) {
  UISize sz;
  sz.cy = 2;
  return sz;
}

void CUILabelLine::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  // Each line is a one-pixel-high fill, so the basic painter is enough; a control shorter than two
  // pixels shows only what fits.
  const int rows[2] = {m_iUpperColor, m_iLowerColor};
  for (int i = 0; i < 2; ++i) {
    const int y = m_rcItem.top + i;
    if (y >= m_rcItem.bottom || !CUIStyleTable::IsValidColor(rows[i])) continue;
    painter.FillColorRect(MakeUIRect(m_rcItem.left, y, m_rcItem.right, y + 1), CUIStyleTable::GetColor(rows[i]));
  }
}

}  // namespace vorlix
