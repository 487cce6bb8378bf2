#pragma once
// A separator: two 1-pixel lines along the top of its rectangle, a darker one above a lighter one, so
// it reads as a groove between two parts of a window.

#include "ui/core/CUIControl.h"

namespace vorlix {

class CUILabelLine : public CUIControl {
 public:
  CUILabelLine();

  const wchar_t* GetClass() const override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // Style colour indices of the upper and the lower line.
  void SetLineColors(int upperIndex, int lowerIndex);
  int GetUpperColor() const { return m_iUpperColor; }
  int GetLowerColor() const { return m_iLowerColor; }

 private:
  int m_iUpperColor = 47;  // #c5c1b1
  int m_iLowerColor = 3;   // #ffffff
};

}  // namespace vorlix
