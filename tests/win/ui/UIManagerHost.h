#pragma once
// A real top-level window whose procedure hands every message to a CUIManager first, the way the
// skinned hosts do, plus a message pump that runs the keyboard pre-translation.

#include <windows.h>

#include <chrono>
#include <functional>

#include "ui/core/CUIManager.h"

namespace vorlix {
namespace test {

class CManagerHost {
 public:
  CManagerHost(int x, int y, int w, int h, bool visible = true) {
    static bool registered = false;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (!registered) {
      WNDCLASSW wc = {};
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &CManagerHost::WndProc;
      wc.hInstance = inst;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = L"VorlixManagerTestHost";
      RegisterClassW(&wc);
      registered = true;
    }
    m_hWnd = CreateWindowExW(0, L"VorlixManagerTestHost", L"manager test", WS_POPUP | (visible ? WS_VISIBLE : 0), x, y,
                             w, h, nullptr, nullptr, inst, this);
    m_manager.Init(m_hWnd);
  }
  ~CManagerHost() {
    if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
  }

  // Sends a message the way the system would deliver it; remembers whether the manager handled it.
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { return SendMessageW(m_hWnd, msg, wParam, lParam); }
  LRESULT Mouse(UINT msg, int x, int y, WPARAM keys = 0) { return Send(msg, keys, MAKELPARAM(x, y)); }

  // Runs the queue (pre-translation first) until done() holds or the time is up.
  static bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CUIManager::TranslateUIMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (done && done()) return true;
      if (std::chrono::steady_clock::now() > end) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
  static void Pump(int ms = 50) { PumpUntil(nullptr, ms); }

  HWND m_hWnd = nullptr;
  CUIManager m_manager;
  bool m_bLastHandled = false;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CManagerHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && msg != WM_NCCREATE) {
      LRESULT result = 0;
      self->m_bLastHandled = self->m_manager.MessageHandler(msg, wParam, lParam, result);
      if (self->m_bLastHandled) return result;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
};

}  // namespace test
}  // namespace vorlix
