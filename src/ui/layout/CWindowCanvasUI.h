#pragma once
// The body of a plain window: the window canvas colour, 10 pixels of inset.

#include "ui/layout/CCanvasUI.h"

namespace vorlix {

class CWindowCanvasUI : public CCanvasUI {
 public:
  CWindowCanvasUI() {
    SetBkColor(1);
    SetInset(10, 10);
  }
  const wchar_t* GetClass() const override { return L"WindowCanvasUI"; }
};

}  // namespace vorlix
