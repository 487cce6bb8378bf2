// The GDI/GDI+ painter drawing into a 32-bit DIB; pixels are read straight from its bits.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"
#include "ui/render/win32/CGdiRenderPainter.h"
#include "ui/render/win32/CGdipImage.h"
#include "ui/render/win32/UIImages.h"
#include "win/ui_render/TinyPng.h"

namespace vorlix {
namespace {

class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_h(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    m_bmp = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = SelectObject(m_dc, m_bmp);
    for (int i = 0; i < w * h; ++i) m_bits[i] = 0x00ffffff;
  }
  ~Canvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bmp);
    DeleteDC(m_dc);
  }
  HDC dc() const { return m_dc; }
  // As a colour value 0x00bbggrr.
  UIColor At(int x, int y) const {
    GdiFlush();
    DWORD p = m_bits[y * m_w + x];
    return UIRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int InkIn(int l, int t, int r, int b) const {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += At(x, y) != UIRgb(255, 255, 255) ? 1 : 0;
    return n;
  }

 private:
  int m_w, m_h;
  HDC m_dc;
  HBITMAP m_bmp;
  HGDIOBJ m_old;
  DWORD* m_bits = nullptr;
};

// A four-frame strip of 6 x 6 frames; in frame f, the 2 x 2 cell (col, row) has a colour of its own.
UIColor CellColor(int frame, int col, int row) { return UIRgb(40 * frame + 10, 80 * col + 20, 80 * row + 30); }

