#include "ui/controls/CUIProgressBar.h"

#include "ui/controls/UIControlImages.h"
#include "ui/controls/UIMeasure.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

CUIProgressBar::CUIProgressBar() = default;

const wchar_t* CUIProgressBar::GetClass() const { return L"ProgressBarUI"; }

void CUIProgressBar::SetRange(int minimum, int maximum, bool redraw) {
  m_nMin = minimum;
  m_nMax = maximum;
  if (m_nValue < m_nMin) m_nValue = m_nMin;
  if (m_nValue > m_nMax) m_nValue = m_nMax;
  if (redraw) Invalidate();
}

void CUIProgressBar::GetRange(int& minimum, int& maximum) const {
  minimum = m_nMin;
  maximum = m_nMax;
}

void CUIProgressBar::SetValue(int value) {
  if (value < m_nMin) value = m_nMin;
  if (value > m_nMax) value = m_nMax;
  m_nValue = value;
  // A running animation repaints on its own ticks.
  if (!m_bAnimating) Invalidate();
}

void CUIProgressBar::SetBarImage(int pngId, UIModule module) { SetBarImage(LoadControlPng(pngId, module)); }

void CUIProgressBar::SetBarImage(std::shared_ptr<IUIImage> image) {
  m_pBarImage = std::move(image);
  Invalidate();
}

void CUIProgressBar::SetAnimationImage(int pngId, int frameCount, UIModule module) {
  SetAnimationImage(LoadControlPng(pngId, module), frameCount);
}

void CUIProgressBar::SetAnimationImage(std::shared_ptr<IUIImage> image, int frameCount) {
  m_pAnimationImage = std::move(image);
  m_nFrameCount = frameCount > 0 ? frameCount : 1;
  m_nCurrentFrame = 0;
  StartAnimation(m_pAnimationImage != nullptr);
}

void CUIProgressBar::StartAnimation(bool start) {
  KillTimer(kUIProgressAnimationTimer);
  m_bAnimating = start && SetTimer(kUIProgressAnimationTimer, m_uAnimationInterval);
  Invalidate();
}

void CUIProgressBar::SetForceStripMode(bool force) {
  m_bForceStrip = force;
  Invalidate();
}

void CUIProgressBar::Event(UIEvent& event) {
  if (event.Type != UIEVENT_TIMER || !IsVisible() || !IsEnabled()) return;
  if (event.wParam != kUIProgressAnimationTimer || m_nFrameCount <= 0) return;
  if (m_nCurrentFrame == 0) {
    KillTimer(kUIProgressAnimationTimer);
    SetTimer(kUIProgressAnimationTimer, m_uAnimationInterval);
  }
  m_nCurrentFrame = (m_nCurrentFrame + 1) % m_nFrameCount;
  Invalidate();
}

UISize CUIProgressBar::GetDesiredSize(UISize) {
  UISize sz;
  sz.cx = m_cxWidth;
  sz.cy = MeasureFont1Height(m_pManager) + 4;
  return sz;
}

void CUIProgressBar::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr || !rcPaint.Intersects(m_rcItem)) return;
  const int span = m_nMax - m_nMin;
  const double ratio = span != 0 ? static_cast<double>(m_nValue) / span : 0.0;
  if (m_pBarImage != nullptr && m_pBarImage->GetWidth() > 0) {
    const int iw = m_pBarImage->GetWidth(), ih = m_pBarImage->GetHeight();
    if (m_pManager == nullptr || (m_bWindowSkinned && !m_bForceStrip)) {
      int w = static_cast<int>(iw * ratio);
      if (w > iw) w = iw;
      if (w > 0) {
        p->DrawImagePart(MakeUIRect(m_rcItem.left, m_rcItem.top, m_rcItem.left + w, m_rcItem.top + ih), *m_pBarImage,
                         MakeUIRect(0, 0, w, ih), false);
      }
    } else {
      const int half = iw / 2;
      const int barW = m_rcItem.GetWidth();
      DrawImage9Grid(*p, m_rcItem, MakeUIRect(0, 0, half, ih), *m_pBarImage, true);
      int filled = static_cast<int>(ratio * barW + 0.5);
      if (filled > barW) filled = barW;
      int srcW = filled < half ? filled : half;
      if (m_nValue == m_nMax) srcW = half;
      if (m_nValue == m_nMin) srcW = 0;
      if (filled > 0 && srcW > 0) {
        const UIRect fill = MakeUIRect(m_rcItem.left, m_rcItem.top, m_rcItem.left + filled, m_rcItem.bottom);
        if (m_pAnimationImage != nullptr && m_nFrameCount > 0) {
          const int aw = m_pAnimationImage->GetWidth();
          const int fh = m_pAnimationImage->GetHeight() / m_nFrameCount;
          int y = fill.top;
          if (fh < fill.GetHeight()) y += (fill.GetHeight() - fh) / 2;
          const int w = aw < filled ? aw : filled;
          p->DrawImagePart(MakeUIRect(fill.left, y, fill.left + w, y + fh), *m_pAnimationImage,
                           MakeUIRect(0, m_nCurrentFrame * fh, w, (m_nCurrentFrame + 1) * fh), false);
        } else {
          DrawImage9Grid(*p, fill, MakeUIRect(half, 0, half + srcW, ih), *m_pBarImage, true);
        }
      }
    }
  }
  if (!m_sText.IsEmpty()) {
    UIRect rc = m_rcItem;
    int links = 0;
    DrawPrettyTextStyle(*p, MarkupContextOf(m_pManager), rc, m_sText, 26, kUIColorIndexNone, nullptr, links,
                        m_uTextStyle | UITEXT_SINGLELINE);
  }
}

}  // namespace vorlix
