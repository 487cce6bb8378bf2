#include "ui/extra/CUIListExpandElement.h"

#include <algorithm>

#include "ui/core/CUIManager.h"
#include "ui/extra/IUIList.h"
#include "ui/layout/CTileLayoutUI.h"
#include "ui/render/UIImageList.h"

namespace vorlix {

CUIListExpandElement::CUIListExpandElement() = default;

CUIListExpandElement::~CUIListExpandElement() { delete m_pTile; }

const wchar_t* CUIListExpandElement::GetClass() const { return L"ListExpandElementUI"; }
bool CUIListExpandElement::IsExpanded() const { return m_bExpanded; }
bool CUIListExpandElement::IsExpandable() const { return true; }

CTileLayoutUI* CUIListExpandElement::GetExpandContainer() {
  if (m_pTile == nullptr) {
    m_pTile = new CTileLayoutUI();
    m_pTile->SetManager(m_pManager, this);
  }
  return m_pTile;
}

bool CUIListExpandElement::Expand(bool expand) {
  if (expand == m_bExpanded) return true;
  auto* list = dynamic_cast<IUIList*>(m_pOwner);
  if (expand && list != nullptr && !list->IsExpanding()) return false;
  m_bExpanded = expand;
  // The area is simply left out while closed; hiding it would reset its children's own visibility.
  GetExpandContainer();
  NeedUpdate();
  Invalidate();
  if (m_pManager != nullptr) m_pManager->SendNotify(this, expand ? UINOTIFY_ITEMEXPAND : UINOTIFY_ITEMCOLLAPSE);
  return true;
}

void CUIListExpandElement::SetManager(CUIManager* manager, CUIControl* parent) {
  if (m_pTile != nullptr) m_pTile->SetManager(manager, this);
  CUIListTextElement::SetManager(manager, parent);
}

CUIControl* CUIListExpandElement::FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_ME_FIRST) != 0) {
    CUIControl* self = CUIListTextElement::FindControl(proc, data, flags);
    if (self != nullptr) return self;
  }
  if (m_bExpanded && m_pTile != nullptr) {
    CUIControl* hit = m_pTile->FindControl(proc, data, flags);
    if (hit != nullptr) return hit;
  }
  return CUIListTextElement::FindControl(proc, data, flags);
}

UIRect CUIListExpandElement::RowRect() const {
  UIRect row = m_rcItem;
  row.bottom = std::min(row.bottom, row.top + RowHeight());
  return row;
}

void CUIListExpandElement::SetPos(int left, int top, int right, int bottom) {
  CUIListTextElement::SetPos(left, top, right, bottom);
  if (m_bExpanded && m_pTile != nullptr) m_pTile->SetPos(left, RowRect().bottom, right, bottom);
}

int CUIListExpandElement::ExpandHeight(int width) const {
  if (m_pTile == nullptr) return 0;
  const UIRect& inset = m_pTile->GetInset();
  const int columns = m_pTile->GetColumns();
  const int cellWidth = std::max(0, width - inset.left - inset.right) / columns;
  UISize available;
  available.cx = cellWidth;
  available.cy = 9999;
  // Rows of tiles as the tile layout forms them: as high as their tallest tile.
  int height = 0, rowHeight = 0, inRow = 0, rows = 0;
  for (int i = 0; i < m_pTile->GetCount(); ++i) {
    CUIControl* tile = m_pTile->GetItem(i);
    if (!tile->IsVisible()) continue;
    rowHeight = std::max(rowHeight, tile->GetDesiredSize(available).cy);
    if (++inRow == columns) {
      height += rowHeight;
      ++rows;
      rowHeight = 0;
      inRow = 0;
    }
  }
  if (inRow > 0) {
    height += rowHeight;
    ++rows;
  }
  if (rows == 0) return 0;
  return inset.top + height + (rows - 1) * m_pTile->GetChildPadding() + inset.bottom;
}

UISize CUIListExpandElement::GetDesiredSize(UISize available) {
  UISize sz = CUIListTextElement::GetDesiredSize(available);
  if (m_bExpanded) sz.cy += ExpandHeight(available.cx);
  return sz;
}

UIRect CUIListExpandElement::GetGlyphRect() const {
  const UIRect row = RowRect();
  const std::vector<UIRect> columns = ColumnRects(row);
  // The markup's inline image: a square of max(16, frame width), advancing by an eighth more.
  const int frameWidth = CUIImageList::Find(m_bExpanded ? kGlyphOpen : kGlyphClosed).frameWidth;
  const int size = std::max(16, frameWidth);
  const int left = columns.front().left + 4;
  return MakeUIRect(left, row.top, left + size + size / 8, row.bottom);
}

CStdString CUIListExpandElement::DrawnColumnText(int column) const {
  CStdString text = GetColumnText(column);
  if (column != 0) return text;
  return CStdString(m_bExpanded ? L"<i 14> " : L"<i 13> ") + text;
}

void CUIListExpandElement::Event(UIEvent& event) {
  if (event.Type == UIEVENT_BUTTONDOWN && IsEnabled() && GetGlyphRect().Contains(event.ptMouse)) {
    Expand(!m_bExpanded);
  }
  CUIListTextElement::Event(event);
}

void CUIListExpandElement::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  DrawItem(painter, RowRect(), 0);
  if (m_bExpanded && m_pTile != nullptr && m_pTile->GetPos().Intersects(rcPaint)) m_pTile->Paint(painter, rcPaint);
}

}  // namespace vorlix
