#pragma once
// Real windows for the layout tests: a top-level popup or a child window whose procedure hands every
// message to its own CUIManager, with a dialog layout as the root, and a way to read back what the
// window shows (its device context copied into a 32-bit DIB).

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/core/CUIControl.h"
#include "ui/core/CUIManager.h"
#include "ui/layout/CDialogLayoutUI.h"
#include "ui/render/IUIPainter.h"
#include "ui/render/win32/CGdipImage.h"

namespace vorlix {
namespace test {

// The pixels of a window or bitmap as colour values (0x00bbggrr), row by row.
struct CPixels {
  int width = 0, height = 0;
  std::vector<UIColor> data;
  UIColor At(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
};

// Copies w x h pixels of hdc at (x, y).
inline CPixels ReadPixels(HDC hdc, int x, int y, int w, int h) {
  CPixels out;
  out.width = w;
  out.height = h;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  DWORD* bits = nullptr;
  HDC memory = CreateCompatibleDC(hdc);
  HBITMAP bmp = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bmp);
  BitBlt(memory, 0, 0, w, h, hdc, x, y, SRCCOPY);
  GdiFlush();
  out.data.resize(static_cast<std::size_t>(w) * h);
  for (int i = 0; i < w * h; ++i) {
    DWORD p = bits[i];
    out.data[i] = UIRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  SelectObject(memory, old);
  DeleteObject(bmp);
  DeleteDC(memory);
  return out;
}

// Writes the pixels as a 24-bit BMP (for looking at a test's window).
inline bool SaveBmp(const CPixels& px, const char* path) {
  FILE* f = std::fopen(path, "wb");
  if (f == nullptr) return false;
  const int stride = (px.width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(ih);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * px.height);
  ih.biSize = sizeof(ih);
  ih.biWidth = px.width;
  ih.biHeight = px.height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  std::fwrite(&fh, sizeof(fh), 1, f);
  std::fwrite(&ih, sizeof(ih), 1, f);
  std::vector<unsigned char> row(static_cast<std::size_t>(stride));
  for (int y = px.height - 1; y >= 0; --y) {
    for (int x = 0; x < px.width; ++x) {
      UIColor c = px.At(x, y);
      row[x * 3] = static_cast<unsigned char>((c >> 16) & 0xFF);
      row[x * 3 + 1] = static_cast<unsigned char>((c >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<unsigned char>(c & 0xFF);
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  std::fclose(f);
  return true;
}

// An opaque GDI+ image whose pixel (x, y) has the colour color(x, y).
template <typename F>
std::shared_ptr<IUIImage> MakeImage(int w, int h, F color) {
  EnsureGdiplus();
  auto* bmp = new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      UIColor c = color(x, y);
      bmp->SetPixel(x, y, Gdiplus::Color(255, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
  }
  return std::make_shared<CGdipImage>(bmp);
}

// A control that fills its rectangle with one colour.
class CFillBox : public CUIControl {
 public:
  explicit CFillBox(UIColor color) : m_color(color) {}
  const wchar_t* GetClass() const override { return L"FillBoxUI"; }
  UISize GetDesiredSize(UISize) override { return UISize(); }
  void Paint(IUIPainter& painter, const UIRect&) override { painter.FillColorRect(m_rcItem, m_color); }

 private:
  UIColor m_color;
};

class CLayoutHost {
 public:
  // parent null: a top-level popup at (x, y) on the screen; otherwise a child at (x, y) in the parent.
  CLayoutHost(int x, int y, int w, int h, HWND parent = nullptr, DWORD extraStyle = 0) {
    static bool registered = false;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (!registered) {
      WNDCLASSW wc = {};
      wc.lpfnWndProc = &CLayoutHost::WndProc;
      wc.hInstance = inst;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = L"VorlixLayoutTestHost";
      RegisterClassW(&wc);
      registered = true;
    }
    DWORD style = (parent != nullptr ? WS_CHILD : WS_POPUP) | extraStyle;
    m_hWnd = CreateWindowExW(0, L"VorlixLayoutTestHost", L"layout test", style, x, y, w, h, parent, nullptr, inst, this);
    m_manager.Init(m_hWnd);
    m_pRoot = new CDialogLayoutUI();
    m_manager.AttachRoot(m_pRoot);
  }
  ~CLayoutHost() {
    if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
  }
  CLayoutHost(const CLayoutHost&) = delete;
  CLayoutHost& operator=(const CLayoutHost&) = delete;

  void Show() {
    ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hWnd);
    Pump();
  }
  // Paints the window again, whole.
  void Repaint() {
    InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateWindow(m_hWnd);
    Pump();
  }
  CPixels Capture() const {
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    HDC hdc = GetDC(m_hWnd);
    CPixels px = ReadPixels(hdc, 0, 0, rc.right, rc.bottom);
    ReleaseDC(m_hWnd, hdc);
    return px;
  }
  // What the window draws of itself (and, with children, of its child windows) through WM_PRINT.
  CPixels Print(bool children) const {
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    HDC screen = GetDC(m_hWnd);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(memory, bmp);
    SendMessageW(m_hWnd, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND | (children ? PRF_CHILDREN : 0));
    CPixels px = ReadPixels(memory, 0, 0, rc.right, rc.bottom);
    SelectObject(memory, old);
    DeleteObject(bmp);
    DeleteDC(memory);
    ReleaseDC(m_hWnd, screen);
    return px;
  }

  static void Pump(int ms = 50) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (static_cast<int>(end - GetTickCount()) > 0);
  }

  HWND m_hWnd = nullptr;
  CUIManager m_manager;
  CDialogLayoutUI* m_pRoot = nullptr;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CLayoutHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && msg != WM_NCCREATE) {
      LRESULT result = 0;
      if (self->m_manager.MessageHandler(msg, wParam, lParam, result)) return result;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
};

}  // namespace test
}  // namespace vorlix
