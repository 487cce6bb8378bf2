#include "ui/controls/CUIVScrollBar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "ui/controls/UIButtonDraw.h"
#include "ui/controls/UIControlImages.h"
#include "ui/core/CUIManager.h"
#include "ui/layout/CUIContainer.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIImageList.h"

namespace vorlix {
namespace {

// Rows of the image grid, top to bottom.
enum { kRowUp = 0, kRowDown, kRowTrack, kRowEnds, kRowGrip, kRowBody, kRowCount };

// Without any picture the bar keeps the system's scroll bar width.
constexpr int kDefaultWidth = 17;

IUIContainerScrollBar* CreateStandardScrollBar(CUIContainer*) { return new CUIVScrollBar(); }

int DefaultRow(UIScrollPart part) {
  switch (part) {
    case UISCROLLPART_UP: return kRowUp;
    case UISCROLLPART_DOWN: return kRowDown;
    case UISCROLLPART_TRACK_UPPER:
    case UISCROLLPART_TRACK_LOWER: return kRowTrack;
    case UISCROLLPART_THUMB_ENDS: return kRowEnds;
    case UISCROLLPART_THUMB_BODY: return kRowBody;
    default: return kRowGrip;
  }
}

}  // namespace

void RegisterStandardControls() { CUIContainer::SetScrollBarFactory(&CreateStandardScrollBar); }

CUIVScrollBar::CUIVScrollBar() = default;

CUIVScrollBar::~CUIVScrollBar() {
  if (m_pManager != nullptr) m_pManager->KillTimer(this, kUIScrollRepeatTimer);
}

const wchar_t* CUIVScrollBar::GetClass() const { return L"SliderCtrlUI"; }
unsigned CUIVScrollBar::GetControlFlags() const { return UIFLAG_TABSTOP | UIFLAG_SETCURSOR; }

bool CUIVScrollBar::Activate() {
  if (!CUIControl::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_CLICK);
  return true;
}

IUIImage* CUIVScrollBar::Image() const {
  if (m_pOwnImage != nullptr) return m_pOwnImage.get();
  if (m_pLookImage != nullptr) return m_pLookImage;
  return CUISkinImages::Get(UISkinSlot::ScrollBar);
}

int CUIVScrollBar::GetScrollBarWidth() const {
  if (m_cxFixed > 0) return m_cxFixed;
  if (m_cxBar > 0) return m_cxBar;
  IUIImage* image = Image();
  if (image != nullptr && image->GetWidth() >= 4) return image->GetWidth() / 4;
  if (m_pManager != nullptr && m_pManager->GetScrollBarSize().cx > 0) return m_pManager->GetScrollBarSize().cx;
  return kDefaultWidth;
}

int CUIVScrollBar::GetArrowHeight() const {
  if (m_cyArrow > 0) return m_cyArrow;
  IUIImage* image = Image();
  if (image != nullptr && image->GetHeight() >= kRowCount) return image->GetHeight() / kRowCount;
  if (m_pManager != nullptr && m_pManager->GetScrollBarSize().cy > 0) return m_pManager->GetScrollBarSize().cy;
  return kDefaultWidth;
}

void CUIVScrollBar::SetScrollRange(int minimum, int maximum, bool redraw) {
  m_nMin = minimum * 10;
  m_nMax = maximum * 10;
  if (m_nPage > m_nMax) m_nPage = m_nMax;
  Clamp();
  if (redraw) Invalidate();
}

void CUIVScrollBar::GetScrollRange(int& minimum, int& maximum) const {
  minimum = m_nMin / 10;
  maximum = m_nMax / 10;
}

void CUIVScrollBar::SetScrollPos(int pos, bool redraw) {
  m_nPos = pos * 10;
  Clamp();
  if (redraw) Invalidate();
}

int CUIVScrollBar::GetScrollPos() const { return m_nPos / 10; }

void CUIVScrollBar::SetPageSize(int page) {
  m_nPage = std::min(page * 10, m_nMax);
  Clamp();
}

int CUIVScrollBar::GetPageSize() const { return m_nPage / 10; }
void CUIVScrollBar::SetLineSize(int line) { m_nLine = line * 10; }
int CUIVScrollBar::GetLineSize() const { return m_nLine / 10; }
void CUIVScrollBar::SetTrackStep(int step) { m_nTrackStep = step * 10; }

void CUIVScrollBar::SetLook(const UIScrollBarLook& look) {
  m_pLookImage = look.pImage;
  for (int i = 0; i < UISCROLLPART_COUNT; ++i) {
    if (!look.rcParts[i].IsEmpty()) m_rcParts[i] = look.rcParts[i];
  }
  // The two values of a custom look are the bar width and the arrow height.
  if (look.nValue1 > 0) m_cxBar = look.nValue1;
  if (look.nValue2 > 0) m_cyArrow = look.nValue2;
  Invalidate();
}

void CUIVScrollBar::SetImage(std::shared_ptr<IUIImage> image) {
  m_pOwnImage = std::move(image);
  DeriveFromImage();
  Invalidate();
}

void CUIVScrollBar::SetImage(int pngId, UIModule module) { SetImage(LoadControlPng(pngId, module)); }

void CUIVScrollBar::DeriveFromImage() {
  IUIImage* image = Image();
  if (image == nullptr) return;
  m_cxBar = image->GetWidth() / 4;
  m_cyArrow = image->GetHeight() / kRowCount;
  for (int i = 0; i < UISCROLLPART_COUNT; ++i) m_rcParts[i] = UIRect();
}

void CUIVScrollBar::SetPartRect(UIScrollPart part, const UIRect& source) {
  if (part < 0 || part >= UISCROLLPART_COUNT) return;
  m_rcParts[part] = source;
  Invalidate();
}

void CUIVScrollBar::Clamp() {
  // The minimum wins when the page is larger than the range.
  m_nPos = std::max(m_nMin, std::min(m_nPos, m_nMax - m_nPage));
}

CUIVScrollBar::Geometry CUIVScrollBar::GetGeometry() const {
  Geometry g;
  const UIRect& rc = m_rcItem;
  const int height = rc.GetHeight();
  g.arrow = GetArrowHeight();
  g.track = height - 2 * g.arrow;
  const int range = m_nMax - m_nMin;
  g.thumb = range > 0 ? static_cast<int>(static_cast<long long>(m_nPage) * g.track / range) : g.track;
  g.thumb = std::max(g.thumb, 2 * g.arrow);
  const int movable = range - m_nPage;
  int offset = movable > 0 ? static_cast<int>(static_cast<long long>(m_nPos - m_nMin) * (g.track - g.thumb) / movable) : 0;
  g.thumbTop = rc.top + g.arrow + offset;
  g.thumbTop = std::max(g.thumbTop, rc.top + g.arrow + 3);
  g.thumbTop = std::min(g.thumbTop, rc.bottom - g.arrow - g.thumb - 3);
  g.rcUp = MakeUIRect(rc.left, rc.top, rc.right, rc.top + g.arrow);
  g.rcDown = MakeUIRect(rc.left, rc.bottom - g.arrow, rc.right, rc.bottom);
  g.rcUpperTrack = MakeUIRect(rc.left, rc.top + g.arrow, rc.right, g.thumbTop);
  g.rcThumb = MakeUIRect(rc.left, g.thumbTop, rc.right, g.thumbTop + g.thumb);
  g.rcLowerTrack = MakeUIRect(rc.left, g.thumbTop + g.thumb, rc.right, rc.bottom - g.arrow);
  return g;
}

void CUIVScrollBar::ClearBits(unsigned bits) {
  for (unsigned& s : m_uPartState) s &= ~bits;
}

void CUIVScrollBar::Step(int tenths, int code) {
  m_nPos += tenths;
  Clamp();
  m_nLastCode = code;
}

void CUIVScrollBar::SendToContainer(int code) {
  auto* container = dynamic_cast<CUIContainer*>(m_pParent);
  if (container == nullptr) return;
  UIEvent e;
  e.Type = UIEVENT_VSCROLL;
  e.pSender = this;
  e.wParam = static_cast<UIWParam>(code);
  if (m_pManager != nullptr) e.ptMouse = m_pManager->GetMousePos();
  container->Event(e);
}

void CUIVScrollBar::Event(UIEvent& event) {
  if (dynamic_cast<CUIContainer*>(m_pParent) == nullptr) {
    CUIControl::Event(event);
    return;
  }
  const int before = m_nPos;
  const Geometry g = GetGeometry();
  const UIPoint pt = event.ptMouse;
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK: {
      int part = -1, step = 0, code = -1;
      if (g.rcThumb.Contains(pt)) {
        part = UISCROLLPART_THUMB_BODY;
        m_nDragStartY = pt.y;
        m_nDragStartX = pt.x;
        m_nDragThumbTop = g.thumbTop;
      } else if (g.rcUp.Contains(pt)) {
        part = UISCROLLPART_UP, step = -m_nLine, code = UISCROLL_LINEUP;
      } else if (g.rcDown.Contains(pt)) {
        part = UISCROLLPART_DOWN, step = m_nLine, code = UISCROLL_LINEDOWN;
      } else if (g.rcUpperTrack.Contains(pt)) {
        part = UISCROLLPART_TRACK_UPPER, step = -m_nTrackStep, code = UISCROLL_PAGEUP;
      } else if (g.rcLowerTrack.Contains(pt)) {
        part = UISCROLLPART_TRACK_LOWER, step = m_nTrackStep, code = UISCROLL_PAGEDOWN;
      }
      if (part >= 0) m_uPartState[part] |= UISTATE_PUSHED | UISTATE_CAPTURED;
      if (code >= 0) {
        Step(step, code);
        SendToContainer(code);
      }
      if (m_pManager != nullptr) {
        m_pManager->KillTimer(this, kUIScrollRepeatTimer);
        m_pManager->SetTimer(this, kUIScrollRepeatTimer, kUIScrollRepeatMs);
      }
      Invalidate();
      break;
    }
    case UIEVENT_MOUSEMOVE:
      if ((m_uPartState[UISCROLLPART_THUMB_BODY] & UISTATE_CAPTURED) != 0) {
        const int movable = g.track - g.thumb;
        if (movable > 0) {
          const double raw = m_nMin + static_cast<double>(m_nDragThumbTop + pt.y - m_nDragStartY - m_rcItem.top -
                                                          g.arrow) /
                                          movable * (m_nMax - m_nPage - m_nMin);
          m_nPos = static_cast<int>(raw);
          Clamp();
          if (m_nLine > 0) {
            // Nearest line; an exact half goes up unless the pointer has wandered right of the drag start.
            const double lines = static_cast<double>(m_nPos) / m_nLine;
            double whole = std::floor(lines);
            const double frac = lines - whole;
            if (frac > 0.5 || (frac == 0.5 && pt.x <= m_nDragStartX)) whole += 1;
            m_nPos = static_cast<int>(whole) * m_nLine;
            Clamp();
          }
          m_nLastCode = UISCROLL_THUMB;
          SendToContainer(UISCROLL_THUMB);
        }
        Invalidate();
      } else {
        bool captured = false;
        for (unsigned s : m_uPartState) captured = captured || (s & UISTATE_CAPTURED) != 0;
        if (!captured) {
          ClearBits(UISTATE_HOT);
          if (g.rcThumb.Contains(pt)) {
            m_uPartState[UISCROLLPART_THUMB_BODY] |= UISTATE_HOT;
            m_uPartState[UISCROLLPART_TRACK_UPPER] |= UISTATE_HOT;
            m_uPartState[UISCROLLPART_TRACK_LOWER] |= UISTATE_HOT;
          } else if (g.rcUpperTrack.Contains(pt) || g.rcLowerTrack.Contains(pt)) {
            m_uPartState[UISCROLLPART_TRACK_UPPER] |= UISTATE_HOT;
            m_uPartState[UISCROLLPART_TRACK_LOWER] |= UISTATE_HOT;
          } else if (g.rcUp.Contains(pt)) {
            m_uPartState[UISCROLLPART_UP] |= UISTATE_HOT;
          } else if (g.rcDown.Contains(pt)) {
            m_uPartState[UISCROLLPART_DOWN] |= UISTATE_HOT;
          }
          Invalidate();
        }
      }
      break;
    case UIEVENT_TIMER:
      if (event.wParam == kUIScrollRepeatTimer) {
        int code = -1, step = 0;
        if ((m_uPartState[UISCROLLPART_UP] & UISTATE_PUSHED) != 0) {
          code = UISCROLL_LINEUP, step = -m_nLine;
        } else if ((m_uPartState[UISCROLLPART_DOWN] & UISTATE_PUSHED) != 0) {
          code = UISCROLL_LINEDOWN, step = m_nLine;
        } else if ((m_uPartState[UISCROLLPART_TRACK_UPPER] & UISTATE_PUSHED) != 0) {
          code = UISCROLL_PAGEUP, step = -m_nPage;
        } else if ((m_uPartState[UISCROLLPART_TRACK_LOWER] & UISTATE_PUSHED) != 0) {
          code = UISCROLL_PAGEDOWN, step = m_nPage;
        }
        if (code >= 0) {
          Step(step, code);
          SendToContainer(code);
          Invalidate();
        }
      }
      break;
    case UIEVENT_SCROLLWHEEL:
      if (event.wParam == 0) {
        Step(-m_nLine, UISCROLL_LINEUP);
        SendToContainer(UISCROLL_LINEUP);
      } else if (event.wParam == 1) {
        Step(m_nLine, UISCROLL_LINEDOWN);
        SendToContainer(UISCROLL_LINEDOWN);
      }
      Invalidate();
      break;
    case UIEVENT_BUTTONUP:
      ClearBits(UISTATE_PUSHED | UISTATE_CAPTURED);
      Clamp();
      if (m_pManager != nullptr) m_pManager->KillTimer(this, kUIScrollRepeatTimer);
      Invalidate();
      break;
    case UIEVENT_MOUSELEAVE:
      ClearBits(UISTATE_HOT);
      Invalidate();
      break;
    default:
      break;
  }
  if (m_nPos != before && m_pManager != nullptr) {
    m_pManager->SendNotify(this, UINOTIFY_SCROLL, static_cast<UIWParam>(m_nLastCode));
  }
  CUIControl::Event(event);
}

