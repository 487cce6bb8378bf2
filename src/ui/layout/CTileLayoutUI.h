#pragma once
#include "ui/layout/CUIContainer.h"

namespace vorlix {

// Children in a grid of equal columns, row by row; each row as high as its tallest child.
class CTileLayoutUI : public CUIContainer {
 public:
  CTileLayoutUI();
  const wchar_t* GetClass() const override;
  void SetPos(int left, int top, int right, int bottom) override;
  void SetColumns(int columns);  // below 1 is ignored
  int GetColumns() const { return m_nColumns; }

 private:
  int m_nColumns = 2;
  int m_cyContent = 0;
};

}  // namespace vorlix
