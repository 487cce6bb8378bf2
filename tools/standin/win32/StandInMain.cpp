// The stand-in game: one ordinary top-level window that repaints its timecode many times a second, and
// on request goes away and comes back the way games re-create their windows.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CTonePlayer.h"
#include "standin/StandInOptions.h"
#include "standin/Timecode.h"

namespace vorlix::standin {
namespace {

constexpr wchar_t kWindowClass[] = L"VorlixStandInGame";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The program's default start/stop and replay keys.
struct Hotkey {
  int id;
  UINT key;
  const wchar_t* name;
};
constexpr Hotkey kHotkeys[] = {{300, VK_F11, L"shift+F11"}, {301, VK_F10, L"shift+F10"}};

class CStandIn {
 public:
  explicit CStandIn(const StandInOptions& o) : m_o(o) {}

  int Run(HINSTANCE instance) {
    m_instance = instance;
    QueryPerformanceFrequency(&m_frequency);
    QueryPerformanceCounter(&m_start);
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const unsigned long long unixMs =
        ((static_cast<unsigned long long>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - 116444736000000000ull) /
        10000ull;
    if (!m_o.startFile.empty() && !WriteStartFile(unixMs)) {
      fwprintf(stderr, L"cannot write %ls\n", m_o.startFile.c_str());
      return 2;
    }
    wprintf(L"started %llu\n", unixMs);
    fflush(stdout);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    m_font = CreateFontW(-m_o.height * 28 / 100, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    m_smallFont = CreateFontW(-m_o.height / 16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    // Before the window: opening the sound output can take seconds, and a shown game never stalls.
    HANDLE toneEvent = nullptr;
    if (m_o.toneHz > 0) {
      std::wstring why;
      if (m_tone.Start(m_o.toneHz, &why)) {
        toneEvent = m_tone.Event();
        // When the first samples went to the output, on the timecode's clock: where the sound begins.
        fwprintf(stderr, L"tone: playing from %u ms\n", static_cast<unsigned>(ElapsedMs()));
        fflush(stderr);
      } else {
        // A game without sound still runs.
        fwprintf(stderr, L"tone: %ls; playing nothing\n", why.c_str());
        fflush(stderr);
      }
    }

    if (!Open()) {
      fwprintf(stderr, L"cannot create the window (error %lu)\n", GetLastError());
      return 2;
    }

    if (!m_o.hotkeyLog.empty() && !RegisterHotkeys()) return 2;
    // A 1 ms timer resolution keeps the repaints and the close/reopen moments on time.
    timeBeginPeriod(1);

    const double period = 1000.0 / m_o.fps;
    double nextFrame = 0;
    long long closeAt = m_o.closeAfterMs, reopenAt = -1;
    for (;;) {
      const double now = ElapsedMs();
      if (m_o.exitAfterMs >= 0 && now >= m_o.exitAfterMs) break;
      if (closeAt >= 0 && now >= closeAt) {
        closeAt = -1;
        Close();
        if (m_o.reopenAfterMs >= 0) reopenAt = static_cast<long long>(now) + m_o.reopenAfterMs;
      }
      if (reopenAt >= 0 && now >= reopenAt) {
        reopenAt = -1;
        if (!Open()) return 2;
        nextFrame = now;
      }
      if (m_hwnd && now >= nextFrame) {
        Present();
        nextFrame += period;
        if (nextFrame < now) nextFrame = now + period;  // fell behind: skip, never burst
      }
      double until = m_hwnd ? nextFrame : now + 1000;
      if (closeAt >= 0 && closeAt < until) until = static_cast<double>(closeAt);
      if (reopenAt >= 0 && reopenAt < until) until = static_cast<double>(reopenAt);
      if (m_o.exitAfterMs >= 0 && m_o.exitAfterMs < until) until = m_o.exitAfterMs;
      const double wait = until - ElapsedMs();
      if (MsgWaitForMultipleObjects(toneEvent ? 1 : 0, &toneEvent, FALSE, wait > 0 ? static_cast<DWORD>(wait) : 0,
                                    QS_ALLINPUT) == WAIT_OBJECT_0 && toneEvent)
        m_tone.Refill();
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
        if (msg.message == WM_HOTKEY && !msg.hwnd) {
          LogHotkey(static_cast<int>(msg.wParam));
          continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    Close();
    return 0;
  }

 private:
  bool WriteStartFile(unsigned long long unixMs) {
    HANDLE f = CreateFileW(m_o.startFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    const std::string text = std::to_string(unixMs) + "\n";
    DWORD put = 0;
    const bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) && put == text.size();
    CloseHandle(f);
    return ok;
  }

  // Registered for the thread, not a window: they stay while the window closes and re-opens.
  bool RegisterHotkeys() {
    for (const Hotkey& k : kHotkeys) {
      if (!RegisterHotKey(nullptr, k.id, MOD_SHIFT | MOD_NOREPEAT, k.key)) {
        fwprintf(stderr, L"cannot register %ls (error %lu)\n", k.name, GetLastError());
        return false;
      }
    }
    return true;
  }

  void LogHotkey(int id) {
    for (const Hotkey& k : kHotkeys) {
      if (k.id != id) continue;
      HANDLE f = CreateFileW(m_o.hotkeyLog.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0,
                             nullptr);
      if (f == INVALID_HANDLE_VALUE) return;
      char line[64];
      const int n = snprintf(line, sizeof line, "%ls %u\n", k.name, static_cast<unsigned>(ElapsedMs()));
      DWORD put = 0;
      WriteFile(f, line, static_cast<DWORD>(n), &put, nullptr);
      CloseHandle(f);
    }
  }

  double ElapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - m_start.QuadPart) * 1000.0 / static_cast<double>(m_frequency.QuadPart);
  }

  bool Open() {
    RECT r{0, 0, m_o.width, m_o.height};
    AdjustWindowRectEx(&r, kStyle, FALSE, 0);
    m_hwnd = CreateWindowExW(0, kWindowClass, m_o.title.c_str(), kStyle, m_o.x, m_o.y, r.right - r.left,
                             r.bottom - r.top, nullptr, nullptr, m_instance, this);
    if (!m_hwnd) return false;
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    Present();
    return true;
  }

  void Close() {
    if (!m_hwnd) return;
    HWND h = m_hwnd;
    m_hwnd = nullptr;  // a destroy of ours, not the user's close: the program goes on
    DestroyWindow(h);
  }

  // Paints the whole client area off screen, then shows it in one copy, so no frame is caught half drawn.
  void Render(HDC dc, int w, int h) {
    const uint32_t ms = static_cast<uint32_t>(ElapsedMs()) & kTimecodeMaxMs;
    RECT all{0, 0, w, h};
    HBRUSH background = CreateSolidBrush(RGB(38, 58, 92));
    FillRect(dc, &all, background);
    DeleteObject(background);
    const auto cells = EncodeTimecode(ms);
    for (int i = 0; i < kTimecodeBits; ++i) {
      const CellRect c = TimecodeCell(i, w, h);
      RECT cell{c.left, c.top, c.right, c.bottom};
      FillRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(cells[i] ? WHITE_BRUSH : BLACK_BRUSH)));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    wchar_t digits[32];
    swprintf(digits, 32, L"%u.%03u", ms / 1000, ms % 1000);
    HGDIOBJ old = SelectObject(dc, m_font);
    RECT big{0, h * 38 / 100, w, h * 80 / 100};
    DrawTextW(dc, digits, -1, &big, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, m_smallFont);
    SetTextColor(dc, RGB(200, 210, 225));
    const std::wstring caption = m_o.title + L"  -  seconds since start";
    RECT small{0, h * 82 / 100, w, h * 96 / 100};
    DrawTextW(dc, caption.c_str(), -1, &small, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }

  void Present() {
    if (!m_hwnd) return;
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    HDC dc = GetDC(m_hwnd);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    Render(mem, w, h);
    BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(m_hwnd, dc);
  }

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<CStandIn*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        if (self) self->Present();
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_DESTROY:
        // Closed by the user (or a test's close request) rather than by the reopen cycle: the game ends.
        if (self && self->m_hwnd == hwnd) {
          self->m_hwnd = nullptr;
          PostQuitMessage(0);
        }
        return 0;
      default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
  }

  StandInOptions m_o;
  HINSTANCE m_instance = nullptr;
  HWND m_hwnd = nullptr;
  CTonePlayer m_tone;
  HFONT m_font = nullptr;
  HFONT m_smallFont = nullptr;
  LARGE_INTEGER m_frequency{}, m_start{};
};

}  // namespace
}  // namespace vorlix::standin

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  vorlix::standin::StandInOptions options;
  std::wstring error;
  if (!vorlix::standin::ParseStandInOptions(args, &options, &error)) {
    fwprintf(stderr, L"VorlixStandIn: %ls\n", error.c_str());
    return 2;
  }
  vorlix::standin::CStandIn game(options);
  return game.Run(GetModuleHandleW(nullptr));
}
