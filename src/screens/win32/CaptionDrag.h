#pragma once
// The screens' borderless windows are dragged by a strip along the top of their client area.
#include <windows.h>

namespace vorlix {

// For WM_NCHITTEST: whether the point (lParam, screen coordinates) lies in the top stripHeight pixels
// of the client area, left of its rightmost rightMargin pixels, while the left button is down.
inline bool IsCaptionDragPoint(HWND hWnd, LPARAM lParam, int stripHeight, int rightMargin) {
  POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(hWnd, &pt);
  RECT rc;
  GetClientRect(hWnd, &rc);
  return pt.y >= 0 && pt.y < stripHeight && pt.x >= 0 && pt.x < rc.right - rightMargin &&
         GetKeyState(VK_LBUTTON) < 0;
}

}  // namespace vorlix
