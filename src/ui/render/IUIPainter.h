#pragma once
// The drawing surface a control paints on. The product draws with GDI into a device context
// (win32/CGdiPainter); tests and ports plug in their own implementation. Deliberately small: the render
// engine adds the style-aware routines (frames, gradients, images, the markup painter) on top.

#include "ui/core/UITypes.h"

namespace vorlix {

// Text format bits (the system's DrawText values).
enum : unsigned {
  UITEXT_CENTER = 0x1,
  UITEXT_RIGHT = 0x2,
  UITEXT_VCENTER = 0x4,
  UITEXT_WORDBREAK = 0x10,
  UITEXT_SINGLELINE = 0x20,
  UITEXT_CALCRECT = 0x400,
  UITEXT_NOPREFIX = 0x800,
  UITEXT_EDITCONTROL = 0x2000,  // break lines as an edit control does
  UITEXT_END_ELLIPSIS = 0x8000,
};

class IUIPainter {
 public:
  virtual ~IUIPainter() = default;

  // The system device context behind this painter (null when there is none, e.g. a recording fake).
  virtual UIDeviceContext GetNativeContext() const = 0;
  // Opaque fill with a colour value.
  virtual void FillColorRect(const UIRect& rc, UIColor color) = 0;
  // 1-pixel outline just inside the rectangle.
  virtual void DrawColorFrame(const UIRect& rc, UIColor color) = 0;
  // Plain text (no markup) in the rectangle, transparent background, with the format bits above; in the
  // system's default GUI font (a render painter: in the style font selected, if any).
  virtual void DrawPlainText(const UIRect& rc, const wchar_t* text, UIColor color, unsigned format) = 0;
  // Per-pixel alpha blit of a 32-bit premultiplied bitmap 1:1 onto the destination, with an extra
  // constant alpha (0..255).
  virtual void AlphaBlendBitmap(UIBitmap bitmap, const UIRect& dest, unsigned char alpha) = 0;
};

}  // namespace vorlix
