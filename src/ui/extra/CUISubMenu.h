#pragma once
// An item of a menu button's drop-down: one line of text, highlighted while the mouse is over it; a
// release over an enabled item picks it (its owner's SelectItem).

#include "ui/controls/CUIListElement.h"

namespace vorlix {

class CUISubMenu : public CUIListElement {
 public:
  CUISubMenu();

  const wchar_t* GetClass() const override;
  void Event(UIEvent& event) override;
  // The fixed height, or one line of font 1 plus 8.
  UISize GetDesiredSize(UISize available) override;
  void DrawItem(IUIPainter& painter, const UIRect& rc, unsigned ownerState) override;

  void SetFixedHeight(int cy) { m_cyHeight = cy; }

 private:
  int m_cyHeight = 0;
};

}  // namespace vorlix
