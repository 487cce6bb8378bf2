#pragma once
// The system objects of the style table, created on first use and kept for the life of the process:
// font handles, text metrics, solid brushes and 1-pixel pens of the primary colours.

#include <windows.h>

namespace vorlix {

HFONT GetThemeFont(int index);                       // null for an invalid index
TEXTMETRICW GetThemeFontInfo(int index, HDC hdc);    // all zeros for an invalid index
HBRUSH GetThemeBrush(int index);                     // null for an invalid index
HPEN GetThemePen(int index);                         // null for an invalid index

}  // namespace vorlix
