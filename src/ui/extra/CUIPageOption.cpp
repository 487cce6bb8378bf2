#include "ui/extra/CUIPageOption.h"

namespace vorlix {

CUIPageOption::CUIPageOption() = default;

const wchar_t* CUIPageOption::GetClass() const { return L"CUIPageOption"; }

void CUIPageOption::SetText(const wchar_t* text) {
  CUIContainer::SetText(text);
  NeedUpdate();
}

}  // namespace vorlix
