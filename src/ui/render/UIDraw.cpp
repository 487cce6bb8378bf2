#include "ui/render/UIDraw.h"

#include <algorithm>
#include <cwchar>

#include "ui/render/UIImageList.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

void FillStyleRect(IUIRenderPainter& p, const UIRect& rc, int index) {
  if (!CUIStyleTable::IsValidColor(index)) return;
  p.FillColorRect(rc, CUIStyleTable::GetColor(index));
}

void DrawStyleFrame(IUIRenderPainter& p, const UIRect& rc, int index) {
  if (!CUIStyleTable::IsValidColor(index)) return;
  p.DrawColorFrame(rc, CUIStyleTable::GetColor(index));
}

void DrawStyleLine(IUIRenderPainter& p, int x1, int y1, int x2, int y2, int index) {
  if (!CUIStyleTable::IsValidColor(index)) return;
  p.DrawColorLine(x1, y1, x2, y2, CUIStyleTable::GetColor(index));
}

void DrawStyleRectangle(IUIRenderPainter& p, const UIRect& rc, int penIndex, int brushIndex) {
  if (brushIndex != kUIColorIndexNone) FillStyleRect(p, rc, brushIndex);
  DrawStyleFrame(p, rc, penIndex);
}

namespace {

void DottedFrame(IUIRenderPainter& p, const UIRect& rc, UIColor color) {
  // Every other pixel, walking round the edge so the pattern stays continuous at the corners.
  int phase = 0;
  auto dot = [&](int x, int y) {
    if ((phase++ & 1) == 0) p.DrawColorLine(x, y, x + 1, y, color);
  };
  for (int x = rc.left; x < rc.right - 1; ++x) dot(x, rc.top);
  for (int y = rc.top; y < rc.bottom - 1; ++y) dot(rc.right - 1, y);
  for (int x = rc.right - 1; x > rc.left; --x) dot(x, rc.bottom - 1);
  for (int y = rc.bottom - 1; y > rc.top; --y) dot(rc.left, y);
}

UIColor Mix(UIColor a, UIColor b, int num, int den) {
  auto ch = [&](int shift) {
    int ca = static_cast<int>((a >> shift) & 0xFF);
    int cb = static_cast<int>((b >> shift) & 0xFF);
    return static_cast<UIColor>(ca + (cb - ca) * num / den) << shift;
  };
  return ch(0) | ch(8) | ch(16);
}

}  // namespace

void DrawFrame(IUIRenderPainter& p, const UIRect& rc, int lightIndex, int darkIndex, int fillIndex, int style) {
  if (rc.IsEmpty()) return;
  if (fillIndex != kUIColorIndexNone) FillStyleRect(p, rc, fillIndex);
  UIColor light = CUIStyleTable::GetColor(lightIndex);
  UIColor dark = CUIStyleTable::GetColor(darkIndex);
  int l = rc.left, t = rc.top, r = rc.right - 1, b = rc.bottom - 1;
  switch (style) {
    case UIFRAME_CUT_CORNERS:
      p.DrawColorLine(l + 1, t, r, t, light);
      p.DrawColorLine(l, t + 1, l, b, light);
      p.DrawColorLine(r, t + 1, r, b, dark);
      p.DrawColorLine(l + 1, b, r, b, dark);
      break;
    case UIFRAME_DOTTED:
      DottedFrame(p, rc, CUIStyleTable::GetColor(15));
      break;
    default:
      p.DrawColorLine(l, t, r + 1, t, light);
      p.DrawColorLine(l, t + 1, l, b + 1, dark);
      p.DrawColorLine(r, t + 1, r, b + 1, dark);
      p.DrawColorLine(l, b, r + 1, b, dark);
      break;
  }
}

int GradientBandCount(int steps) {
  int n = 2;
  while (n * 2 <= steps && n < 64) n *= 2;
  return n;
}

void DrawGradient(IUIRenderPainter& p, const UIRect& rc, UIColor from, UIColor to, bool vertical, int steps) {
  if (rc.IsEmpty()) return;
  if (p.GradientFill(rc, from, to, vertical)) return;
  int extent = vertical ? rc.GetHeight() : rc.GetWidth();
  // Never more bands than pixels: an empty band would drop one of the two end colours.
  int bands = std::min(GradientBandCount(steps), extent);
  if (bands < 2) {
    p.FillColorRect(rc, from);
    return;
  }
  for (int i = 0; i < bands; ++i) {
    int a = static_cast<int>(static_cast<long long>(extent) * i / bands);
    int z = static_cast<int>(static_cast<long long>(extent) * (i + 1) / bands);
    if (z <= a) continue;
    UIRect band = rc;
    if (vertical) {
      band.top = rc.top + a;
      band.bottom = rc.top + z;
    } else {
      band.left = rc.left + a;
      band.right = rc.left + z;
    }
    p.FillColorRect(band, Mix(from, to, i, bands - 1));
  }
}

