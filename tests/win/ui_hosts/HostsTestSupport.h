#pragma once
// What the hosts' Wine tests share: the program's skin and message-box style as the main window sets
// them, real keyboard and mouse input through the system's input queue, a pump with the toolkit's
// pre-translation, and screen captures saved as PNG.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "resource.h"
#include "ui/core/CUIManager.h"
#include "ui/hosts/CSkinHost.h"
#include "ui/hosts/UIMessageBoxStyle.h"

namespace vorlix {
namespace test {

// The skin images and message-box values the main window sets at start-up.
inline void ApplyProductSkin() {
  CUIManager::SetResourceInstance(GetModuleHandleW(nullptr));
  CSkinHost::SetDialogBackgroundImage(404);
  CSkinHost::SetMsgBoxCloseImage(1207);
  CSkinHost::SetMsgBoxButtonImage(402);
  CSkinHost::SetRadioImage(1209);
  CSkinHost::SetCheckBoxImage(1208);
  CSkinHost::SetScrollBarImage(1239);
  ResetMessageBoxStyle();
  SetMessageBoxTitleTextStyle(0);
  SetMessageBoxButtonTextColors(RGB(0xff, 0xff, 0xff), RGB(0xff, 0xff, 0xff), RGB(0xff, 0xff, 0xff),
                                RGB(0x70, 0x7b, 0x8d));
  SetMessageBoxTextColor(RGB(0xff, 0xff, 0xff));
  SetMessageBoxTitleColor(RGB(0xff, 0xff, 0xff));
  SetMessageBoxCornerSize(1);
  SetMessageBoxTitleHeight(30);
  SetMessageBoxMargin(25);
  SetMessageBoxButtonSize(86, 30);
  SetMessageBoxCloseOffset(10, 10);
  SetMessageBoxTitlePos(22, 12);
  SetMessageBoxTemplate(IDD_EMPTY_203);
}

inline void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = INPUT_KEYBOARD;
  in[0].ki.wVk = vk;
  in[1] = in[0];
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

inline LONG AbsoluteX(LONG x) { return (x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN); }
inline LONG AbsoluteY(LONG y) { return (y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN); }

// A left click at a point of the screen.
inline void ClickAt(POINT screen) {
  INPUT in[3] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = AbsoluteX(screen.x);
    i.mi.dy = AbsoluteY(screen.y);
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, in, sizeof(INPUT));
}

// Client rectangle centre of a window, in screen coordinates.
inline POINT ClientPointToScreen(HWND hWnd, int x, int y) {
  POINT pt = {x, y};
  ClientToScreen(hWnd, &pt);
  return pt;
}

inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000) {
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
inline void Pump(int ms = 50) { PumpUntil(nullptr, ms); }

// What a window paints of itself (PrintWindow: no pointer drawn over it), clipped to its shape, as a
// PNG file; outside the shape stays black.
inline bool SaveWindowPng(HWND hWnd, const std::wstring& path) {
  RECT rc;
  GetWindowRect(hWnd, &rc);
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all = {0, 0, w, h};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(hWnd, shape) != ERROR) SelectClipRgn(mem, shape);
  PrintWindow(hWnd, mem, 0);
  SelectClipRgn(mem, nullptr);
  DeleteObject(shape);
  SelectObject(mem, old);
  bool ok = false;
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

}  // namespace test
}  // namespace vorlix
