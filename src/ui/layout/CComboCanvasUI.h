#pragma once
// The root of a combo box's drop-down: the first frame of the process-wide drop-down highlight strip
// behind the items when the application set one, else the plain background colour.

#include "ui/layout/CCanvasUI.h"

namespace vorlix {

class CComboCanvasUI : public CCanvasUI {
 public:
  CComboCanvasUI();
  const wchar_t* GetClass() const override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;
};

}  // namespace vorlix
