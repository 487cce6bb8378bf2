#include "ui/controls/CUILabel.h"

#include <cstdlib>
#include <cwchar>
#include <string>

#include "ui/controls/UIControlImages.h"
#include "ui/controls/UIMeasure.h"
#include "ui/controls/UITextAttributes.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIMarkup.h"

namespace vorlix {
namespace {

constexpr UIColor kNone = 0x010101;
constexpr unsigned kStatePushed = 0x10;

}  // namespace

CUILabel::CUILabel() = default;

const wchar_t* CUILabel::GetClass() const { return L"LabelPanelUI"; }

unsigned CUILabel::GetControlFlags() const { return m_nLinks > 0 ? UIFLAG_SETCURSOR : 0u; }

bool CUILabel::Activate() {
  if (!CUIControl::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_LINK, static_cast<UIWParam>(m_nClickedLink));
  return true;
}

void CUILabel::SetText(const wchar_t* text) {
  CUIControl::SetText(text);
  if (text == nullptr) return;
  const wchar_t* amp = std::wcschr(text, L'&');
  if (amp != nullptr && amp[1] != 0) SetShortcut(amp[1]);
}

void CUILabel::SetBkColor(UIColor color) {
  m_clrBack = color;
  Invalidate();
}

void CUILabel::SetFrameColor(UIColor color) {
  m_clrFrame = color;
  Invalidate();
}

void CUILabel::SetInnerFrameColor(UIColor color) {
  m_clrInnerFrame = color;
  Invalidate();
}

void CUILabel::SetTextColor(UIColor color, UIColor disabled) {
  m_clrText = color;
  if (disabled != kNone) m_clrDisabledText = disabled;
  Invalidate();
}

void CUILabel::SetTextStyle(unsigned style) {
  if ((style & (UITEXT_CENTER | UITEXT_RIGHT)) != 0) style |= UITEXT_SINGLELINE | UITEXT_VCENTER;
  m_uTextStyle = style;
  Invalidate();
}

void CUILabel::SetImage(int id, UIModule module, bool png) {
  SetImage(png ? LoadControlPng(id, module) : LoadControlJpg(id, module));
}

void CUILabel::SetImage(std::shared_ptr<IUIImage> image) {
  m_pImage = std::move(image);
  m_nCurrentFrame = 0;
  Invalidate();
}

void CUILabel::SetFrameCount(int count) {
  m_nFrameCount = count > 0 ? count : 1;
  if (m_nCurrentFrame >= m_nFrameCount) m_nCurrentFrame = 0;
  Invalidate();
}

void CUILabel::SetImageSourceRect(const UIRect& rc) {
  m_rcImageSource = rc;
  Invalidate();
}

void CUILabel::SetImageSize(int cx, int cy) {
  m_cxImage = cx;
  m_cyImage = cy;
  Invalidate();
}

void CUILabel::StartAnimation(unsigned intervalMs) {
  m_fOpacity = 1.0f;
  KillTimer(kUILabelAnimationTimer);
  SetTimer(kUILabelAnimationTimer, intervalMs != 0 ? intervalMs : m_uAnimationInterval);
}

void CUILabel::StopAnimation() { KillTimer(kUILabelAnimationTimer); }

void CUILabel::StepAnimation() {
  if (m_nCurrentFrame == 0) {
    KillTimer(kUILabelAnimationTimer);
    SetTimer(kUILabelAnimationTimer, m_uAnimationInterval);
  }
  m_nCurrentFrame = (m_nCurrentFrame + 1) % m_nFrameCount;
  m_fOpacity += 0.2f;
  if (m_fOpacity > 1.0f) m_fOpacity = 1.0f;
  Invalidate();
}

CStdString CUILabel::GetClickedLinkText() const {
  if (m_nClickedLink < 0) return CStdString();
  std::wstring text = m_sText.GetData();
  std::size_t pos = 0;
  for (int n = 0;; ++n) {
    // A link tag is "<a" followed by ">" or a space.
    pos = text.find(L"<a", pos);
    while (pos != std::wstring::npos && pos + 2 < text.size() && text[pos + 2] != L'>' && text[pos + 2] != L' ') {
      pos = text.find(L"<a", pos + 2);
    }
    if (pos == std::wstring::npos) return CStdString();
    std::size_t close = text.find(L'>', pos);
    if (close == std::wstring::npos) return CStdString();
    if (n == m_nClickedLink) {
      std::size_t end = text.find(L"</a>", close + 1);
      std::wstring inner = text.substr(close + 1, end == std::wstring::npos ? std::wstring::npos : end - close - 1);
      return CStdString(inner.c_str());
    }
    pos = close + 1;
  }
}

int CUILabel::LinkAt(UIPoint pt) const {
  for (int i = 0; i < m_nLinks; ++i) {
    if (m_rcLinks[i].Contains(pt)) return i;
  }
  return -1;
}

void CUILabel::Event(UIEvent& event) {
  if (!IsVisible() || !IsEnabled()) return;
  switch (event.Type) {
    case UIEVENT_TIMER:
      if (event.wParam == kUILabelAnimationTimer) {
        StepAnimation();
        return;
      }
      break;
    case UIEVENT_SETCURSOR:
      if (m_pManager != nullptr) {
        m_pManager->SetCursorShape(LinkAt(event.ptMouse) >= 0 ? UICursorShape::Hand : UICursorShape::Arrow);
      }
      return;
    case UIEVENT_BUTTONDOWN:
      if (LinkAt(event.ptMouse) >= 0) {
        m_uState |= kStatePushed;
        Invalidate();
      }
      break;
    case UIEVENT_BUTTONUP:
      m_nClickedLink = LinkAt(event.ptMouse);
      if (m_nClickedLink >= 0) Activate();
      m_uState &= ~kStatePushed;
      Invalidate();
      break;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_MOUSELEAVE:
      if (m_nLinks > 0) Invalidate();
      break;
    case UIEVENT_CONTEXTMENU:
      if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_MENU);
      break;
    default:
      break;
  }
  CUIControl::Event(event);
}

