#include "ui/render/win32/CGdiRenderPainter.h"

#include <mutex>

#include "ui/render/win32/CGdipImage.h"
#include "ui/render/win32/UIGdiStyle.h"

namespace vorlix {
namespace {

using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

GradientFillFn LookUpGradientFill() {
  static GradientFillFn fn = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    HMODULE module = LoadLibraryW(L"msimg32.dll");
    if (module != nullptr) {
      fn = reinterpret_cast<GradientFillFn>(reinterpret_cast<void*>(GetProcAddress(module, "GradientFill")));
    }
  });
  return fn;
}

}  // namespace

CGdiRenderPainter::~CGdiRenderPainter() {
  RestoreFont();
  while (!m_clips.empty()) RestoreClip();
}

void CGdiRenderPainter::DrawPlainText(const UIRect& rc, const wchar_t* text, UIColor color, unsigned format) {
  if (m_hOldFont == nullptr) {
    m_base.DrawPlainText(rc, text, color, format);
    return;
  }
  if (text == nullptr || *text == 0) return;
  RECT r = {rc.left, rc.top, rc.right, rc.bottom};
  int oldMode = SetBkMode(m_hdc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(m_hdc, color);
  DrawTextW(m_hdc, text, -1, &r, format);
  SetTextColor(m_hdc, oldColor);
  SetBkMode(m_hdc, oldMode);
}

UIFontMetrics CGdiRenderPainter::GetStyleFontMetrics(int index) {
  TEXTMETRICW tm = GetThemeFontInfo(index, m_hdc);
  UIFontMetrics m;
  m.height = tm.tmHeight;
  m.ascent = tm.tmAscent;
  m.externalLeading = tm.tmExternalLeading;
  m.maxCharWidth = tm.tmMaxCharWidth;
  return m;
}

bool CGdiRenderPainter::SelectStyleFont(int index) {
  HFONT font = GetThemeFont(index);
  if (font == nullptr) return false;
  HGDIOBJ old = SelectObject(m_hdc, font);
  if (m_hOldFont == nullptr) m_hOldFont = old;
  return true;
}

void CGdiRenderPainter::RestoreFont() {
  if (m_hOldFont != nullptr) SelectObject(m_hdc, m_hOldFont);
  m_hOldFont = nullptr;
}

UISize CGdiRenderPainter::MeasureText(const wchar_t* text, int count) {
  SIZE sz = {};
  if (count > 0) GetTextExtentPoint32W(m_hdc, text, count, &sz);
  UISize out;
  out.cx = sz.cx;
  out.cy = sz.cy;
  return out;
}

int CGdiRenderPainter::MeasureFit(const wchar_t* text, int count, int maxExtent) {
  if (count <= 0 || maxExtent <= 0) return 0;
  INT fit = 0;
  SIZE sz = {};
  if (!GetTextExtentExPointW(m_hdc, text, count, maxExtent, &fit, nullptr, &sz)) return 0;
  return fit;
}

void CGdiRenderPainter::DrawTextRun(int x, int y, const wchar_t* text, int count, UIColor color) {
  if (count <= 0) return;
  int oldMode = SetBkMode(m_hdc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(m_hdc, color);
  TextOutW(m_hdc, x, y, text, count);
  SetTextColor(m_hdc, oldColor);
  SetBkMode(m_hdc, oldMode);
}

void CGdiRenderPainter::DrawColorLine(int x1, int y1, int x2, int y2, UIColor color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(m_hdc, pen);
  MoveToEx(m_hdc, x1, y1, nullptr);
  LineTo(m_hdc, x2, y2);
  SelectObject(m_hdc, old);
  DeleteObject(pen);
}

void CGdiRenderPainter::SetClip(const UIRect& rc) {
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  if (GetClipRgn(m_hdc, saved) != 1) {
    DeleteObject(saved);
    saved = nullptr;
  }
  m_clips.push_back(saved);
  // Clip regions are in device units; a context printed with a moved origin (a child window drawn
  // into its parent's WM_PRINT) has logical units that differ.
  POINT corners[2] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
  LPtoDP(m_hdc, corners, 2);
  HRGN region = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
  ExtSelectClipRgn(m_hdc, region, RGN_AND);
  DeleteObject(region);
}

void CGdiRenderPainter::RestoreClip() {
  if (m_clips.empty()) return;
  HRGN saved = m_clips.back();
  m_clips.pop_back();
  SelectClipRgn(m_hdc, saved);
  if (saved != nullptr) DeleteObject(saved);
}

void CGdiRenderPainter::DrawImagePart(const UIRect& dest, const IUIImage& image, const UIRect& source, bool tile) {
  const auto* gdip = dynamic_cast<const CGdipImage*>(&image);
  if (gdip == nullptr || gdip->GetBitmap() == nullptr || dest.IsEmpty() || source.IsEmpty()) return;
  Gdiplus::Graphics g(m_hdc);
  Gdiplus::Rect src(source.left, source.top, source.GetWidth(), source.GetHeight());
  // Both ways fill the destination with a texture of the source part, mirrored at its edges: repeated
  // from the destination's origin, or scaled onto it. A rectangle fill covers exactly its pixels,
  // whereas a stretched image draw left the first column of some stretched cells unpainted (a seam
  // between nine-grid cells that came and went with the x position).
  Gdiplus::TextureBrush brush(gdip->GetBitmap(), tile ? Gdiplus::WrapModeTile : Gdiplus::WrapModeTileFlipXY, src);
  brush.TranslateTransform(static_cast<Gdiplus::REAL>(dest.left), static_cast<Gdiplus::REAL>(dest.top));
  if (!tile) {
    brush.ScaleTransform(static_cast<Gdiplus::REAL>(dest.GetWidth()) / static_cast<Gdiplus::REAL>(source.GetWidth()),
                         static_cast<Gdiplus::REAL>(dest.GetHeight()) / static_cast<Gdiplus::REAL>(source.GetHeight()));
  }
  g.FillRectangle(&brush, dest.left, dest.top, dest.GetWidth(), dest.GetHeight());
}

void CGdiRenderPainter::DrawImagePartOpacity(const UIRect& dest, const IUIImage& image, const UIRect& source,
                                             float opacity) {
  const auto* gdip = dynamic_cast<const CGdipImage*>(&image);
  if (gdip == nullptr || gdip->GetBitmap() == nullptr || dest.IsEmpty() || source.IsEmpty()) return;
  if (!(opacity > 0.0f)) return;  // also NaN
  if (opacity > 1.0f) opacity = 1.0f;
  // Identity on the colours; the alpha row scales each pixel's own alpha.
  Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                  {0, 1, 0, 0, 0},
                                  {0, 0, 1, 0, 0},
                                  {0, 0, 0, opacity, 0},
                                  {0, 0, 0, 0, 1}}};
  Gdiplus::ImageAttributes attributes;
  attributes.SetColorMatrix(&matrix, Gdiplus::ColorMatrixFlagsDefault, Gdiplus::ColorAdjustTypeBitmap);
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  Gdiplus::Graphics g(m_hdc);
  Gdiplus::Rect to(dest.left, dest.top, dest.GetWidth(), dest.GetHeight());
  g.DrawImage(gdip->GetBitmap(), to, source.left, source.top, source.GetWidth(), source.GetHeight(),
              Gdiplus::UnitPixel, &attributes);
}

