#pragma once
// The translucent companion of a skinned window: a disabled layered popup of the same shape that sits
// directly behind its window while that window is disabled (another dialog runs over it).
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {

class CUIWndLayer : public CWindowWnd {
 public:
  explicit CUIWndLayer(int alpha = 80) : m_nAlpha(alpha) {}

  const wchar_t* GetWindowClassName() const override { return L"LayerWnd"; }
  // Hidden at first; the region (owned by the window afterwards) gives it its window's shape.
  HWND CreateLayer(HWND hWndOwner, const RECT& rcWindow, HRGN hRgn);
  int GetAlpha() const { return m_nAlpha; }

  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

 private:
  int m_nAlpha;
};

}  // namespace vorlix