void CUILabel::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::wcscmp(name, L"width") == 0) {
    SetFixedWidth(static_cast<int>(std::wcstol(value, nullptr, 10)));
  } else if (std::wcscmp(name, L"align") == 0) {
    SetTextStyle(ApplyAlignAttribute(m_uTextStyle, value));
  } else {
    CUIControl::SetAttribute(name, value);
  }
}

UISize CUILabel::GetDesiredSize(UISize) {
  UISize sz;
  sz.cx = m_cxWidth;
  sz.cy = MeasureFont1Height(m_pManager) + 4;
  return sz;
}

void CUILabel::PaintImage(IUIRenderPainter& p) {
  UIRect area = m_rcItem;
  int inset = m_clrInnerFrame != kNone ? 2 : (m_clrFrame != kNone ? 1 : 0);
  area.left += inset;
  area.top += inset;
  area.right -= inset;
  area.bottom -= inset;
  const int fw = m_pImage->GetWidth() / m_nFrameCount;
  const int fh = m_pImage->GetHeight();
  if (fw <= 0 || fh <= 0 || area.IsEmpty()) return;

  UIRect dest;
  if (!m_rcImageSource.IsEmpty()) {
    UIRect src = m_rcImageSource;
    src.left += m_nCurrentFrame * fw;
    src.right += m_nCurrentFrame * fw;
    dest = area;
    p.DrawImagePartOpacity(dest, *m_pImage, src, m_fOpacity);
  } else {
    int w = fw, h = fh;
    if (m_cxImage != 0 && m_cyImage != 0) {
      w = m_cxImage;
      h = m_cyImage;
    }
    // Keep the frame's proportions, adjusting the side that the area's shape leaves free.
    const double aspect = static_cast<double>(fw) / fh;
    if (static_cast<double>(area.GetWidth()) / area.GetHeight() > aspect) {
      w = static_cast<int>(h * aspect);
    } else {
      h = static_cast<int>(w / aspect);
    }
    int x = area.left + (area.GetWidth() - w) / 2;
    int y = area.top + (area.GetHeight() - h) / 2;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    if (x + w > area.right) w = area.GetWidth();
    if (y + h > area.bottom) h = area.GetHeight();
    dest = MakeUIRect(x, y, x + w, y + h);
    p.DrawImagePartOpacity(dest, *m_pImage, MakeUIRect(m_nCurrentFrame * fw, 0, (m_nCurrentFrame + 1) * fw, fh),
                           m_fOpacity);
  }
  if (m_bImageIsLink && m_sText.IsEmpty()) {
    m_rcLinks[0] = dest;
    m_nLinks = 1;
  }
}

void CUILabel::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr || !rcPaint.Intersects(m_rcItem)) return;
  if (m_clrBack != kNone) p->FillColorRect(m_rcItem, m_clrBack);
  if (m_clrFrame != kNone) p->DrawColorFrame(m_rcItem, m_clrFrame);
  if (m_clrInnerFrame != kNone) {
    p->DrawColorFrame(MakeUIRect(m_rcItem.left + 1, m_rcItem.top + 1, m_rcItem.right - 1, m_rcItem.bottom - 1),
                      m_clrInnerFrame);
  }
  if (m_sText.IsEmpty()) m_nLinks = 0;
  if (m_pImage != nullptr) PaintImage(*p);
  if (m_sText.IsEmpty()) return;

  m_nLinks = kMaxLinks;
  UIRect rc = m_rcItem;
  const UIColor color = IsEnabled() ? m_clrText : m_clrDisabledText;
  const UIMarkupContext ctx = MarkupContextOf(m_pManager);
  if (m_nLineSpacing != -1) {
    DrawPrettyTextEx(*p, ctx, rc, m_sText, color, kNone, m_rcLinks, m_nLinks, m_uTextStyle, m_nLineSpacing,
                     &m_rcDrawnText);
  } else {
    DrawPrettyText(*p, ctx, rc, m_sText, color, kNone, m_rcLinks, m_nLinks, m_uTextStyle);
  }
  // A label that is one short link as a whole is clickable across its width.
  const int len = m_sText.GetLength();
  const wchar_t* t = m_sText.GetData();
  if (m_nLinks == 1 && len >= 4 && std::wcsncmp(t, L"<a", 2) == 0 && std::wcscmp(t + len - 2, L"a>") == 0 &&
      m_rcLinks[0].GetWidth() < 20) {
    m_rcLinks[0].left = m_rcItem.left;
    m_rcLinks[0].right = m_rcItem.right;
  }
}

}  // namespace vorlix
