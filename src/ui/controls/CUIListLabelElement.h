#pragma once
// A list row with one line of text: the items of a combo box. Selected on press, right click or double
// click; hot while the mouse is over it.

#include "ui/controls/CUIListElement.h"

namespace vorlix {

class CUIListLabelElement : public CUIListElement {
 public:
  CUIListLabelElement();

  const wchar_t* GetClass() const override;
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  UISize GetDesiredSize(UISize available) override;
  void DrawItem(IUIPainter& painter, const UIRect& rc, unsigned ownerState) override;

  void SetFixedWidth(int cx) { m_cxWidth = cx; }
  // 0: one line of font 1 plus 2.
  void SetFixedHeight(int cy) { m_cyHeight = cy; }
  int GetFixedHeight() const { return m_cyHeight; }
  void SetTextStyle(unsigned style) { m_uTextStyle = style; }

 private:
  int m_cxWidth = 0;
  int m_cyHeight = 0;
  unsigned m_uTextStyle = 0x8804;  // vertical centre, no prefix, end ellipsis
};

}  // namespace vorlix