void CUIVScrollBar::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::wcscmp(name, L"width") == 0) {
    SetFixedWidth(static_cast<int>(std::wcstol(value, nullptr, 10)));
  } else if (std::wcscmp(name, L"align") == 0) {
    // A vertical bar has nothing to align; accepted like the other text-less controls.
  } else {
    CUIControl::SetAttribute(name, value);
  }
}

UISize CUIVScrollBar::GetDesiredSize(UISize) {
  UISize sz;
  sz.cx = GetScrollBarWidth();
  return sz;
}

UIRect CUIVScrollBar::Column(UIScrollPart part, unsigned state) const {
  UIRect src = m_rcParts[part];
  if (src.IsEmpty()) {
    IUIImage* image = Image();
    const int rowHeight = image->GetHeight() / kRowCount;
    const int row = DefaultRow(part);
    src = MakeUIRect(0, row * rowHeight, image->GetWidth(), (row + 1) * rowHeight);
  }
  const int col = (state & UISTATE_PUSHED) != 0 ? 2 : ((state & UISTATE_HOT) != 0 ? 1 : 0);
  const int cw = src.GetWidth() / 4;
  return MakeUIRect(src.left + col * cw, src.top, src.left + (col + 1) * cw, src.bottom);
}

void CUIVScrollBar::PaintPart(IUIRenderPainter& p, const UIRect& dest, UIScrollPart, const UIRect& source) {
  if (dest.IsEmpty() || source.IsEmpty()) return;
  p.DrawImagePart(dest, *Image(), source, false);
}

