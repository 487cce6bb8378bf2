#pragma once
// A container with a background colour (a style colour index; 65 = none) and an optional watermark. The
// plain canvas and most of its kinds only keep the colour for whoever asks; the menu and combo canvases
// and the group paint with it.

#include "ui/core/UITypes.h"
#include "ui/layout/CUIContainer.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

class CCanvasUI : public CUIContainer {
 public:
  const wchar_t* GetClass() const override;

  void SetBkColor(int index) { m_iBackColor = index; }
  int GetBkColor() const { return m_iBackColor; }
  // The bitmap is not owned; the caller keeps it alive while the canvas shows it.
  void SetWatermark(UIBitmap bitmap, UIPoint position) {
    m_hWatermark = bitmap;
    m_ptWatermark = position;
  }
  UIBitmap GetWatermark() const { return m_hWatermark; }
  UIPoint GetWatermarkPos() const { return m_ptWatermark; }

 protected:
  // The render painter behind a control's painter, or null when it is a plain one.
  static IUIRenderPainter* RenderPainterOf(IUIPainter& painter);

  int m_iBackColor = kUIColorIndexNone;
  UIBitmap m_hWatermark = nullptr;
  UIPoint m_ptWatermark;
};

}  // namespace vorlix
