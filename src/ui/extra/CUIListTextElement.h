#pragma once
// A list row with one text per column; the columns are the owner list's header items (one column over
// the whole row without them). The texts may hold markup links: a release over one makes it the
// clicked link and sends Link from the row. A press selects the row, a double click also activates it
// (ItemActivate) and reaches the list (DblClick), a right click reaches it as Menu.

#include <vector>

#include "ui/controls/CUIListElement.h"
#include "ui/core/CStdString.h"

namespace vorlix {

class IUIRenderPainter;

class CUIListTextElement : public CUIListElement {
 public:
  CUIListTextElement();

  const wchar_t* GetClass() const override;
  unsigned GetControlFlags() const override;
  // The first column's text.
  void SetText(const wchar_t* text) override;
  void Event(UIEvent& event) override;
  UISize GetDesiredSize(UISize available) override;
  void DrawItem(IUIPainter& painter, const UIRect& rc, unsigned ownerState) override;

  void SetColumnText(int column, const wchar_t* text);
  CStdString GetColumnText(int column) const;
  int GetColumnCount() const { return static_cast<int>(m_aColumns.size()); }
  // 0: one line of font 1 plus 6.
  void SetFixedHeight(int cy) { m_cyHeight = cy; }
  int GetLinkCount() const { return m_nLinks; }
  UIRect GetLinkRect(int index) const;
  int GetClickedLink() const { return m_iClickedLink; }

  static constexpr int kMaxLinks = 8;

 protected:
  // The row's own line (an expandable row is taller once open).
  virtual UIRect RowRect() const { return m_rcItem; }
  // The text of a column as drawn (an expandable row puts its glyph before the first one).
  virtual CStdString DrawnColumnText(int column) const { return GetColumnText(column); }
  // Column rectangles of a row: the header items' horizontal extents, or the whole row.
  std::vector<UIRect> ColumnRects(const UIRect& row) const;
  int RowHeight() const;
  int LinkAt(UIPoint pt) const;

  std::vector<CStdString> m_aColumns;
  int m_cyHeight = 0;
  UIRect m_aLinks[kMaxLinks];
  int m_nLinks = 0;
  int m_iClickedLink = -1;
};

}  // namespace vorlix
