#include "ui/extra/CUIListHeaderItem.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "ui/controls/UIButtonDraw.h"
#include "ui/controls/UIMeasure.h"
#include "ui/controls/UITextAttributes.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUIListHeaderItem::CUIListHeaderItem() = default;

const wchar_t* CUIListHeaderItem::GetClass() const { return L"ListHeaderItemUI"; }
unsigned CUIListHeaderItem::GetControlFlags() const { return UIFLAG_SETCURSOR; }

void CUIListHeaderItem::SetFixedWidth(int cx) {
  if (cx == m_cxWidth) return;
  m_cxWidth = cx;
  // The header and every row's columns follow the new width.
  NeedUpdate();
}

UIRect CUIListHeaderItem::GetGripRect() const {
  return MakeUIRect(std::max(m_rcItem.left, m_rcItem.right - kGripWidth), m_rcItem.top, m_rcItem.right,
                    m_rcItem.bottom);
}

void CUIListHeaderItem::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::wcscmp(name, L"width") == 0) {
    SetFixedWidth(static_cast<int>(std::wcstol(value, nullptr, 10)));
  } else if (std::wcscmp(name, L"align") == 0) {
    m_uTextStyle = ApplyAlignAttribute(m_uTextStyle, value);
  } else {
    CUIControl::SetAttribute(name, value);
  }
}

UISize CUIListHeaderItem::GetDesiredSize(UISize) {
  UISize sz;
  sz.cx = m_cxWidth;
  sz.cy = MeasureFont1Height(m_pManager) + 6;
  return sz;
}

void CUIListHeaderItem::Event(UIEvent& event) {
  if (!IsEnabled()) {
    CUIControl::Event(event);
    return;
  }
  const bool inside = m_rcItem.Contains(event.ptMouse);
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (m_pManager != nullptr) {
        m_pManager->SetCursorShape(m_bDragging || GetGripRect().Contains(event.ptMouse) ? UICursorShape::SizeWE
                                                                                        : UICursorShape::Arrow);
      }
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (!inside) break;
      if (GetGripRect().Contains(event.ptMouse)) {
        m_bDragging = true;
        m_xDragStart = event.ptMouse.x;
        m_cxDragStart = m_rcItem.GetWidth();
        if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_HEADERDRAGBEGIN);
      } else {
        m_uState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if (m_bDragging) {
        SetFixedWidth(std::max(kMinWidth, m_cxDragStart + event.ptMouse.x - m_xDragStart));
        return;
      }
      if ((m_uState & UISTATE_CAPTURED) != 0) {
        const unsigned before = m_uState;
        m_uState = inside ? (m_uState | UISTATE_PUSHED) : (m_uState & ~UISTATE_PUSHED);
        if (m_uState != before) Invalidate();
        return;
      }
      break;
    case UIEVENT_BUTTONUP:
      if (m_bDragging) {
        m_bDragging = false;
        if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_HEADERDRAGEND);
        return;
      }
      if ((m_uState & UISTATE_CAPTURED) != 0) {
        m_uState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        if (inside && m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_HEADERCLICK);
        return;
      }
      break;
    case UIEVENT_MOUSEENTER:
      m_uState |= UISTATE_HOT;
      Invalidate();
      return;
    case UIEVENT_MOUSELEAVE:
      m_uState &= ~UISTATE_HOT;
      Invalidate();
      return;
    default:
      break;
  }
  CUIControl::Event(event);
}

void CUIListHeaderItem::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr) return;
  UIColor face = 0, edge = 0;
  CUIStyleTable::GetColorPair(45, face, edge);
  // The header's gradient shows through, except while pressed (face) or hovered (a lighter face).
  if ((m_uState & UISTATE_PUSHED) != 0) {
    p->FillColorRect(m_rcItem, face);
  } else if ((m_uState & UISTATE_HOT) != 0) {
    p->FillColorRect(m_rcItem, CUIStyleTable::GetColor(46));
  }
  // The column separator, inside the grip.
  p->DrawColorLine(m_rcItem.right - 1, m_rcItem.top + 3, m_rcItem.right - 1, m_rcItem.bottom - 3, edge);
  if (m_sText.IsEmpty()) return;
  UIRect rcText = MakeUIRect(m_rcItem.left + 4, m_rcItem.top, m_rcItem.right - kGripWidth, m_rcItem.bottom);
  int links = 0;
  DrawPrettyTextStyle(*p, MarkupContextOf(m_pManager), rcText, m_sText, IsEnabled() ? 34 : 35, kUIColorIndexNone,
                      nullptr, links, m_uTextStyle | UITEXT_SINGLELINE);
}

}  // namespace vorlix
