#pragma once
// The full drawing surface of the render engine: the basic painter plus style fonts, text runs, lines,
// clipping and image parts. The markup painter, the style routines and the containers draw only through
// this, so they run the same over GDI (win32/CGdiRenderPainter) and over a recording test surface.

#include "ui/render/IUIImage.h"
#include "ui/render/IUIPainter.h"

namespace vorlix {

// What the text layout needs to know about a font. All in pixels; height includes the internal leading.
struct UIFontMetrics {
  int height = 0;
  int ascent = 0;
  int externalLeading = 0;
  int maxCharWidth = 0;
};

class IUIRenderPainter : public IUIPainter {
 public:
  // Metrics of a style font (1..10); an invalid index yields all zeros.
  virtual UIFontMetrics GetStyleFontMetrics(int index) = 0;
  // Selects a style font for the following text calls; an invalid index leaves the selection as it is
  // and returns false.
  virtual bool SelectStyleFont(int index) = 0;
  // Puts back the font that was selected before the first SelectStyleFont.
  virtual void RestoreFont() = 0;
  // Width and height of the first count characters in the selected font.
  virtual UISize MeasureText(const wchar_t* text, int count) = 0;
  // How many of the first count characters fit, in the selected font, into maxExtent pixels.
  virtual int MeasureFit(const wchar_t* text, int count, int maxExtent) = 0;
  // Draws characters with the selected font at (x, y) = top-left of the cell, transparent background.
  virtual void DrawTextRun(int x, int y, const wchar_t* text, int count, UIColor color) = 0;
  // A 1-pixel line from (x1, y1) up to but excluding (x2, y2).
  virtual void DrawColorLine(int x1, int y1, int x2, int y2, UIColor color) = 0;
  // Clips the following drawing to rc intersected with the current clip; calls nest.
  virtual void SetClip(const UIRect& rc) = 0;
  // Undoes the latest SetClip.
  virtual void RestoreClip() = 0;
  // Draws the source part of an image into the destination, stretched, or repeated from the
  // destination's origin when tile is set.
  virtual void DrawImagePart(const UIRect& dest, const IUIImage& image, const UIRect& source, bool tile) = 0;
  // The same stretched (never tiled), with every pixel's alpha scaled by opacity (0 invisible .. 1 as
  // the image is; values outside are clamped). A painter that cannot blend draws the part as it is.
  virtual void DrawImagePartOpacity(const UIRect& dest, const IUIImage& image, const UIRect& source, float opacity) {
    if (opacity > 0.0f) DrawImagePart(dest, image, source, false);
  }
  // Whether the window is a child window (hosts without a picture of their own then show their parent).
  virtual bool IsChildWindow(UIWindow window) { return false; }
  // Fills rc (client coordinates of the child window this painter draws for) with what the window's
  // parent shows behind it; false when that cannot be done.
  virtual bool CopyParentBackground(UIWindow window, const UIRect& rc) { return false; }
  // Smooth gradient through the system's gradient fill; false when that is unavailable (the caller then
  // draws bands).
  virtual bool GradientFill(const UIRect& rc, UIColor from, UIColor to, bool vertical) { return false; }
};

}  // namespace vorlix
