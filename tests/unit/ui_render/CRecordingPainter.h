#pragma once
// A drawing surface for native tests: fixed font metrics and a record of everything drawn.
//
// Metrics of style font i (size s = |height| of its description, 12 for the system font 4):
//   height s, ascent s - 2, external leading 2;
//   character width s / 2 below U+0080 and s from there on, plus 1 for the bold fonts (weight added);
//   maximum character width s (+1 when bold).
// So font 1: line height 16, "a" 7 pixels, a CJK character 14; font 2: "a" 8 pixels.

#include <string>
#include <vector>

#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace test {

struct RecordedRun {
  int x, y;
  std::wstring text;
  UIColor color;
  int font;
  unsigned format = 0;  // plain text only
  UIRect box;           // plain text only: the rectangle it was drawn in
};

struct RecordedLine {
  int x1, y1, x2, y2;
  UIColor color;
};

struct RecordedFill {
  UIRect rc;
  UIColor color;
};

struct RecordedImage {
  UIRect dest;
  UIRect source;
  const IUIImage* image;
  bool tile;
  float opacity = 1.0f;  // as asked for; 1 for the plain image calls
};

class CFakeImage : public IUIImage {
 public:
  CFakeImage(int w, int h) : m_w(w), m_h(h) {}
  int GetWidth() const override { return m_w; }
  int GetHeight() const override { return m_h; }

 private:
  int m_w, m_h;
};

class CRecordingPainter : public IUIRenderPainter {
 public:
  std::vector<RecordedRun> runs;
  std::vector<RecordedLine> lines;
  std::vector<RecordedFill> fills;
  std::vector<UIRect> frames;
  std::vector<RecordedImage> images;
  std::vector<UIRect> clipStack;
  int maxClipDepth = 0;
  int selectedFont = 0;
  bool gradientAvailable = false;
  UIWindow childWindow = nullptr;  // the one window IsChildWindow says yes to
  struct ParentCopy {
    UIWindow window;
    UIRect rc;
  };
  std::vector<ParentCopy> parentCopies;

  static int FontSize(int index) {
    const UIFontSpec* spec = CUIStyleTable::GetFontSpec(index);
    if (spec == nullptr) return 0;
    if (spec->bSystemDefault) return 12;
    return spec->height < 0 ? -spec->height : spec->height;
  }
  static bool IsBold(int index) {
    const UIFontSpec* spec = CUIStyleTable::GetFontSpec(index);
    return spec != nullptr && spec->weightAdd > 0;
  }
  static int CharWidth(int font, wchar_t ch) {
    int s = FontSize(font);
    return (ch < 0x80 ? s / 2 : s) + (IsBold(font) ? 1 : 0);
  }

  // Joined text of all runs, for quick checks.
  std::wstring AllText() const {
    std::wstring t;
    for (const auto& r : runs) t += r.text;
    return t;
  }

  UIDeviceContext GetNativeContext() const override { return nullptr; }
  void FillColorRect(const UIRect& rc, UIColor color) override { fills.push_back({rc, color}); }
  void DrawColorFrame(const UIRect& rc, UIColor color) override { frames.push_back(rc); }
  void DrawPlainText(const UIRect& rc, const wchar_t* text, UIColor color, unsigned format) override {
    runs.push_back({rc.left, rc.top, text != nullptr ? text : L"", color, selectedFont, format, rc});
  }
  void AlphaBlendBitmap(UIBitmap, const UIRect&, unsigned char) override {}

  UIFontMetrics GetStyleFontMetrics(int index) override {
    UIFontMetrics m;
    int s = FontSize(index);
    if (s == 0) return m;
    m.height = s;
    m.ascent = s - 2;
    m.externalLeading = 2;
    m.maxCharWidth = s + (IsBold(index) ? 1 : 0);
    return m;
  }
  bool SelectStyleFont(int index) override {
    if (!CUIStyleTable::IsValidFont(index)) return false;
    if (m_savedFont < 0) m_savedFont = selectedFont;
    selectedFont = index;
    return true;
  }
  void RestoreFont() override {
    if (m_savedFont >= 0) selectedFont = m_savedFont;
    m_savedFont = -1;
  }
  UISize MeasureText(const wchar_t* text, int count) override {
    UISize sz;
    for (int i = 0; i < count; ++i) sz.cx += CharWidth(selectedFont, text[i]);
    sz.cy = FontSize(selectedFont);
    return sz;
  }
  int MeasureFit(const wchar_t* text, int count, int maxExtent) override {
    int w = 0;
    for (int i = 0; i < count; ++i) {
      w += CharWidth(selectedFont, text[i]);
      if (w > maxExtent) return i;
    }
    return count;
  }
  void DrawTextRun(int x, int y, const wchar_t* text, int count, UIColor color) override {
    runs.push_back({x, y, std::wstring(text, static_cast<std::size_t>(count)), color, selectedFont, 0, UIRect()});
  }
  void DrawColorLine(int x1, int y1, int x2, int y2, UIColor color) override {
    lines.push_back({x1, y1, x2, y2, color});
  }
  void SetClip(const UIRect& rc) override {
    clipStack.push_back(rc);
    if (static_cast<int>(clipStack.size()) > maxClipDepth) maxClipDepth = static_cast<int>(clipStack.size());
  }
  void RestoreClip() override {
    if (!clipStack.empty()) clipStack.pop_back();
  }
  void DrawImagePart(const UIRect& dest, const IUIImage& image, const UIRect& source, bool tile) override {
    images.push_back({dest, source, &image, tile, 1.0f});
  }
  void DrawImagePartOpacity(const UIRect& dest, const IUIImage& image, const UIRect& source, float opacity) override {
    images.push_back({dest, source, &image, false, opacity});
  }
  bool IsChildWindow(UIWindow window) override { return window != nullptr && window == childWindow; }
  bool CopyParentBackground(UIWindow window, const UIRect& rc) override {
    parentCopies.push_back({window, rc});
    return true;
  }
  bool GradientFill(const UIRect& rc, UIColor from, UIColor to, bool vertical) override {
    if (!gradientAvailable) return false;
    fills.push_back({rc, from});
    return true;
  }

 private:
  int m_savedFont = -1;
};

}  // namespace test
}  // namespace vorlix
