#pragma once
// The painter over a GDI device context.

#include <windows.h>

#include "ui/render/IUIPainter.h"

namespace vorlix {

class CGdiPainter : public IUIPainter {
 public:
  explicit CGdiPainter(HDC hdc) : m_hdc(hdc) {}

  UIDeviceContext GetNativeContext() const override { return m_hdc; }
  void FillColorRect(const UIRect& rc, UIColor color) override;
  void DrawColorFrame(const UIRect& rc, UIColor color) override;
  void DrawPlainText(const UIRect& rc, const wchar_t* text, UIColor color, unsigned format) override;
  void AlphaBlendBitmap(UIBitmap bitmap, const UIRect& dest, unsigned char alpha) override;

 private:
  HDC m_hdc;
};

}  // namespace vorlix
