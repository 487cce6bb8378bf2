#pragma once
// The process-wide style table: ten fonts and sixty-three colours addressed by small integers, shared by
// every window. This part holds the descriptions; the system objects made from them (font handles,
// brushes, pens, text metrics) are created lazily by the platform side, which listens for the setters
// below to throw its cached objects away.

#include <cstdint>

#include "ui/core/UITypes.h"

namespace vorlix {

constexpr int kUIFontFirst = 1;
constexpr int kUIFontLast = 10;
constexpr int kUIColorFirst = 1;
constexpr int kUIColorLast = 63;
// Callers pass this colour index for "no fill / no background".
constexpr int kUIColorIndexNone = 65;
// Text callers pass this colour value for "no background".
constexpr UIColor kUIColorNoBackground = 0x010101;

// Face of every style font ("黑体").
extern const wchar_t* const kUIStyleFontFace;

struct UIFontSpec {
  bool bSystemDefault = false;  // index 4: the system default GUI font itself
  int height = 0;               // negative: character height in pixels
  int weightAdd = 0;            // added to the default font's weight
  bool bUnderline = false;
};

struct UIColorPair {
  UIColor primary = 0;
  UIColor secondary = 0;
};

// What a setter changed, for the platform caches.
enum class UIStyleChange { Font, Pens, Brush };
using UIStyleListener = void (*)(UIStyleChange change, int index);

class CUIStyleTable {
 public:
  static bool IsValidFont(int index) { return index >= kUIFontFirst && index <= kUIFontLast; }
  static bool IsValidColor(int index) { return index >= kUIColorFirst && index <= kUIColorLast; }

  // Back to the defaults; done by the first window (as long as font 1 has not been created yet).
  static void ResetDefaults();
  // The platform side tells the table once font 1 exists, which ends the default refills.
  static void MarkFontsCreated();
  static bool AreFontsCreated();
  // ResetDefaults unless fonts already exist; what every new window manager calls.
  static void EnsureDefaults();

  // A null pointer for an invalid index.
  static const UIFontSpec* GetFontSpec(int index);
  // 0 (black) for an invalid index.
  static UIColor GetColor(int index);
  // False (and both black) for an invalid index.
  static bool GetColorPair(int index, UIColor& primary, UIColor& secondary);

  // Edit frame pairs 37/38, 39/40 and 41/42: the second colour follows the first when given as
  // kUIColorNoBackground. The cached pens and brushes of both entries are dropped.
  static void SetEditNormalFrameColors(UIColor light, UIColor dark = kUIColorNoBackground);
  static void SetEditFocusFrameColors(UIColor light, UIColor dark = kUIColorNoBackground);
  static void SetEditDisabledFrameColors(UIColor light, UIColor dark = kUIColorNoBackground);
  static void SetDisabledTextColor(UIColor color);  // 35
  static void SetEditBackgroundColor(UIColor color);  // 30 (drops its brush)
  static void SetDefaultTextColor(UIColor color);  // 34

  static void SetListener(UIStyleListener listener);

 private:
  static void SetPair(int first, UIColor light, UIColor dark);
};

}  // namespace vorlix
