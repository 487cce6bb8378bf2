#pragma once
// The root of a menu button's drop-down: the process-wide menu highlight image behind the items when the
// application set one, else the plain background colour.

#include "ui/layout/CCanvasUI.h"

namespace vorlix {

class CMenuCanvasUI : public CCanvasUI {
 public:
  CMenuCanvasUI();
  const wchar_t* GetClass() const override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;
};

}  // namespace vorlix
