#pragma once
// One column title of a list header. A press and release over it is a HeaderClick; the last few
// pixels at its right edge are a sizing grip: pressing there begins a drag (HeaderDragBegin) that
// changes the column's width while the mouse moves, and the release ends it (HeaderDragEnd).

#include "ui/core/CUIControl.h"

namespace vorlix {

class CUIListHeaderItem : public CUIControl {
 public:
  CUIListHeaderItem();

  const wchar_t* GetClass() const override;
  unsigned GetControlFlags() const override;
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // 0: a share of the header's free width.
  void SetFixedWidth(int cx);
  int GetFixedWidth() const { return m_cxWidth; }
  void SetTextStyle(unsigned style) { m_uTextStyle = style; }
  unsigned GetState() const { return m_uState; }
  bool IsDragging() const { return m_bDragging; }
  UIRect GetGripRect() const;

  static constexpr int kGripWidth = 4;
  static constexpr int kMinWidth = 16;

 private:
  int m_cxWidth = 0;
  unsigned m_uTextStyle = 0x24;  // vertical centre, single line
  unsigned m_uState = 0;
  bool m_bDragging = false;
  int m_xDragStart = 0;
  int m_cxDragStart = 0;
};

}  // namespace vorlix
