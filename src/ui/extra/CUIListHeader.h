#pragma once
// The column header of a list: header items side by side, each as wide as its "width" (0 = a share of
// what is left), on the header gradient.

#include "ui/layout/CHorizontalLayoutUI.h"

namespace vorlix {

class CUIListHeader : public CHorizontalLayoutUI {
 public:
  CUIListHeader();

  const wchar_t* GetClass() const override;
  void* GetInterface(const wchar_t* name) override;
  // The fixed height, or one line of font 1 plus 6.
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;
};

}  // namespace vorlix
