#pragma once
// Static text with markup links, an optional framed background and an optional (animated) picture.

#include <memory>

#include "ui/core/CUIControl.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

// Timer of the picture animation.
constexpr unsigned kUILabelAnimationTimer = 2006;

class CUILabel : public CUIControl {
 public:
  static constexpr int kMaxLinks = 10;

  CUILabel();

  const wchar_t* GetClass() const override;
  unsigned GetControlFlags() const override;
  bool Activate() override;
  void SetText(const wchar_t* text) override;
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // 0x010101 means none.
  void SetBkColor(UIColor color);
  void SetFrameColor(UIColor color);
  void SetInnerFrameColor(UIColor color);
  // disabled 0x010101 leaves the disabled colour unchanged.
  void SetTextColor(UIColor color, UIColor disabled = 0x010101);
  // Centre or right alignment also means single line and vertical centre.
  void SetTextStyle(unsigned style);
  unsigned GetTextStyle() const { return m_uTextStyle; }
  void SetFixedWidth(int cx) { m_cxWidth = cx; }
  // PNG (png true) or JPG resource; a missing one leaves no picture.
  void SetImage(int id, UIModule module = nullptr, bool png = true);
  void SetImage(std::shared_ptr<IUIImage> image);
  void SetFrameCount(int count);
  void SetImageSourceRect(const UIRect& rc);
  void SetImageSize(int cx, int cy);
  void SetImageIsLink(bool isLink) { m_bImageIsLink = isLink; }
  void SetLineSpacing(int spacing) { m_nLineSpacing = spacing; }
  void SetAnimationInterval(unsigned ms) { m_uAnimationInterval = ms; }
  // 0: the stored interval.
  void StartAnimation(unsigned intervalMs = 0);
  void StopAnimation();
  // The text of the clicked link; empty when none was clicked.
  CStdString GetClickedLinkText() const;

  int GetLinkCount() const { return m_nLinks; }
  const UIRect& GetLinkRect(int index) const { return m_rcLinks[index]; }
  int GetClickedLink() const { return m_nClickedLink; }
  int GetCurrentFrame() const { return m_nCurrentFrame; }
  float GetOpacity() const { return m_fOpacity; }
  void SetOpacity(float opacity) { m_fOpacity = opacity; }
  unsigned GetState() const { return m_uState; }

 private:
  int LinkAt(UIPoint pt) const;
  void StepAnimation();
  void PaintImage(class IUIRenderPainter& p);

  int m_cxWidth = 0;
  unsigned m_uTextStyle = 0x24;
  int m_nLinks = 0;
  int m_nClickedLink = -1;
  UIRect m_rcLinks[kMaxLinks];
  UIRect m_rcImageSource;
  unsigned m_uState = 0;
  std::shared_ptr<IUIImage> m_pImage;
  UIColor m_clrText = 0;
  UIColor m_clrDisabledText = UIRgb(0xa7, 0xa6, 0xaa);
  UIColor m_clrBack = 0x010101;
  UIColor m_clrInnerFrame = 0x010101;
  UIColor m_clrFrame = 0x010101;
  int m_nCurrentFrame = 0;
  int m_nFrameCount = 1;
  unsigned m_uAnimationInterval = 100;
  int m_cxImage = 0;
  int m_cyImage = 0;
  bool m_bImageIsLink = false;
  float m_fOpacity = 1.0f;
  int m_nLineSpacing = -1;
  UIRect m_rcDrawnText;
};

}  // namespace vorlix
