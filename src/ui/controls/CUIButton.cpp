#include "ui/controls/CUIButton.h"

#include <cwchar>
#include <cstdlib>

#include "ui/controls/UIButtonDraw.h"
#include "ui/controls/UIControlImages.h"
#include "ui/controls/UIMeasure.h"
#include "ui/controls/UITextAttributes.h"
#include "ui/core/CUIManager.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUIButton::CUIButton() = default;

const wchar_t* CUIButton::GetClass() const { return L"ButtonUI"; }

void* CUIButton::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"UIChecked") == 0) return static_cast<IUIChecked*>(this);
  return CUIControl::GetInterface(name);
}

unsigned CUIButton::GetControlFlags() const { return UIFLAG_SETCURSOR; }

bool CUIButton::Activate() {
  if (!CUIControl::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_CLICK);
  return true;
}

void CUIButton::SetText(const wchar_t* text) {
  CUIControl::SetText(text);
  if (text == nullptr) return;
  const wchar_t* amp = std::wcschr(text, L'&');
  if (amp != nullptr && amp[1] != 0) SetShortcut(amp[1]);
}

void CUIButton::SetStateBits(unsigned& state, unsigned bits, bool on) {
  if (on) {
    state |= bits;
  } else {
    state &= ~bits;
  }
}

bool CUIButton::InDropArea(UIPoint pt) const { return !m_rcDropArea.IsEmpty() && m_rcDropArea.Contains(pt); }

void CUIButton::SetCheck(int value) {
  if (value == m_nChecked) return;
  m_nChecked = value;
  Invalidate();
  if (value != 1 || m_nRadioFirst < 0 || m_pManager == nullptr) return;
  for (int id = m_nRadioFirst; id <= m_nRadioLast; ++id) {
    if (id == m_nId) continue;
    CUIControl* other = m_pManager->FindControlById(id);
    if (other == nullptr || other == this) continue;
    auto* checked = static_cast<IUIChecked*>(other->GetInterface(L"UIChecked"));
    if (checked != nullptr) checked->SetCheck(0);
  }
}

void CUIButton::SetRadioGroup(int first, int last) {
  m_nRadioFirst = first;
  m_nRadioLast = last;
}

void CUIButton::SetImage(int pngId, UIModule module) { SetImage(LoadControlPng(pngId, module)); }
void CUIButton::SetDropImage(int pngId, UIModule module) { SetDropImage(LoadControlPng(pngId, module)); }

void CUIButton::SetImage(std::shared_ptr<IUIImage> image) {
  m_pImage = std::move(image);
  Invalidate();
}

void CUIButton::SetDropImage(std::shared_ptr<IUIImage> image) {
  m_pDropImage = std::move(image);
  if (m_pDropImage == nullptr) m_rcDropArea = UIRect();
  Invalidate();
}

void CUIButton::SetTextColors(UIColor normal, UIColor hot, UIColor pushed, UIColor disabled) {
  m_clrNormal = normal;
  m_clrHot = hot;
  m_clrPushed = pushed;
  m_clrDisabled = disabled;
  Invalidate();
}

void CUIButton::SetTextPadding(int x, int y) {
  m_cxTextPadding = x;
  m_cyTextPadding = y;
  Invalidate();
}

void CUIButton::SetTextOffset(int x, int y) {
  m_xTextOffset = x;
  m_yTextOffset = y;
  Invalidate();
}

void CUIButton::SetTextRect(const UIRect& rc) {
  m_rcText = rc;
  Invalidate();
}

void CUIButton::SetTextStyle(unsigned style) {
  if ((style & (UITEXT_CENTER | UITEXT_RIGHT)) != 0) style |= UITEXT_SINGLELINE | UITEXT_VCENTER;
  m_uTextStyle = style;
  Invalidate();
}

void CUIButton::SetBackgroundPolygon(const UIPoint* points, int count) {
  m_aPolygon.clear();
  if (points == nullptr || count <= 0) return;
  if (count > 20) count = 20;
  m_aPolygon.assign(points, points + count);
  Invalidate();
}

void CUIButton::SetDropped(bool dropped) {
  m_bDropped = dropped;
  Invalidate();
}

void CUIButton::SetAlwaysShowDropImage(bool show) {
  m_bAlwaysShowDropImage = show;
  Invalidate();
}

void CUIButton::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::wcscmp(name, L"width") == 0) {
    SetFixedWidth(static_cast<int>(std::wcstol(value, nullptr, 10)));
  } else if (std::wcscmp(name, L"align") == 0) {
    SetTextStyle(ApplyAlignAttribute(m_uTextStyle, value));
  } else {
    CUIControl::SetAttribute(name, value);
  }
}

UISize CUIButton::GetDesiredSize(UISize) {
  UISize sz;
  sz.cx = m_cxWidth != 0 ? m_cxWidth : MeasureMarkupLineWidth(m_pManager, m_sText);
  sz.cy = MeasureFont1Height(m_pManager) + 4;
  sz.cx += 2 * m_cxTextPadding;
  sz.cy += 2 * m_cyTextPadding;
  return sz;
}

