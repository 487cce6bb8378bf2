#pragma once
// What the screens' Wine tests share: the product skin, a timer that drives a modal dialog from inside
// its own loop step by step, real key chords, and pictures of what the screen shows.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ui/render/win32/CGdipImage.h"
#include "win/ui_hosts/HostsTestSupport.h"

namespace vorlix {
namespace test {

// A chord as a person types it: modifiers down, the key down and up, modifiers up in reverse.
inline void Chord(std::vector<WORD> modifiers, WORD key) {
  std::vector<INPUT> in;
  auto push = [&in](WORD vk, bool up) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD m : modifiers) push(m, false);
  push(key, false);
  push(key, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) push(*it, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

struct OwnedDialogSearch {
  HWND owner;
  HWND found;
};
inline BOOL CALLBACK FindOwnedDialogProc(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<OwnedDialogSearch*>(p);
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) == s->owner && std::wstring(cls) == L"#32770") {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

// The visible dialog window (a top-level "#32770") that this thread shows over owner; null when none.
inline HWND FindOwnedDialog(HWND owner) {
  OwnedDialogSearch search = {owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindOwnedDialogProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A click at a point of a window's client area.
inline void ClickClient(HWND hWnd, int x, int y) { ClickAt(ClientPointToScreen(hWnd, x, y)); }

// Runs steps from a thread timer while a modal loop runs: each step returns true when it is done (the
// next one runs at the next tick) and false to be asked again. After the last step, or when the time is
// up, the given window (if any) is asked to close so the test never hangs.
class CModalDriver {
 public:
  using Step = std::function<bool()>;
  CModalDriver(std::vector<Step> steps, UINT intervalMs = 100, DWORD timeoutMs = 15000)
      : m_steps(std::move(steps)), m_deadline(GetTickCount() + timeoutMs) {
    s_current = this;
    m_timer = SetTimer(nullptr, 0, intervalMs, &CModalDriver::Tick);
  }
  ~CModalDriver() {
    KillTimer(nullptr, m_timer);
    s_current = nullptr;
  }
  void SetWindowToClose(std::function<HWND()> window) { m_window = std::move(window); }
  bool Finished() const { return m_next >= m_steps.size(); }
  bool TimedOut() const { return m_timedOut; }
  // The step that was still waiting when the time ran out.
  std::size_t StuckAt() const { return m_stuckAt; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_current != nullptr) s_current->Run();
  }
  void Run() {
    if (m_running) return;  // a step that pumps messages itself must not be entered again
    m_running = true;
    if (m_next < m_steps.size()) {
      if (static_cast<LONG>(GetTickCount() - m_deadline) > 0) {
        m_timedOut = true;
        m_stuckAt = m_next;
        m_next = m_steps.size();
      } else if (m_steps[m_next]()) {
        ++m_next;
      }
      if (m_next >= m_steps.size()) m_finishedAt = GetTickCount();
    }
    // The last step's input is still on its way: give it time before asking the window to close.
    if (m_next >= m_steps.size() && m_window && (m_timedOut || GetTickCount() - m_finishedAt > kCloseDelayMs)) {
      HWND w = m_window();
      if (w != nullptr && IsWindow(w) && !m_closeSent) {
        PostMessageW(w, WM_CLOSE, 0, 0);
        m_closeSent = true;
      }
    }
    m_running = false;
  }

  static constexpr DWORD kCloseDelayMs = 700;
  static inline CModalDriver* s_current = nullptr;
  std::vector<Step> m_steps;
  std::size_t m_next = 0;
  DWORD m_deadline;
  UINT_PTR m_timer = 0;
  bool m_running = false;
  bool m_timedOut = false;
  bool m_closeSent = false;
  std::size_t m_stuckAt = 0;
  DWORD m_finishedAt = 0;
  std::function<HWND()> m_window;
};

// The folder named by VORLIX_SCREENSHOT_DIR with a trailing separator; empty when unset.
inline std::wstring ScreenshotDir() {
  const char* dir = std::getenv("VORLIX_SCREENSHOT_DIR");
  if (dir == nullptr || *dir == 0) return std::wstring();
  std::wstring base;
  for (const char* p = dir; *p; ++p) base.push_back(static_cast<wchar_t>(*p));
  if (base.back() != L'\\' && base.back() != L'/') base.push_back(L'\\');
  return base;
}

// What the screen shows over the window's rectangle (its child windows included) as a PNG.
inline bool SaveScreenOfWindowPng(HWND hWnd, const std::wstring& path) {
  RECT rc;
  if (!GetWindowRect(hWnd, &rc)) return false;
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  SelectObject(mem, old);
  bool ok = false;
  EnsureGdiplus();
  {
    Gdiplus::Bitmap image(bmp, nullptr);
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buf(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i)
      if (std::wstring(codecs[i].MimeType) == L"image/png")
        ok = image.Save(path.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
  }
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

// The colour the screen shows at a point of a window's client area.
inline COLORREF ScreenPixel(HWND hWnd, int x, int y) {
  POINT pt = ClientPointToScreen(hWnd, x, y);
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, pt.x, pt.y);
  ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace test
}  // namespace vorlix
