#include "ui/extra/CUISliderctrl.h"

#include <algorithm>

#include "ui/controls/UIButtonDraw.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

constexpr wchar_t kKeyPageUp = 0x21;
constexpr wchar_t kKeyPageDown = 0x22;
constexpr wchar_t kKeyEnd = 0x23;
constexpr wchar_t kKeyHome = 0x24;
constexpr wchar_t kKeyLeft = 0x25;
constexpr wchar_t kKeyUp = 0x26;
constexpr wchar_t kKeyRight = 0x27;
constexpr wchar_t kKeyDown = 0x28;

constexpr int kDefaultHeight = 20;
constexpr int kTrackHeight = 4;

}  // namespace

CUISliderctrl::CUISliderctrl() = default;

const wchar_t* CUISliderctrl::GetClass() const { return L"SliderCtrlUI"; }
unsigned CUISliderctrl::GetControlFlags() const { return UIFLAG_TABSTOP | UIFLAG_SETCURSOR; }

bool CUISliderctrl::Activate() {
  if (!CUIControl::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_CLICK);
  return true;
}

void CUISliderctrl::SetRange(int minimum, int maximum) {
  m_nMin = minimum;
  m_nMax = std::max(minimum, maximum);
  m_nValue = std::max(m_nMin, std::min(m_nValue, m_nMax));
  Invalidate();
}

void CUISliderctrl::SetValue(int value) {
  m_nValue = std::max(m_nMin, std::min(value, m_nMax));
  Invalidate();
}

void CUISliderctrl::SetLineSize(int line) { m_nLine = std::max(1, line); }
void CUISliderctrl::SetPageSize(int page) { m_nPage = std::max(1, page); }

void CUISliderctrl::ChangeValue(int value) {
  value = std::max(m_nMin, std::min(value, m_nMax));
  if (value == m_nValue) return;
  m_nValue = value;
  Invalidate();
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_VALUECHANGED);
}

UIRect CUISliderctrl::GetThumbRect() const {
  const int travel = std::max(0, m_rcItem.GetWidth() - kThumbWidth);
  const int range = m_nMax - m_nMin;
  const int x = m_rcItem.left + (range > 0 ? static_cast<int>(static_cast<long long>(m_nValue - m_nMin) * travel / range) : 0);
  return MakeUIRect(x, m_rcItem.top, x + kThumbWidth, m_rcItem.bottom);
}

int CUISliderctrl::ValueAt(int x) const {
  const int travel = m_rcItem.GetWidth() - kThumbWidth;
  if (travel <= 0) return m_nMin;
  const long long offset = static_cast<long long>(x - m_nGrabOffset) - (m_rcItem.left + kThumbWidth / 2);
  const long long range = m_nMax - m_nMin;
  // Rounded to the nearest value, halves away from the minimum.
  long long scaled = offset * range;
  long long v = scaled >= 0 ? (scaled + travel / 2) / travel : -((-scaled + travel / 2) / travel);
  v += m_nMin;
  return static_cast<int>(std::max<long long>(m_nMin, std::min<long long>(v, m_nMax)));
}

void CUISliderctrl::Event(UIEvent& event) {
  if (!IsEnabled()) {
    CUIControl::Event(event);
    return;
  }
  const bool inside = m_rcItem.Contains(event.ptMouse);
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (inside) {
        if (m_pManager != nullptr) m_pManager->SetCursorShape(UICursorShape::Hand);
        return;
      }
      break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (inside) {
        const UIRect thumb = GetThumbRect();
        m_uState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        if (thumb.Contains(event.ptMouse)) {
          // Grabbing the thumb keeps it where it was taken (and the value as it is until it moves).
          m_nGrabOffset = event.ptMouse.x - (thumb.left + kThumbWidth / 2);
        } else {
          // A press on the track brings the thumb under the pointer.
          m_nGrabOffset = 0;
          ChangeValue(ValueAt(event.ptMouse.x));
        }
        Invalidate();
        return;
      }
      break;
    case UIEVENT_MOUSEMOVE:
      if ((m_uState & UISTATE_CAPTURED) != 0) {
        ChangeValue(ValueAt(event.ptMouse.x));
        return;
      }
      break;
    case UIEVENT_BUTTONUP:
      if ((m_uState & UISTATE_CAPTURED) != 0) {
        m_uState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        m_nGrabOffset = 0;
        Invalidate();
        if (inside) Activate();
        return;
      }
      break;
    case UIEVENT_KEYDOWN:
      switch (event.chKey) {
        case kKeyLeft:
        case kKeyDown:
          ChangeValue(m_nValue - m_nLine);
          return;
        case kKeyRight:
        case kKeyUp:
          ChangeValue(m_nValue + m_nLine);
          return;
        case kKeyPageUp:
          ChangeValue(m_nValue - m_nPage);
          return;
        case kKeyPageDown:
          ChangeValue(m_nValue + m_nPage);
          return;
        case kKeyHome:
          ChangeValue(m_nMin);
          return;
        case kKeyEnd:
          ChangeValue(m_nMax);
          return;
        default:
          break;
      }
      break;
    case UIEVENT_SCROLLWHEEL:
      // Away from the user raises the value.
      ChangeValue(m_nValue + (event.wParam == 0 ? m_nLine : -m_nLine));
      return;
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

UISize CUISliderctrl::GetDesiredSize(UISize) {
  UISize sz;
  sz.cx = m_cxWidth;
  sz.cy = kDefaultHeight;
  return sz;
}

void CUISliderctrl::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr) return;
  const int mid = (m_rcItem.top + m_rcItem.bottom) / 2;
  const UIRect track = MakeUIRect(m_rcItem.left + kThumbWidth / 2, mid - kTrackHeight / 2,
                                  m_rcItem.right - kThumbWidth / 2, mid + kTrackHeight / 2);
  const bool disabled = !IsEnabled();
  // The groove in the edit frame colours, the part up to the thumb filled.
  DrawFrame(*p, track, disabled ? 41 : 37, disabled ? 42 : 38, disabled ? 32 : 30, UIFRAME_SQUARE);
  const UIRect thumb = GetThumbRect();
  const int filledRight = std::min(track.right - 1, thumb.left + kThumbWidth / 2);
  if (!disabled && filledRight > track.left + 1) {
    FillStyleRect(*p, MakeUIRect(track.left + 1, track.top + 1, filledRight, track.bottom - 1), 24);
  }
  unsigned state = m_uState;
  if (IsFocused()) state |= UISTATE_FOCUSED;
  if (disabled) state |= UISTATE_DISABLED;
  DrawButtonBackground(*p, thumb, state, nullptr, 0);
}

}  // namespace vorlix
