#pragma once
// One page of a tab folder: a container whose text is the title on its tab. Like a plain container,
// its first child fills it.

#include "ui/layout/CUIContainer.h"

namespace vorlix {

class CUIPageOption : public CUIContainer {
 public:
  CUIPageOption();

  const wchar_t* GetClass() const override;
  // The tab's width follows the title, so the folder lays its tabs out again.
  void SetText(const wchar_t* text) override;
};

}  // namespace vorlix
