#pragma once
// The body of a dialog page: white, 10 pixels of inset.

#include "ui/layout/CCanvasUI.h"

namespace vorlix {

class CDialogCanvasUI : public CCanvasUI {
 public:
  CDialogCanvasUI() {
    SetBkColor(3);
    SetInset(10, 10);
  }
  const wchar_t* GetClass() const override { return L"DialogCanvasUI"; }
};

}  // namespace vorlix
