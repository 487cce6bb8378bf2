#include "ui/render/win32/CGdiPainter.h"

#include <mutex>

namespace vorlix {
namespace {

using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

// msimg32 is optional on old systems: look the blit up once, on first use.
AlphaBlendFn LookUpAlphaBlend() {
  static AlphaBlendFn fn = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    HMODULE module = LoadLibraryW(L"msimg32.dll");
    if (module != nullptr) fn = reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(GetProcAddress(module, "AlphaBlend")));
  });
  return fn;
}

RECT ToRect(const UIRect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }

}  // namespace

void CGdiPainter::FillColorRect(const UIRect& rc, UIColor color) {
  RECT r = ToRect(rc);
  COLORREF old = SetBkColor(m_hdc, color);
  ExtTextOutW(m_hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(m_hdc, old);
}

void CGdiPainter::DrawColorFrame(const UIRect& rc, UIColor color) {
  if (rc.IsEmpty()) return;
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ oldPen = SelectObject(m_hdc, pen);
  HGDIOBJ oldBrush = SelectObject(m_hdc, GetStockObject(HOLLOW_BRUSH));
  Rectangle(m_hdc, rc.left, rc.top, rc.right, rc.bottom);
  SelectObject(m_hdc, oldBrush);
  SelectObject(m_hdc, oldPen);
  DeleteObject(pen);
}

void CGdiPainter::DrawPlainText(const UIRect& rc, const wchar_t* text, UIColor color, unsigned format) {
  if (text == nullptr || *text == 0) return;
  RECT r = ToRect(rc);
  int oldMode = SetBkMode(m_hdc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(m_hdc, color);
  HGDIOBJ oldFont = SelectObject(m_hdc, GetStockObject(DEFAULT_GUI_FONT));
  DrawTextW(m_hdc, text, -1, &r, format);
  SelectObject(m_hdc, oldFont);
  SetTextColor(m_hdc, oldColor);
  SetBkMode(m_hdc, oldMode);
}

void CGdiPainter::AlphaBlendBitmap(UIBitmap bitmap, const UIRect& dest, unsigned char alpha) {
  AlphaBlendFn blend = LookUpAlphaBlend();
  if (blend == nullptr || bitmap == nullptr) return;
  HDC memory = CreateCompatibleDC(m_hdc);
  if (memory == nullptr) return;
  HGDIOBJ old = SelectObject(memory, bitmap);
  int oldStretch = SetStretchBltMode(m_hdc, COLORONCOLOR);
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  int w = dest.GetWidth();
  int h = dest.GetHeight();
  blend(m_hdc, dest.left, dest.top, w, h, memory, 0, 0, w, h, bf);
  SetStretchBltMode(m_hdc, oldStretch);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace vorlix
