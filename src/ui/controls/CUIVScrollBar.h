#pragma once
// The vertical scroll bar of scrolling containers. Position, range, page, line and track step are kept
// in tenths of a pixel so that dragging the thumb over a long range stays smooth; the getters and setters
// speak pixels. Drawn from a six-row, four-column image grid (normal, hot, pushed, disabled).

#include <memory>

#include "ui/core/CUIControl.h"
#include "ui/layout/IUIContainerScrollBar.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

// Auto-repeat while an arrow or the track is held.
constexpr unsigned kUIScrollRepeatTimer = 8888;
constexpr unsigned kUIScrollRepeatMs = 500;

// Scroll codes (VScroll wParam, Scroll notification wParam).
enum : int {
  UISCROLL_LINEUP = 0,
  UISCROLL_LINEDOWN = 1,
  UISCROLL_PAGEUP = 2,
  UISCROLL_PAGEDOWN = 3,
  UISCROLL_THUMB = 4,
};

// The parts of the bar, also the order of the part rectangles into the image.
enum UIScrollPart {
  UISCROLLPART_UP = 0,
  UISCROLLPART_DOWN,
  UISCROLLPART_TRACK_UPPER,
  UISCROLLPART_TRACK_LOWER,
  UISCROLLPART_THUMB_ENDS,
  UISCROLLPART_THUMB_BODY,
  UISCROLLPART_GRIP,
  UISCROLLPART_COUNT
};

class CUIVScrollBar : public CUIControl, public IUIContainerScrollBar {
 public:
  CUIVScrollBar();
  ~CUIVScrollBar() override;

  const wchar_t* GetClass() const override;
  unsigned GetControlFlags() const override;
  bool Activate() override;
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // IUIContainerScrollBar (pixels).
  CUIControl* GetScrollBarControl() override { return this; }
  int GetScrollBarWidth() const override;
  void SetScrollRange(int minimum, int maximum) override { SetScrollRange(minimum, maximum, true); }
  void GetScrollRange(int& minimum, int& maximum) const override;
  void SetScrollPos(int pos) override { SetScrollPos(pos, true); }
  int GetScrollPos() const override;
  void SetPageSize(int page) override;
  int GetPageSize() const override;
  void SetLineSize(int line) override;
  int GetLineSize() const override;
  void SetLook(const UIScrollBarLook& look) override;

  void SetScrollRange(int minimum, int maximum, bool redraw);
  void SetScrollPos(int pos, bool redraw);
  void SetTrackStep(int step);
  // Also derives the bar width, the arrow height and the default part rectangles.
  void SetImage(std::shared_ptr<IUIImage> image);
  void SetImage(int pngId, UIModule module = nullptr);
  void SetPartRect(UIScrollPart part, const UIRect& source);
  const UIRect& GetPartRect(UIScrollPart part) const { return m_rcParts[part]; }
  void SetFixedWidth(int cx) { m_cxFixed = cx; }
  int GetArrowHeight() const;

  // Where the parts lie on the bar now (window coordinates); the thumb spans thumbTop..thumbTop+thumb.
  struct Geometry {
    int arrow = 0;
    int track = 0;
    int thumb = 0;
    int thumbTop = 0;
    UIRect rcUp, rcDown, rcUpperTrack, rcThumb, rcLowerTrack;
  };
  Geometry GetGeometry() const;
  unsigned GetPartState(UIScrollPart part) const { return m_uPartState[part]; }

 private:
  IUIImage* Image() const;
  void DeriveFromImage();
  void Clamp();
  void Step(int tenths, int code);
  void SendToContainer(int code);
  void ClearBits(unsigned bits);
  void PaintPart(class IUIRenderPainter& p, const UIRect& dest, UIScrollPart part, const UIRect& source);
  UIRect Column(UIScrollPart part, unsigned state) const;

  // All in tenths of a pixel.
  int m_nMin = 0;
  int m_nMax = 1000;
  int m_nPage = 200;
  int m_nLine = 10;
  int m_nTrackStep = 100;
  int m_nPos = 0;

  int m_nLastCode = UISCROLL_LINEUP;
  int m_nDragStartY = 0;
  int m_nDragStartX = 0;
  int m_nDragThumbTop = 0;
  unsigned m_uPartState[UISCROLLPART_COUNT] = {};
  int m_cxFixed = 0;
  int m_cxBar = 0;
  int m_cyArrow = 0;
  UIRect m_rcParts[UISCROLLPART_COUNT];
  std::shared_ptr<IUIImage> m_pOwnImage;
  IUIImage* m_pLookImage = nullptr;  // a container's custom look, owned by the container
};

// Installs the scroll bar into the containers (CUIContainer::SetScrollBarFactory); every window host
// calls this before it builds a tree.
void RegisterStandardControls();

}  // namespace vorlix
