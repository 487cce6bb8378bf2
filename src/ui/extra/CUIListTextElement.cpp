#include "ui/extra/CUIListTextElement.h"

#include <cwchar>

#include "ui/controls/UIMeasure.h"
#include "ui/core/CUIManager.h"
#include "ui/extra/CUIListHeader.h"
#include "ui/extra/IUIList.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUIListTextElement::CUIListTextElement() = default;

const wchar_t* CUIListTextElement::GetClass() const { return L"ListTextElementUI"; }

unsigned CUIListTextElement::GetControlFlags() const {
  for (const CStdString& text : m_aColumns) {
    if (std::wcsstr(text, L"<a") != nullptr) return UIFLAG_WANTRETURN | UIFLAG_SETCURSOR;
  }
  return UIFLAG_WANTRETURN;
}

void CUIListTextElement::SetText(const wchar_t* text) { SetColumnText(0, text); }

void CUIListTextElement::SetColumnText(int column, const wchar_t* text) {
  if (column < 0) return;
  if (static_cast<std::size_t>(column) >= m_aColumns.size()) m_aColumns.resize(static_cast<std::size_t>(column) + 1);
  m_aColumns[static_cast<std::size_t>(column)] = text;
  if (column == 0) m_sText = text;
  Invalidate();
}

CStdString CUIListTextElement::GetColumnText(int column) const {
  if (column < 0 || static_cast<std::size_t>(column) >= m_aColumns.size()) return CStdString();
  return m_aColumns[static_cast<std::size_t>(column)];
}

UIRect CUIListTextElement::GetLinkRect(int index) const {
  return index >= 0 && index < m_nLinks ? m_aLinks[index] : UIRect();
}

int CUIListTextElement::RowHeight() const {
  return m_cyHeight != 0 ? m_cyHeight : MeasureFont1Height(m_pManager) + 6;
}

UISize CUIListTextElement::GetDesiredSize(UISize) {
  UISize sz;
  sz.cy = RowHeight();
  return sz;
}

std::vector<UIRect> CUIListTextElement::ColumnRects(const UIRect& row) const {
  std::vector<UIRect> rects;
  auto* list = dynamic_cast<IUIList*>(m_pOwner);
  CUIListHeader* header = list != nullptr ? list->GetHeader() : nullptr;
  if (header != nullptr) {
    for (int i = 0; i < header->GetCount(); ++i) {
      CUIControl* column = header->GetItem(i);
      if (!column->IsVisible()) continue;
      rects.push_back(MakeUIRect(column->GetPos().left, row.top, column->GetPos().right, row.bottom));
    }
  }
  if (rects.empty()) rects.push_back(row);
  return rects;
}

int CUIListTextElement::LinkAt(UIPoint pt) const {
  for (int i = 0; i < m_nLinks; ++i) {
    if (m_aLinks[i].Contains(pt)) return i;
  }
  return -1;
}

void CUIListTextElement::Event(UIEvent& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (m_pManager != nullptr) {
        m_pManager->SetCursorShape(LinkAt(event.ptMouse) >= 0 ? UICursorShape::Hand : UICursorShape::Arrow);
      }
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_CONTEXTMENU:
    case UIEVENT_DBLCLICK:
      if (IsEnabled()) {
        if (m_pOwner != nullptr) m_pOwner->SelectItem(m_iIndex);
        Invalidate();
        if (event.Type == UIEVENT_DBLCLICK) Activate();
      }
      if (m_pOwner != nullptr) m_pOwner->Event(event);
      return;
    case UIEVENT_BUTTONUP: {
      const int link = IsEnabled() ? LinkAt(event.ptMouse) : -1;
      if (link >= 0) {
        m_iClickedLink = link;
        if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_LINK);
      }
      break;
    }
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSELEAVE:
      TrackHot(event);
      return;
    case UIEVENT_MOUSEMOVE:
      // The link under the mouse is drawn underlined.
      if (m_nLinks > 0) Invalidate();
      break;
    default:
      break;
  }
  CUIListElement::Event(event);
}

void CUIListTextElement::DrawItem(IUIPainter& painter, const UIRect& rc, unsigned ownerState) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr || rc.IsEmpty()) return;
  const UIRect row = RowRect();
  int textColor = 26;
  int backColor = kUIColorIndexNone;
  if (!IsEnabled()) {
    textColor = 28;
    backColor = 18;
  } else if (m_bSelected) {
    textColor = 27;
    backColor = 17;
  } else if (m_bHot) {
    backColor = 20;
  }
  if (backColor != kUIColorIndexNone) FillStyleRect(*p, row, backColor);
  const UIMarkupContext ctx = MarkupContextOf(m_pManager);
  const std::vector<UIRect> columns = ColumnRects(row);
  // The links of the last paint tell the markup painter which one is hot; this paint replaces them.
  UIRect previous[kMaxLinks];
  const int previousCount = m_nLinks;
  for (int i = 0; i < previousCount; ++i) previous[i] = m_aLinks[i];
  m_nLinks = 0;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const CStdString text = DrawnColumnText(static_cast<int>(i));
    if (text.IsEmpty()) continue;
    UIRect rcText = MakeUIRect(columns[i].left + 4, columns[i].top, columns[i].right - 4, columns[i].bottom);
    if (rcText.IsEmpty()) continue;
    UIRect links[kMaxLinks];
    int nLinks = kMaxLinks - m_nLinks;
    for (int k = 0; k < nLinks && k < previousCount; ++k) links[k] = previous[k];
    p->SetClip(columns[i]);
    DrawPrettyTextStyle(*p, ctx, rcText, text, textColor, kUIColorIndexNone, links, nLinks,
                        UITEXT_SINGLELINE | UITEXT_VCENTER | UITEXT_END_ELLIPSIS);
    p->RestoreClip();
    for (int k = 0; k < nLinks && m_nLinks < kMaxLinks; ++k) m_aLinks[m_nLinks++] = links[k];
  }
}

}  // namespace vorlix