std::shared_ptr<IUIImage> MakeStrip() {
  EnsureGdiplus();
  auto* bmp = new Gdiplus::Bitmap(24, 6, PixelFormat32bppARGB);
  for (int x = 0; x < 24; ++x) {
    for (int y = 0; y < 6; ++y) {
      UIColor c = CellColor(x / 6, (x % 6) / 2, y / 2);
      bmp->SetPixel(x, y, Gdiplus::Color(255, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
  }
  return std::make_shared<CGdipImage>(bmp);
}

TEST(GdiRender, StripFrameThroughTheNineGrid) {
  std::shared_ptr<IUIImage> strip = MakeStrip();
  Canvas canvas(64, 48);
  {
    CGdiRenderPainter p(canvas.dc());
    DrawImageFrame(p, MakeUIRect(10, 10, 40, 30), *strip, UISTRIP_PUSHED);
  }
  struct Probe {
    int x, y, col, row;
  } probes[] = {
      {10, 10, 0, 0}, {11, 11, 0, 0},  // corners at natural size
      {38, 10, 2, 0}, {39, 11, 2, 0}, {10, 28, 0, 2}, {39, 29, 2, 2},
      {25, 10, 1, 0}, {25, 29, 1, 2},  // stretched edges
      {10, 20, 0, 1}, {39, 20, 2, 1}, {25, 20, 1, 1},  // and the centre
  };
  for (const Probe& pr : probes) {
    EXPECT_EQ(canvas.At(pr.x, pr.y), CellColor(UISTRIP_PUSHED, pr.col, pr.row)) << pr.x << "," << pr.y;
  }
  EXPECT_EQ(canvas.At(9, 9), UIRgb(255, 255, 255));
  EXPECT_EQ(canvas.At(40, 30), UIRgb(255, 255, 255));
}

TEST(GdiRender, TiledNineGridRepeatsTheMiddle) {
  std::shared_ptr<IUIImage> strip = MakeStrip();
  Canvas canvas(64, 48);
  {
    CGdiRenderPainter p(canvas.dc());
    // Frame 0 only (x 0..6), tiled: the 2-pixel middle cell repeats across a 20-pixel middle.
    DrawImage9Grid(p, MakeUIRect(0, 0, 24, 24), MakeUIRect(0, 0, 6, 6), *strip, true);
  }
  EXPECT_EQ(canvas.At(0, 0), CellColor(0, 0, 0));
  EXPECT_EQ(canvas.At(12, 12), CellColor(0, 1, 1));
  EXPECT_EQ(canvas.At(23, 23), CellColor(0, 2, 2));
  EXPECT_EQ(canvas.At(12, 0), CellColor(0, 1, 0));
}

TEST(GdiRender, ImageOpacityScalesEachPixelsAlpha) {
  EnsureGdiplus();
  // Opaque red on the left half, half-transparent blue on the right, over the canvas's white.
  auto* bmp = new Gdiplus::Bitmap(4, 2, PixelFormat32bppARGB);
  for (int x = 0; x < 4; ++x) {
    for (int y = 0; y < 2; ++y) bmp->SetPixel(x, y, x < 2 ? Gdiplus::Color(255, 255, 0, 0) : Gdiplus::Color(128, 0, 0, 255));
  }
  CGdipImage image(bmp);
  struct Case {
    float opacity;
    UIColor red, blue;  // expected on each half
  } cases[] = {
      {1.0f, UIRgb(255, 0, 0), UIRgb(127, 127, 255)},
      {0.5f, UIRgb(255, 128, 128), UIRgb(191, 191, 255)},
      {0.0f, UIRgb(255, 255, 255), UIRgb(255, 255, 255)},
      {7.0f, UIRgb(255, 0, 0), UIRgb(127, 127, 255)},  // clamped to 1
  };
  auto similar = [](UIColor a, UIColor b) {
    for (int shift : {0, 8, 16}) {
      int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
      if (d < -2 || d > 2) return false;
    }
    return true;
  };
  for (const Case& c : cases) {
    Canvas canvas(16, 8);
    {
      CGdiRenderPainter p(canvas.dc());
      p.DrawImagePartOpacity(MakeUIRect(0, 0, 16, 8), image, MakeUIRect(0, 0, 4, 2), c.opacity);
    }
    EXPECT_TRUE(similar(canvas.At(2, 4), c.red)) << c.opacity << " " << std::hex << canvas.At(2, 4);
    EXPECT_TRUE(similar(canvas.At(13, 4), c.blue)) << c.opacity << " " << std::hex << canvas.At(13, 4);
  }
}

TEST(GdiRender, EditBoxFrameFillAndText) {
  CUIStyleTable::EnsureDefaults();
  struct Case {
    unsigned state;
    int light, dark, fill;
  } cases[] = {{0, 37, 38, 30}, {UIEDIT_FOCUSED, 39, 40, 30}, {UIEDIT_DISABLED, 41, 42, 32}};
  for (const Case& c : cases) {
    Canvas canvas(80, 30);
    {
      CGdiRenderPainter p(canvas.dc());
      DrawEditBox(p, MakeUIRect(0, 0, 80, 24), L"\u6587\u5B57", c.state, 0, 2, nullptr);
    }
    SCOPED_TRACE(c.state);
    EXPECT_EQ(canvas.At(40, 0), CUIStyleTable::GetColor(c.light));
    EXPECT_EQ(canvas.At(0, 12), CUIStyleTable::GetColor(c.dark));
    EXPECT_EQ(canvas.At(79, 12), CUIStyleTable::GetColor(c.dark));
    EXPECT_EQ(canvas.At(40, 23), CUIStyleTable::GetColor(c.dark));
    EXPECT_EQ(canvas.At(75, 12), CUIStyleTable::GetColor(c.fill));
    EXPECT_EQ(canvas.At(40, 27), UIRgb(255, 255, 255));  // nothing below the box
    // The text sits inside the text area, vertically centred, in the state's colour.
    int ink = 0, outside = 0;
    for (int y = 1; y < 23; ++y) {
      for (int x = 1; x < 79; ++x) {
        if (canvas.At(x, y) == CUIStyleTable::GetColor(c.fill)) continue;
        ++ink;
        if (x < 3 || x >= 77 || y < 2 || y >= 22) ++outside;
      }
    }
    EXPECT_GT(ink, 30);
    EXPECT_EQ(outside, 0);
  }
}

TEST(GdiRender, TabShapes) {
  CUIStyleTable::EnsureDefaults();
  Canvas canvas(120, 40);
  UIRect selected = MakeUIRect(0, 0, 0, 30);
  UIRect normal = MakeUIRect(60, 0, 60, 30);
  {
    CGdiRenderPainter p(canvas.dc());
    DrawTab(p, selected, L"\u9875", UITAB_SELECTED, 2, nullptr);
    DrawTab(p, normal, L"\u9875", 0, 0, nullptr);
  }
  ASSERT_GT(selected.GetWidth(), 14);
  EXPECT_EQ(selected.bottom, 32);
  EXPECT_EQ(normal.top, 3);
  EXPECT_EQ(normal.GetWidth(), selected.GetWidth() - 2);
  const UIColor white = UIRgb(255, 255, 255);
  auto similar = [](UIColor a, UIColor b) {
    for (int shift : {0, 8, 16}) {
      int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
      if (d < -0x20 || d > 0x20) return false;
    }
    return true;
  };
  EXPECT_NE(canvas.At(0, 0), CUIStyleTable::GetColor(60));  // corner cut from the outline
  EXPECT_EQ(canvas.At(1, 0), UIRgb(0xde, 0x8e, 0x29));  // orange band, darkest on top
  EXPECT_TRUE(similar(canvas.At(5, 2), UIRgb(0xff, 0xc7, 0x19))) << std::hex << canvas.At(5, 2);
  EXPECT_EQ(canvas.At(0, 10), CUIStyleTable::GetColor(60));
  EXPECT_EQ(canvas.At(selected.right - 1, 10), CUIStyleTable::GetColor(60));
  EXPECT_EQ(canvas.At(5, 31), CUIStyleTable::GetColor(56));  // open towards the page
  EXPECT_EQ(canvas.At(5, 20), CUIStyleTable::GetColor(56));
  EXPECT_EQ(canvas.At(selected.right, 10), white);
  // The other tab: three pixels lower, framed on three sides, its face a gradient of pair 58.
  EXPECT_EQ(canvas.At(65, 2), white);
  EXPECT_EQ(canvas.At(65, 3), CUIStyleTable::GetColor(60));
  EXPECT_EQ(canvas.At(60, 15), CUIStyleTable::GetColor(60));
  EXPECT_EQ(canvas.At(normal.right - 1, 15), CUIStyleTable::GetColor(60));
  UIColor top = 0, bottom = 0;
  CUIStyleTable::GetColorPair(58, top, bottom);
  EXPECT_EQ(canvas.At(65, 4) & 0xF0F0F0, top & 0xF0F0F0);
  EXPECT_EQ(canvas.At(65, 29) & 0xF0F0F0, bottom & 0xF0F0F0);
}

TEST(GdiRender, PngFromMemoryKeepsItsPixels) {
  std::shared_ptr<IUIImage> image;
  ASSERT_TRUE(LoadImageFromMemory(image, kTinyPng, sizeof(kTinyPng)));
  EXPECT_EQ(image->GetWidth(), 4);
  EXPECT_EQ(image->GetHeight(), 2);
  Gdiplus::Color c;
  auto* bmp = static_cast<CGdipImage*>(image.get())->GetBitmap();
  ASSERT_EQ(bmp->GetPixel(2, 0, &c), Gdiplus::Ok);
  EXPECT_EQ(c.GetValue(), 0xff0000ffu);  // blue, opaque
  ASSERT_EQ(bmp->GetPixel(1, 1, &c), Gdiplus::Ok);
  EXPECT_EQ(c.GetAlpha(), 128);

  const unsigned char garbage[] = {1, 2, 3, 4, 5};
  EXPECT_FALSE(LoadImageFromMemory(image, garbage, sizeof(garbage)));
  EXPECT_EQ(image, nullptr);
  EXPECT_FALSE(LoadPngImage(image, 59999));  // no such resource
}

TEST(GdiRender, StyleFontsDrawChineseGlyphs) {
  CUIStyleTable::EnsureDefaults();
  Canvas canvas(200, 60);
  UIMarkupContext ctx;
  int n = 0;
  {
    CGdiRenderPainter p(canvas.dc());
    UIRect a = MakeUIRect(0, 0, 200, 30);
    DrawPrettyText(p, ctx, a, L"\u9ED1\u4F53", 0, kUIColorNoBackground, nullptr, n, UITEXT_SINGLELINE);
    UIRect b = MakeUIRect(0, 30, 200, 60);
    DrawPrettyText(p, ctx, b, L"<b>\u9ED1\u4F53</b>", 0, kUIColorNoBackground, nullptr, n, UITEXT_SINGLELINE);
  }
  CGdiRenderPainter measure(canvas.dc());
  UIFontMetrics m1 = measure.GetStyleFontMetrics(1);
  EXPECT_GE(m1.height, 14);
  measure.SelectStyleFont(1);
  int cw = measure.MeasureText(L"\u9ED1", 1).cx;
  measure.RestoreFont();
  ASSERT_GT(cw, 4);
  for (int top : {0, 30}) {
    int first = canvas.InkIn(0, top, cw, top + 30);
    int second = canvas.InkIn(cw, top, 2 * cw, top + 30);
    EXPECT_GT(first, 20) << top;
    EXPECT_GT(second, 20) << top;
    // Two different characters that come out as the same shape are missing-glyph boxes.
    int differing = 0;
    for (int y = top; y < top + 30; ++y)
      for (int x = 0; x < cw; ++x) differing += canvas.At(x, y) != canvas.At(x + cw, y) ? 1 : 0;
    EXPECT_GT(differing, 10) << top;
  }
  EXPECT_GT(canvas.InkIn(0, 30, 200, 60), canvas.InkIn(0, 0, 200, 30));  // bold has more ink
}

}  // namespace
}  // namespace vorlix
