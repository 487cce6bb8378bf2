#include "ui/render/win32/UIGdiStyle.h"

#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

struct GdiCache {
  HFONT fonts[kUIFontLast + 1] = {};
  bool metricsKnown[kUIFontLast + 1] = {};
  TEXTMETRICW metrics[kUIFontLast + 1] = {};
  HBRUSH brushes[kUIColorLast + 1] = {};
  HPEN pens[kUIColorLast + 1] = {};
};

GdiCache& Cache();

void OnStyleChange(UIStyleChange change, int index) {
  GdiCache& c = Cache();
  // Objects still selected somewhere are not deleted, only forgotten; they are few and small.
  if (change == UIStyleChange::Brush && CUIStyleTable::IsValidColor(index)) c.brushes[index] = nullptr;
  if (change == UIStyleChange::Pens && CUIStyleTable::IsValidColor(index)) c.pens[index] = nullptr;
}

GdiCache& Cache() {
  static GdiCache* cache = [] {
    auto* c = new GdiCache();
    CUIStyleTable::SetListener(&OnStyleChange);
    return c;
  }();
  return *cache;
}

}  // namespace

HFONT GetThemeFont(int index) {
  const UIFontSpec* spec = CUIStyleTable::GetFontSpec(index);
  if (spec == nullptr) return nullptr;
  GdiCache& c = Cache();
  if (c.fonts[index] != nullptr) return c.fonts[index];
  if (spec->bSystemDefault) {
    c.fonts[index] = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  } else {
    LOGFONTW lf = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lstrcpynW(lf.lfFaceName, kUIStyleFontFace, LF_FACESIZE);
    lf.lfHeight = spec->height;
    lf.lfWidth = 0;
    lf.lfWeight += spec->weightAdd;
    lf.lfUnderline = spec->bUnderline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    c.fonts[index] = CreateFontIndirectW(&lf);
  }
  if (index == 1 && c.fonts[index] != nullptr) CUIStyleTable::MarkFontsCreated();
  return c.fonts[index];
}

TEXTMETRICW GetThemeFontInfo(int index, HDC hdc) {
  TEXTMETRICW tm = {};
  HFONT font = GetThemeFont(index);
  if (font == nullptr || hdc == nullptr) return tm;
  GdiCache& c = Cache();
  if (!c.metricsKnown[index]) {
    HGDIOBJ old = SelectObject(hdc, font);
    GetTextMetricsW(hdc, &c.metrics[index]);
    SelectObject(hdc, old);
    c.metricsKnown[index] = true;
  }
  return c.metrics[index];
}

HBRUSH GetThemeBrush(int index) {
  if (!CUIStyleTable::IsValidColor(index)) return nullptr;
  GdiCache& c = Cache();
  if (c.brushes[index] == nullptr) c.brushes[index] = CreateSolidBrush(CUIStyleTable::GetColor(index));
  return c.brushes[index];
}

HPEN GetThemePen(int index) {
  if (!CUIStyleTable::IsValidColor(index)) return nullptr;
  GdiCache& c = Cache();
  if (c.pens[index] == nullptr) c.pens[index] = CreatePen(PS_SOLID, 1, CUIStyleTable::GetColor(index));
  return c.pens[index];
}

}  // namespace vorlix
