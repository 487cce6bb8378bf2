#include "ui/hosts/CUIWndLayer.h"

namespace vorlix {

HWND CUIWndLayer::CreateLayer(HWND hWndOwner, const RECT& rcWindow, HRGN hRgn) {
  HWND hWnd = Create(hWndOwner, L"", WS_POPUP | WS_DISABLED, WS_EX_LAYERED | WS_EX_WINDOWEDGE, rcWindow);
  if (hWnd == nullptr) {
    if (hRgn != nullptr) DeleteObject(hRgn);
    return nullptr;
  }
  if (hRgn != nullptr && !SetWindowRgn(hWnd, hRgn, FALSE)) DeleteObject(hRgn);
  return hWnd;
}

LRESULT CUIWndLayer::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_CREATE) {
    int alpha = m_nAlpha < 0 ? 0 : (m_nAlpha > 255 ? 255 : m_nAlpha);
    SetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
  }
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

}  // namespace vorlix
