#include "ui/extra/CUISubMenu.h"

#include "ui/controls/UIMeasure.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUISubMenu::CUISubMenu() = default;

const wchar_t* CUISubMenu::GetClass() const { return L"ListMenuLabelElementUI"; }

void CUISubMenu::Event(UIEvent& event) {
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      // Menus act on the release.
      return;
    case UIEVENT_BUTTONUP:
      if (IsEnabled() && m_rcItem.Contains(event.ptMouse) && m_pOwner != nullptr) m_pOwner->SelectItem(m_iIndex);
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

UISize CUISubMenu::GetDesiredSize(UISize) {
  UISize sz;
  sz.cy = m_cyHeight != 0 ? m_cyHeight : MeasureFont1Height(m_pManager) + 8;
  return sz;
}

void CUISubMenu::DrawItem(IUIPainter& painter, const UIRect& rc, unsigned) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr || rc.IsEmpty()) return;
  if (m_bHot && IsEnabled()) {
    // The menu highlight image keeps the menu's face in its top third and the item highlight below it.
    IUIImage* image = CUISkinImages::Get(UISkinSlot::MenuHighlight);
    const int part = image != nullptr ? (image->GetHeight() - 8) / 3 : 0;
    if (image != nullptr && part > 0) {
      DrawImage9Grid(*p, rc, MakeUIRect(0, part, image->GetWidth(), 2 * part), *image, true);
    } else {
      FillStyleRect(*p, rc, 20);
    }
  }
  if (m_sText.IsEmpty()) return;
  UIRect rcText = MakeUIRect(rc.left + 8, rc.top, rc.right - 8, rc.bottom);
  int links = 0;
  DrawPrettyTextStyle(*p, MarkupContextOf(m_pManager), rcText, m_sText, IsEnabled() ? 26 : 28, kUIColorIndexNone,
                      nullptr, links, UITEXT_SINGLELINE | UITEXT_VCENTER | UITEXT_END_ELLIPSIS);
}

}  // namespace vorlix
