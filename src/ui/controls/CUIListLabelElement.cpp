#include "ui/controls/CUIListLabelElement.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "ui/controls/UIMeasure.h"
#include "ui/controls/UITextAttributes.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUIListLabelElement::CUIListLabelElement() = default;

const wchar_t* CUIListLabelElement::GetClass() const { return L"ListLabelElementUI"; }

void CUIListLabelElement::Event(UIEvent& event) {
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_CONTEXTMENU:
    case UIEVENT_DBLCLICK:
      if (IsEnabled()) {
        if (m_pOwner != nullptr) m_pOwner->SelectItem(m_iIndex);
        Invalidate();
      }
      if (event.Type == UIEVENT_DBLCLICK) {
        // Activation (ItemActivate) is the list element's.
        CUIListElement::Event(event);
      } else if (m_pOwner != nullptr) {
        m_pOwner->Event(event);
      }
      return;
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSELEAVE:
      TrackHot(event);
      return;
    default:
      break;
  }
  CUIListElement::Event(event);
}

void CUIListLabelElement::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::wcscmp(name, L"width") == 0) {
    SetFixedWidth(static_cast<int>(std::wcstol(value, nullptr, 10)));
  } else if (std::wcscmp(name, L"align") == 0) {
    m_uTextStyle = ApplyAlignAttribute(m_uTextStyle, value);
  } else {
    CUIListElement::SetAttribute(name, value);
  }
}

UISize CUIListLabelElement::GetDesiredSize(UISize) {
  UISize sz;
  // The row keeps 80 pixels of a set width for the owner's own parts; never a negative width.
  sz.cx = std::max(0, m_cxWidth - 80);
  sz.cy = m_cyHeight != 0 ? m_cyHeight : MeasureFont1Height(m_pManager) + 2;
  return sz;
}

void CUIListLabelElement::DrawItem(IUIPainter& painter, const UIRect& rc, unsigned ownerState) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr || rc.IsEmpty()) return;
  int textColor = 26;
  int backColor = kUIColorIndexNone;
  int highlightFrame = -1;
  if (!IsEnabled()) {
    textColor = 28;
    backColor = 18;
  } else {
    if (m_bSelected && (ownerState & (UILISTOWNER_FOCUSED | UILISTOWNER_HIGHLIGHT)) == 0) textColor = 27;
    if ((ownerState & UILISTOWNER_HIGHLIGHT) != 0) {
      backColor = 20;
    } else if ((ownerState & UILISTOWNER_FOCUSED) != 0) {
      backColor = 16;
    } else if (m_bSelected) {
      backColor = 17;
      highlightFrame = 2;
    } else if (m_bHot) {
      backColor = 20;
      highlightFrame = 1;
    }
  }
  IUIImage* highlight = CUISkinImages::Get(UISkinSlot::DropDownHighlight);
  if (highlight != nullptr && highlightFrame >= 0) {
    DrawImageFrame(*p, rc, *highlight, highlightFrame);
  } else if (backColor != kUIColorIndexNone) {
    FillStyleRect(*p, rc, backColor);
  }
  if (m_sText.IsEmpty()) return;
  UIRect rcText = MakeUIRect(rc.left + 4, rc.top, rc.right - 4, rc.bottom);
  int links = 0;
  DrawPrettyTextStyle(*p, MarkupContextOf(m_pManager), rcText, m_sText, textColor, kUIColorIndexNone, nullptr, links,
                      m_uTextStyle | UITEXT_SINGLELINE);
}

}  // namespace vorlix
