#pragma once
#include "ui/layout/CUIContainer.h"

namespace vorlix {

// Children one after another along the y axis; a child whose desired height is 0 shares the free space.
class CVerticalLayoutUI : public CUIContainer {
 public:
  const wchar_t* GetClass() const override;
  void SetPos(int left, int top, int right, int bottom) override;
};

}  // namespace vorlix
