#pragma once
// A group box: a picture (or the background colour) behind a set of controls, with an optional title
// drawn in white on its own small background at the top edge.

#include <memory>

#include "ui/layout/CCanvasUI.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

class CUIGroup : public CCanvasUI {
 public:
  CUIGroup();
  const wchar_t* GetClass() const override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  void SetGroupImage(std::shared_ptr<IUIImage> image) { m_pGroupImage = std::move(image); }
  IUIImage* GetGroupImage() const { return m_pGroupImage.get(); }
  // Style colour index behind the title; 65: the window's own background shows through.
  void SetTitleBkColor(int index) { m_iTitleBackColor = index; }
  int GetTitleBkColor() const { return m_iTitleBackColor; }
  // Text format bits of the title; UITEXT_CENTER or UITEXT_RIGHT move it along the top edge.
  void SetTextStyle(unsigned style) { m_uTextStyle = style; }
  unsigned GetTextStyle() const { return m_uTextStyle; }

  // Where the title goes for the current rectangle and text (empty without a text).
  UIRect GetTitleRect(IUIRenderPainter& painter);

 private:
  void PaintTitleBackground(IUIRenderPainter& painter, const UIRect& title);

  std::shared_ptr<IUIImage> m_pGroupImage;
  int m_iTitleBackColor = kUIColorIndexNone;
  unsigned m_uTextStyle = UITEXT_SINGLELINE | UITEXT_VCENTER;
};

}  // namespace vorlix
