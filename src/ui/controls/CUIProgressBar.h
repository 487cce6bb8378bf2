#pragma once
// A progress bar drawn from a picture: either the left part of a plain bar picture, or a two-half strip
// (track left, fill right) with an optional animated fill.

#include <memory>

#include "ui/core/CUIControl.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

// Timer of the fill animation.
constexpr unsigned kUIProgressAnimationTimer = 2110;

class CUIProgressBar : public CUIControl {
 public:
  CUIProgressBar();

  const wchar_t* GetClass() const override;
  void Event(UIEvent& event) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  void SetRange(int minimum, int maximum, bool redraw = true);
  void GetRange(int& minimum, int& maximum) const;
  // Clamped into the range.
  void SetValue(int value);
  int GetValue() const { return m_nValue; }
  void SetBarImage(int pngId, UIModule module = nullptr);
  void SetBarImage(std::shared_ptr<IUIImage> image);
  // Frames are stacked vertically; starts the animation.
  void SetAnimationImage(int pngId, int frameCount, UIModule module = nullptr);
  void SetAnimationImage(std::shared_ptr<IUIImage> image, int frameCount);
  void StartAnimation(bool start);
  bool IsAnimating() const { return m_bAnimating; }
  void SetForceStripMode(bool force);
  void SetFixedWidth(int cx) { m_cxWidth = cx; }
  void SetTextStyle(unsigned style) { m_uTextStyle = style; }
  void SetAnimationInterval(unsigned ms) { m_uAnimationInterval = ms; }
  int GetCurrentFrame() const { return m_nCurrentFrame; }
  // Whether the host window paints with a normal state skin image (the plain bar look then applies
  // unless the strip look is forced).
  void SetWindowSkinned(bool skinned) { m_bWindowSkinned = skinned; }

 private:
  int m_nValue = 0;
  int m_cxWidth = 0;
  std::shared_ptr<IUIImage> m_pBarImage;
  std::shared_ptr<IUIImage> m_pAnimationImage;
  int m_nFrameCount = 0;
  int m_nCurrentFrame = 0;
  unsigned m_uTextStyle = 5;
  unsigned m_uAnimationInterval = 50;
  int m_nMax = 100;
  int m_nMin = 0;
  bool m_bAnimating = false;
  bool m_bForceStrip = false;
  bool m_bWindowSkinned = false;
};

}  // namespace vorlix