bool CGdiRenderPainter::IsChildWindow(UIWindow window) {
  return window != nullptr && IsWindow(window) && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
}

bool CGdiRenderPainter::CopyParentBackground(UIWindow window, const UIRect& rc) {
  if (rc.IsEmpty() || !IsChildWindow(window)) return false;
  HWND parent = GetParent(window);
  RECT client = {};
  if (parent == nullptr || !GetClientRect(parent, &client) || client.right <= 0 || client.bottom <= 0) return false;
  POINT origin = {0, 0};
  MapWindowPoints(window, parent, &origin, 1);
  // The parent draws itself (without its children) into a bitmap of its own: reading its window
  // instead would give back whatever this window last painted there.
  HDC memory = CreateCompatibleDC(m_hdc);
  if (memory == nullptr) return false;
  HBITMAP bitmap = CreateCompatibleBitmap(m_hdc, client.right, client.bottom);
  if (bitmap == nullptr) {
    DeleteDC(memory);
    return false;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  SendMessageW(parent, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
  BOOL ok = BitBlt(m_hdc, rc.left, rc.top, rc.GetWidth(), rc.GetHeight(), memory, origin.x + rc.left,
                   origin.y + rc.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return ok != FALSE;
}

bool CGdiRenderPainter::GradientFill(const UIRect& rc, UIColor from, UIColor to, bool vertical) {
  GradientFillFn fn = LookUpGradientFill();
  if (fn == nullptr) return false;
  TRIVERTEX v[2] = {};
  v[0].x = rc.left;
  v[0].y = rc.top;
  v[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
  v[1].x = rc.right;
  v[1].y = rc.bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
  GRADIENT_RECT r = {0, 1};
  return fn(m_hdc, v, 2, &r, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H) != FALSE;
}

}  // namespace vorlix