void DrawImage9Grid(IUIRenderPainter& p, const UIRect& dest, const UIRect& source, const IUIImage& image,
                    bool tile) {
  if (dest.IsEmpty() || source.IsEmpty()) return;
  int cw = source.GetWidth() / 3;
  int ch = source.GetHeight() / 3;
  // Source and destination edges of the three columns and rows.
  int sx[4] = {source.left, source.left + cw, source.left + 2 * cw, source.left + 3 * cw};
  int sy[4] = {source.top, source.top + ch, source.top + 2 * ch, source.top + 3 * ch};
  int dcw = std::min(cw, dest.GetWidth() / 2);
  int dch = std::min(ch, dest.GetHeight() / 2);
  int dx[4] = {dest.left, dest.left + dcw, dest.right - dcw, dest.right};
  int dy[4] = {dest.top, dest.top + dch, dest.bottom - dch, dest.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      UIRect d = MakeUIRect(dx[col], dy[row], dx[col + 1], dy[row + 1]);
      UIRect s = MakeUIRect(sx[col], sy[row], sx[col + 1], sy[row + 1]);
      if (d.IsEmpty() || s.IsEmpty()) continue;
      p.DrawImagePart(d, image, s, tile);
    }
  }
}

void DrawImageFrame(IUIRenderPainter& p, const UIRect& dest, const IUIImage& image, int frame) {
  int fw = image.GetWidth() / 4;
  if (fw <= 0 || frame < 0 || frame > 3) return;
  DrawImage9Grid(p, dest, MakeUIRect(frame * fw, 0, (frame + 1) * fw, image.GetHeight()), image, false);
}

namespace {

UIRect Deflate(const UIRect& rc, int dx, int dy) {
  return MakeUIRect(rc.left + dx, rc.top + dy, rc.right - dx, rc.bottom - dy);
}

int TextWidthInFont1(IUIRenderPainter& p, const wchar_t* text) {
  if (text == nullptr || *text == 0) return 0;
  if (!p.SelectStyleFont(1)) return 0;
  int width = p.MeasureText(text, static_cast<int>(std::wcslen(text))).cx;
  p.RestoreFont();
  return width;
}

}  // namespace

void DrawEditBox(IUIRenderPainter& p, const UIRect& rc, const wchar_t* text, unsigned state, unsigned format,
                 int padding, const IUIImage* image) {
  const bool disabled = (state & UIEDIT_DISABLED) != 0;
  const bool readOnly = (state & UIEDIT_READONLY) != 0;
  UIRect area = rc;
  if (image != nullptr) {
    DrawImage9Grid(p, rc, MakeUIRect(0, 0, image->GetWidth(), image->GetHeight()), *image, false);
    area = Deflate(rc, padding, padding);
  } else if (padding != 0) {
    int light = 37, dark = 38, fill = 30;
    if (disabled) {
      light = 41, dark = 42, fill = 32;
    } else if (readOnly) {
      light = 41, dark = 42;
    } else if ((state & UIEDIT_FOCUSED) != 0) {
      light = 39, dark = 40;
    }
    DrawFrame(p, rc, light, dark, fill, UIFRAME_SQUARE);
    area = Deflate(rc, 3, 2);
  }
  if (text == nullptr || *text == 0 || area.IsEmpty()) return;
  const int color = disabled ? 35 : readOnly ? 36 : 34;
  unsigned textFormat = format | UITEXT_NOPREFIX | UITEXT_EDITCONTROL;
  if ((format & UITEXT_VCENTER) == 0) textFormat |= UITEXT_SINGLELINE | UITEXT_VCENTER;
  if (!p.SelectStyleFont(1)) return;
  p.DrawPlainText(area, text, CUIStyleTable::GetColor(color), textFormat);
  p.RestoreFont();
}

void DrawTab(IUIRenderPainter& p, UIRect& rc, const wchar_t* text, unsigned state, int extraHeight,
             const IUIImage* image) {
  const int textWidth = TextWidthInFont1(p, text);
  const bool selected = (state & UITAB_SELECTED) != 0;
  if (!selected && (state & UITAB_DISABLED) != 0) {
    rc = UIRect();
    return;
  }
  if (selected) {
    rc = MakeUIRect(rc.left, rc.top, rc.left + textWidth + 14, rc.bottom + extraHeight);
  } else {
    rc = MakeUIRect(rc.left, rc.top + 3, rc.left + textWidth + 12, rc.bottom);
  }
  if (rc.IsEmpty()) return;
  if (image != nullptr) {
    int frame = selected ? UISTRIP_PUSHED : (state & UITAB_HOT) != 0 ? UISTRIP_HOT : UISTRIP_NORMAL;
    DrawImageFrame(p, rc, *image, frame);
    return;
  }
  const UIColor frameColor = CUIStyleTable::GetColor(60);
  const int l = rc.left, t = rc.top, r = rc.right - 1, b = rc.bottom - 1;
  if (selected) {
    const UIColor face = CUIStyleTable::GetColor(56);
    p.FillColorRect(rc, face);
    // Cut top corners; no bottom edge, so the tab runs into its page.
    p.DrawColorLine(l + 1, t, r, t, frameColor);
    p.DrawColorLine(l, t + 1, l, b + 1, frameColor);
    p.DrawColorLine(r, t + 1, r, b + 1, frameColor);
    p.DrawColorLine(l + 1, b, r, b, face);
    DrawGradient(p, MakeUIRect(l + 1, t, r, std::min(t + 3, rc.bottom)), UIRgb(0xde, 0x8e, 0x29), UIRgb(0xff, 0xc7, 0x19),
                 true, 4);
    return;
  }
  UIColor from = 0, to = 0;
  CUIStyleTable::GetColorPair(58, from, to);
  DrawGradient(p, rc, from, to, true, 32);
  p.DrawColorLine(l, b + 1, l, t, frameColor);
  p.DrawColorLine(l, t, r, t, frameColor);
  p.DrawColorLine(r, t, r, b + 1, frameColor);
}

}  // namespace vorlix
