#include "win/recording/TimecodeWindow.h"

#include <algorithm>

namespace vorlix::test {

CTimecodeWindow::CTimecodeWindow() : m_base(GetTickCount()) {
  m_thread = std::thread([this] { Run(); });
  while (!m_ready) Sleep(10);
}

CTimecodeWindow::~CTimecodeWindow() {
  m_stop = true;
  m_thread.join();
}

void CTimecodeWindow::Run() {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = inst;
  wc.lpszClassName = L"VorlixTimecode";
  RegisterClassW(&wc);
  const int w = kBits * kCell, h = 2 * kCell;
  HWND hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"timecode", WS_POPUP | WS_VISIBLE,
                              kLeft, kTop, w, h, nullptr, nullptr, inst, nullptr);
  HDC screen = GetDC(hwnd);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  m_ready = true;
  while (!m_stop) {
    const uint32_t v = Now();
    for (int row = 0; row < 2; ++row) {
      const uint32_t bits = row == 0 ? v : ~v;
      for (int i = 0; i < kBits; ++i) {
        RECT r{i * kCell, row * kCell, (i + 1) * kCell, (row + 1) * kCell};
        FillRect(mem, &r, (bits >> (kBits - 1 - i)) & 1 ? white : black);
      }
    }
    BitBlt(screen, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    GdiFlush();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(4);
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(hwnd, screen);
  DestroyWindow(hwnd);
}

int64_t CTimecodeWindow::Decode(const std::string& gray, int frameWidth, int frameHeight, int screenWidth,
                                int screenHeight) {
  if (gray.size() < static_cast<size_t>(frameWidth) * frameHeight || screenWidth <= 0 || screenHeight <= 0) return -1;
  const double scale = std::min(static_cast<double>(frameWidth) / screenWidth,
                                static_cast<double>(frameHeight) / screenHeight);
  const double offX = (frameWidth - screenWidth * scale) / 2, offY = (frameHeight - screenHeight * scale) / 2;
  uint32_t rows[2] = {0, 0};
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < kBits; ++i) {
      const int x = static_cast<int>(offX + (kLeft + i * kCell + kCell / 2) * scale);
      const int y = static_cast<int>(offY + (kTop + row * kCell + kCell / 2) * scale);
      if (x < 0 || y < 0 || x >= frameWidth || y >= frameHeight) return -1;
      const unsigned char v = static_cast<unsigned char>(gray[static_cast<size_t>(y) * frameWidth + x]);
      rows[row] = (rows[row] << 1) | (v > 128 ? 1u : 0u);
    }
  }
  const uint32_t mask = (1u << kBits) - 1;
  const int64_t value = rows[0], check = (~rows[1]) & mask;
  if (value > check + 50 || check > value + 50) return -1;
  return value;
}

}  // namespace vorlix::test
