#include "ui/layout/CTileLayoutUI.h"

#include <algorithm>
#include <vector>

namespace vorlix {

CTileLayoutUI::CTileLayoutUI() { SetInset(10, 10); }

const wchar_t* CTileLayoutUI::GetClass() const { return L"TileLayoutUI"; }

void CTileLayoutUI::SetColumns(int columns) {
  if (columns < 1) return;
  m_nColumns = columns;
}

void CTileLayoutUI::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  UIRect inner = MakeUIRect(left + m_rcInset.left, top + m_rcInset.top, right - m_rcInset.right,
                            bottom - m_rcInset.bottom);
  if (m_pScrollBar != nullptr) inner.right -= m_pScrollBar->GetScrollBarWidth();
  const CUIControl* bar = ScrollBarControl();
  const int cols = m_nColumns;
  const int cellWidth = inner.GetWidth() / cols;
  const int half = m_iChildPadding / 2;

  // The visible children in order (the scroll bar is not a tile).
  std::vector<CUIControl*> tiles;
  for (int i = 0; i < m_items.GetSize(); ++i) {
    CUIControl* child = GetItem(i);
    if (child->IsVisible() && child != bar) tiles.push_back(child);
  }

  int x = inner.left;
  int y = inner.top - m_iScrollPos;
  int rowHeight = 0;
  int lastBottom = inner.top - m_iScrollPos;
  for (std::size_t k = 0; k < tiles.size(); ++k) {
    int col = static_cast<int>(k % static_cast<std::size_t>(cols));
    UIRect cell = MakeUIRect(x, y, x + cellWidth, y);
    if (cols > 1) {
      if (col == 0) {
        cell.right -= half;
      } else if (col == cols - 1) {
        cell.left += half;
      } else {
        cell.left += half;
        cell.right -= half;
      }
    }
    if (m_cyFixed == 0) {
      if (col == 0 || rowHeight == 0) {
        // The row is as high as the tallest of the tiles from here to its end.
        UISize available;
        available.cx = cell.GetWidth();
        available.cy = 9999;
        for (std::size_t j = k; j < tiles.size() && j < k + static_cast<std::size_t>(cols - col); ++j) {
          rowHeight = std::max(rowHeight, tiles[j]->GetDesiredSize(available).cy);
        }
      }
    } else {
      rowHeight = m_cyFixed;
    }
    cell.bottom = cell.top + rowHeight;
    tiles[k]->SetPos(cell.left, cell.top, cell.right, cell.bottom);
    lastBottom = cell.bottom;
    if (col == cols - 1) {
      y += rowHeight + m_iChildPadding;
      x = inner.left;
      rowHeight = 0;
    } else {
      x += cellWidth;
    }
  }
  m_cyContent = m_iScrollPos + lastBottom - inner.top;
  ProcessScrollbar(inner.left, inner.top, inner.right, bottom - m_rcInset.bottom, m_cyContent, 20);
}

}  // namespace vorlix
