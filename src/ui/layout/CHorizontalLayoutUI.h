#pragma once
#include "ui/layout/CUIContainer.h"

namespace vorlix {

// Children one after another along the x axis; a child whose desired width is 0 shares the free space.
class CHorizontalLayoutUI : public CUIContainer {
 public:
  const wchar_t* GetClass() const override;
  void SetPos(int left, int top, int right, int bottom) override;
};

}  // namespace vorlix
