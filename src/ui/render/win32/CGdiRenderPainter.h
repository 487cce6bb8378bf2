#pragma once
// The render painter over a GDI device context: style fonts, runs, lines and clipping through GDI,
// images through GDI+.

#include <windows.h>

#include <vector>

#include "ui/render/IUIRenderPainter.h"
#include "ui/render/win32/CGdiPainter.h"

namespace vorlix {

class CGdiRenderPainter : public IUIRenderPainter {
 public:
  explicit CGdiRenderPainter(HDC hdc) : m_hdc(hdc), m_base(hdc) {}
  ~CGdiRenderPainter() override;
  CGdiRenderPainter(const CGdiRenderPainter&) = delete;
  CGdiRenderPainter& operator=(const CGdiRenderPainter&) = delete;

  UIDeviceContext GetNativeContext() const override { return m_hdc; }
  void FillColorRect(const UIRect& rc, UIColor color) override { m_base.FillColorRect(rc, color); }
  void DrawColorFrame(const UIRect& rc, UIColor color) override { m_base.DrawColorFrame(rc, color); }
  void DrawPlainText(const UIRect& rc, const wchar_t* text, UIColor color, unsigned format) override;
  void AlphaBlendBitmap(UIBitmap bitmap, const UIRect& dest, unsigned char alpha) override {
    m_base.AlphaBlendBitmap(bitmap, dest, alpha);
  }

  UIFontMetrics GetStyleFontMetrics(int index) override;
  bool SelectStyleFont(int index) override;
  void RestoreFont() override;
  UISize MeasureText(const wchar_t* text, int count) override;
  int MeasureFit(const wchar_t* text, int count, int maxExtent) override;
  void DrawTextRun(int x, int y, const wchar_t* text, int count, UIColor color) override;
  void DrawColorLine(int x1, int y1, int x2, int y2, UIColor color) override;
  void SetClip(const UIRect& rc) override;
  void RestoreClip() override;
  void DrawImagePart(const UIRect& dest, const IUIImage& image, const UIRect& source, bool tile) override;
  void DrawImagePartOpacity(const UIRect& dest, const IUIImage& image, const UIRect& source, float opacity) override;
  bool IsChildWindow(UIWindow window) override;
  bool CopyParentBackground(UIWindow window, const UIRect& rc) override;
  bool GradientFill(const UIRect& rc, UIColor from, UIColor to, bool vertical) override;

 private:
  HDC m_hdc;
  CGdiPainter m_base;
  HGDIOBJ m_hOldFont = nullptr;
  std::vector<HRGN> m_clips;  // saved clip regions, null where there was none
};

}  // namespace vorlix