void CUIButton::Event(UIEvent& event) {
  const bool inside = m_rcItem.Contains(event.ptMouse);
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (inside && IsEnabled()) {
        if (m_pManager != nullptr) m_pManager->SetCursorShape(UICursorShape::Hand);
        return;
      }
      break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (inside && IsEnabled()) {
        const bool inDrop = InDropArea(event.ptMouse);
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        if (inDrop) m_uDropState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
        if (event.Type == UIEVENT_DBLCLICK) {
          Activate();
          if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_DBLCLICK);
        }
        if (m_nCheckStyle != UICHECKSTYLE_PUSH) {
          if (inDrop) {
            if (!m_bDropped && m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_DROPDOWN);
            return;
          }
          if (m_nRadioFirst >= 0) {
            if (m_nChecked == 0) SetCheck(1);
            if (m_nCheckStyle == UICHECKSTYLE_TOGGLE) Activate();
          } else if (m_nChecked != 0) {
            SetCheck(0);
          } else {
            SetCheck(1);
            if (m_nCheckStyle == UICHECKSTYLE_TOGGLE) Activate();
          }
        }
      }
      break;
    case UIEVENT_MOUSEMOVE:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        SetStateBits(m_uButtonState, UISTATE_PUSHED, inside);
        if (m_nChecked != 0) {
          const bool captured = (m_uDropState & UISTATE_CAPTURED) != 0;
          m_uDropState &= ~(UISTATE_HOT | UISTATE_PUSHED);
          if (inside) m_uDropState |= captured ? UISTATE_PUSHED : UISTATE_HOT;
        }
        Invalidate();
      }
      break;
    case UIEVENT_BUTTONUP:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        if (inside && m_nCheckStyle != UICHECKSTYLE_TOGGLE) Activate();
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        m_uDropState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
      }
      break;
    case UIEVENT_MOUSEENTER:
      m_uButtonState |= UISTATE_HOT;
      if (InDropArea(event.ptMouse)) m_uDropState |= UISTATE_HOT;
      Invalidate();
      break;
    case UIEVENT_MOUSELEAVE:
      m_uButtonState &= ~UISTATE_HOT;
      m_uDropState &= ~UISTATE_HOT;
      Invalidate();
      break;
    default:
      break;
  }
  CUIControl::Event(event);
}

UIRect CUIButton::TextArea() {
  UIRect rc = m_rcText.right != 0 ? m_rcText : m_rcItem;
  rc.left += 1 + m_cxTextPadding;
  rc.right -= 1 + m_cxTextPadding;
  rc.top += 1 + m_cyTextPadding;
  rc.bottom -= 1 + m_cyTextPadding;
  if (m_xTextOffset != 0 || m_yTextOffset != 0) {
    UISize sz = GetDesiredSize(UISize());
    if (m_xTextOffset != 0) {
      rc.left = m_rcItem.left + m_xTextOffset;
      rc.right = rc.left + sz.cx;
    }
    if (m_yTextOffset != 0) {
      rc.top = m_rcItem.top + m_yTextOffset;
      rc.bottom = rc.top + sz.cy;
    }
  }
  return rc;
}

void CUIButton::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr || !rcPaint.Intersects(m_rcItem)) return;
  unsigned state = m_uButtonState;
  if (IsFocused()) state |= UISTATE_FOCUSED;
  if (!IsEnabled()) state |= UISTATE_DISABLED;
  if (m_pDropImage != nullptr) {
    int fw = m_pDropImage->GetWidth() / 4;
    m_rcDropArea = MakeUIRect(m_rcItem.right - fw, m_rcItem.top, m_rcItem.right, m_rcItem.bottom);
  } else {
    m_rcDropArea = UIRect();
  }

  if (m_nCheckStyle == UICHECKSTYLE_BOX || m_nCheckStyle == UICHECKSTYLE_RADIO) {
    DrawCheckOption(*p, m_pManager, m_rcItem, m_sText, state | (m_nChecked != 0 ? UISTATE_CHECKED : 0u),
                    m_uTextStyle, m_nCheckStyle);
    return;
  }
  if (m_nChecked != 0) {
    state |= UISTATE_PUSHED;
  } else if (m_nRadioFirst >= 0) {
    state &= ~UISTATE_PUSHED;
  }
  const bool disabled = (state & UISTATE_DISABLED) != 0;
  const bool pushed = (state & UISTATE_PUSHED) != 0;
  const bool hot = (state & UISTATE_HOT) != 0;

  if (m_pImage != nullptr) {
    DrawImageFrame(*p, m_rcItem, *m_pImage, PickStripFrame(disabled, pushed, hot));
  } else {
    DrawButtonBackground(*p, m_rcItem, state, m_aPolygon.empty() ? nullptr : m_aPolygon.data(),
                         static_cast<int>(m_aPolygon.size()));
  }

  if (m_pDropImage != nullptr && (m_nChecked != 0 || m_bDropped || m_bAlwaysShowDropImage || hot)) {
    unsigned dropState = m_uDropState | (m_bDropped ? UISTATE_PUSHED : 0u);
    int fw = m_pDropImage->GetWidth() / 4, fh = m_pDropImage->GetHeight();
    int frame = PickStripFrame(disabled, (dropState & UISTATE_PUSHED) != 0, (dropState & UISTATE_HOT) != 0);
    p->DrawImagePart(MakeUIRect(m_rcItem.right - fw, m_rcItem.top, m_rcItem.right, m_rcItem.top + fh),
                     *m_pDropImage, MakeUIRect(frame * fw, 0, (frame + 1) * fw, fh), false);
  }

  if (m_sText.IsEmpty()) return;
  UIColor color = disabled ? m_clrDisabled : (pushed ? m_clrPushed : (hot ? m_clrHot : m_clrNormal));
  UIRect rc = TextArea();
  int links = 0;
  DrawPrettyText(*p, MarkupContextOf(m_pManager), rc, m_sText, color, kUIColorNoBackground, nullptr, links,
                 m_uTextStyle | UITEXT_SINGLELINE);
}

}  // namespace vorlix
