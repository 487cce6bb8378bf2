#pragma once
// Attribute parsing shared by the text-bearing controls.
#include <cwchar>

#include "ui/render/IUIPainter.h"

namespace vorlix {

// "align": "center" and "right" replace the horizontal alignment bits of a text style; anything else
// leaves the text left-aligned.
inline unsigned ApplyAlignAttribute(unsigned style, const wchar_t* value) {
  style &= ~(UITEXT_CENTER | UITEXT_RIGHT);
  if (std::wcsstr(value, L"center") != nullptr) style |= UITEXT_CENTER;
  if (std::wcsstr(value, L"right") != nullptr) style |= UITEXT_RIGHT;
  return style;
}

}  // namespace vorlix
