#pragma once
// The body of a list: no colour of its own and no inset, so the list's items fill it.

#include "ui/layout/CCanvasUI.h"

namespace vorlix {

class CWhiteCanvasUI : public CCanvasUI {
 public:
  CWhiteCanvasUI() {
    SetBkColor(kUIColorIndexNone);
    SetInset(0, 0);
  }
  const wchar_t* GetClass() const override { return L"WhiteCanvasUI"; }
};

}  // namespace vorlix