void CUIVScrollBar::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  IUIImage* image = Image();
  if (p == nullptr || image == nullptr || !rcPaint.Intersects(m_rcItem)) return;
  const Geometry g = GetGeometry();
  PaintPart(*p, g.rcUp, UISCROLLPART_UP, Column(UISCROLLPART_UP, m_uPartState[UISCROLLPART_UP]));
  PaintPart(*p, g.rcDown, UISCROLLPART_DOWN, Column(UISCROLLPART_DOWN, m_uPartState[UISCROLLPART_DOWN]));

  // The track row is stretched only where the area is taller than the row (less its last line).
  UIRect upper = Column(UISCROLLPART_TRACK_UPPER, m_uPartState[UISCROLLPART_TRACK_UPPER]);
  upper.bottom = upper.top + std::min(g.rcUpperTrack.GetHeight(), upper.GetHeight() - 1);
  PaintPart(*p, g.rcUpperTrack, UISCROLLPART_TRACK_UPPER, upper);
  const UIRect lowerDest = MakeUIRect(m_rcItem.left, g.thumbTop, m_rcItem.right, m_rcItem.bottom - g.arrow);
  UIRect lower = Column(UISCROLLPART_TRACK_LOWER, m_uPartState[UISCROLLPART_TRACK_LOWER]);
  lower.top = lower.bottom - std::min(lowerDest.GetHeight(), lower.GetHeight() - 1);
  PaintPart(*p, lowerDest, UISCROLLPART_TRACK_LOWER, lower);

  const unsigned thumbState = m_uPartState[UISCROLLPART_THUMB_BODY];
  UIRect body = Column(UISCROLLPART_THUMB_BODY, thumbState);
  const int cw = body.GetWidth();
  const int left = m_rcItem.left;
  body.bottom -= 1;
  const int bodyTop = g.thumbTop + g.arrow / 2;
  PaintPart(*p, MakeUIRect(left, bodyTop, left + cw, bodyTop + g.thumb - g.arrow + 1), UISCROLLPART_THUMB_BODY, body);
  const UIRect ends = Column(UISCROLLPART_THUMB_ENDS, thumbState);
  const int half = ends.GetHeight() / 2;
  PaintPart(*p, MakeUIRect(left, g.thumbTop, left + ends.GetWidth(), g.thumbTop + half), UISCROLLPART_THUMB_ENDS,
            MakeUIRect(ends.left, ends.top, ends.right, ends.top + half));
  const int thumbBottom = g.thumbTop + g.thumb;
  PaintPart(*p, MakeUIRect(left, thumbBottom - (ends.GetHeight() - half), left + ends.GetWidth(), thumbBottom),
            UISCROLLPART_THUMB_ENDS, MakeUIRect(ends.left, ends.top + half, ends.right, ends.bottom));
  const UIRect grip = Column(UISCROLLPART_GRIP, thumbState);
  const int gripTop = g.thumbTop + (g.thumb - grip.GetHeight()) / 2;
  PaintPart(*p, MakeUIRect(left, gripTop, left + grip.GetWidth(), gripTop + grip.GetHeight()), UISCROLLPART_GRIP, grip);
}

}  // namespace vorlix
