#pragma once
// A canvas inside a control: white, 2 pixels of inset.

#include "ui/layout/CCanvasUI.h"

namespace vorlix {

class CControlCanvasUI : public CCanvasUI {
 public:
  CControlCanvasUI() {
    SetBkColor(3);
    SetInset(2, 2);
  }
  const wchar_t* GetClass() const override { return L"ControlCanvasUI"; }
};

}  // namespace vorlix
