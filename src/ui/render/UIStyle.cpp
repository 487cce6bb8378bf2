#include "ui/render/UIStyle.h"

namespace vorlix {

const wchar_t* const kUIStyleFontFace = L"\u9ED1\u4F53";

namespace {

constexpr UIColor Hex(std::uint32_t rrggbb) {
  return UIRgb((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

struct StyleState {
  UIFontSpec fonts[kUIFontLast + 1];
  UIColorPair colors[kUIColorLast + 1];
  bool bFontsCreated = false;
  UIStyleListener listener = nullptr;
};

void FillDefaults(StyleState& s) {
  for (auto& f : s.fonts) f = UIFontSpec();
  for (auto& c : s.colors) c = UIColorPair();
  struct FontRow {
    int index, height, weightAdd;
    bool underline;
  };
  static const FontRow kFonts[] = {
      {1, -14, 0, false},  {2, -14, 700, false}, {3, -14, 0, false}, {5, -14, 0, true},  {6, -17, 700, false},
      {7, -21, 700, false}, {8, -18, 0, false},  {9, -12, 0, false}, {10, -18, 0, false},
  };
  for (const FontRow& r : kFonts) {
    s.fonts[r.index].height = r.height;
    s.fonts[r.index].weightAdd = r.weightAdd;
    s.fonts[r.index].bUnderline = r.underline;
  }
  s.fonts[4].bSystemDefault = true;

  struct ColorRow {
    int index;
    std::uint32_t primary, secondary;
  };
  // Entries not listed stay black with a black secondary; a secondary of 0 here means "not given".
  static const ColorRow kColors[] = {
      {1, 0xefefeb, 0},  {3, 0xffffff, 0},  {5, 0x606050, 0},  {6, 0xfafafc, 0xd7d7e3}, {7, 0xf8f8f8, 0xd6d6d6},
      {8, 0xd7d7e3, 0xfafafc}, {10, 0x000014, 0}, {11, 0xcccccc, 0}, {12, 0x7b9ebd, 0}, {13, 0x7b9ebd, 0},
      {14, 0xcccccc, 0}, {15, 0x8c8c8c, 0}, {16, 0xffffff, 0}, {17, 0xadc3e7, 0}, {18, 0xffffff, 0},
      {19, 0xffffff, 0}, {20, 0xe9f5ff, 0}, {21, 0xf2f2f6, 0}, {22, 0xffffff, 0xecf2ff}, {23, 0xabadb3, 0},
      {24, 0x3d7bad, 0}, {25, 0xcccccc, 0}, {28, 0xcccccc, 0}, {30, 0xffffff, 0}, {31, 0xfffbff, 0},
      {32, 0xfffbff, 0}, {33, 0xfffbff, 0}, {34, 0x000000, 0}, {35, 0xa7a6aa, 0}, {36, 0xa7a6aa, 0},
      {37, 0xabadb3, 0}, {38, 0xe2e3ea, 0}, {39, 0x3d7bad, 0}, {40, 0xb7d9ed, 0}, {41, 0xcccccc, 0},
      {42, 0xcccccc, 0}, {43, 0xd0b450, 0}, {44, 0x815119, 0}, {45, 0xe9e7d7, 0x969693}, {46, 0xdadbc9, 0},
      {47, 0xc5c1b1, 0}, {50, 0xffffcc, 0}, {51, 0xffcccc, 0}, {52, 0x919277, 0}, {53, 0xc3c4b3, 0},
      {54, 0xffffff, 0}, {55, 0x0000ff, 0}, {56, 0xfffbff, 0}, {58, 0xfffbff, 0xe9e7d7}, {59, 0xfffbff, 0},
      {60, 0x94a6b5, 0},
  };
  for (const ColorRow& r : kColors) {
    s.colors[r.index].primary = Hex(r.primary);
    s.colors[r.index].secondary = Hex(r.secondary);
  }
}

StyleState& State() {
  static StyleState* state = [] {
    auto* s = new StyleState();  // process-wide, never freed: cached system objects outlive windows
    FillDefaults(*s);
    return s;
  }();
  return *state;
}

void Tell(UIStyleChange change, int index) {
  if (State().listener != nullptr) State().listener(change, index);
}

}  // namespace

void CUIStyleTable::ResetDefaults() {
  StyleState& s = State();
  FillDefaults(s);
  for (int i = kUIFontFirst; i <= kUIFontLast; ++i) Tell(UIStyleChange::Font, i);
  for (int i = kUIColorFirst; i <= kUIColorLast; ++i) {
    Tell(UIStyleChange::Pens, i);
    Tell(UIStyleChange::Brush, i);
  }
}

void CUIStyleTable::MarkFontsCreated() { State().bFontsCreated = true; }
bool CUIStyleTable::AreFontsCreated() { return State().bFontsCreated; }

void CUIStyleTable::EnsureDefaults() {
  if (!AreFontsCreated()) ResetDefaults();
}

const UIFontSpec* CUIStyleTable::GetFontSpec(int index) {
  return IsValidFont(index) ? &State().fonts[index] : nullptr;
}

UIColor CUIStyleTable::GetColor(int index) { return IsValidColor(index) ? State().colors[index].primary : 0; }

bool CUIStyleTable::GetColorPair(int index, UIColor& primary, UIColor& secondary) {
  if (!IsValidColor(index)) {
    primary = secondary = 0;
    return false;
  }
  primary = State().colors[index].primary;
  secondary = State().colors[index].secondary;
  return true;
}

void CUIStyleTable::SetPair(int first, UIColor light, UIColor dark) {
  StyleState& s = State();
  s.colors[first].primary = light;
  s.colors[first + 1].primary = dark == kUIColorNoBackground ? light : dark;
  for (int i = first; i <= first + 1; ++i) {
    Tell(UIStyleChange::Pens, i);
    Tell(UIStyleChange::Brush, i);
  }
}

void CUIStyleTable::SetEditNormalFrameColors(UIColor light, UIColor dark) { SetPair(37, light, dark); }
void CUIStyleTable::SetEditFocusFrameColors(UIColor light, UIColor dark) { SetPair(39, light, dark); }
void CUIStyleTable::SetEditDisabledFrameColors(UIColor light, UIColor dark) { SetPair(41, light, dark); }

void CUIStyleTable::SetDisabledTextColor(UIColor color) { State().colors[35].primary = color; }

void CUIStyleTable::SetEditBackgroundColor(UIColor color) {
  State().colors[30].primary = color;
  Tell(UIStyleChange::Brush, 30);
}

void CUIStyleTable::SetDefaultTextColor(UIColor color) { State().colors[34].primary = color; }

void CUIStyleTable::SetListener(UIStyleListener listener) { State().listener = listener; }

}  // namespace vorlix
