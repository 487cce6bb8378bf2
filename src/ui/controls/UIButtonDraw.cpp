#include "ui/controls/UIButtonDraw.h"

#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

void DrawButtonBackground(IUIRenderPainter& p, const UIRect& rc, unsigned state, const UIPoint*, int) {
  if (rc.IsEmpty()) return;
  const bool disabled = (state & UISTATE_DISABLED) != 0;
  const bool pushed = (state & UISTATE_PUSHED) != 0;
  int light = 12, dark = 13;
  if (disabled) {
    light = dark = 14;
  } else if (pushed) {
    light = 13;
    dark = 12;
  }
  DrawFrame(p, rc, light, dark, kUIColorIndexNone, UIFRAME_CUT_CORNERS);
  UIRect inner = MakeUIRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
  if (pushed && !disabled) {
    DrawFrame(p, inner, 53, 53, kUIColorIndexNone, UIFRAME_SQUARE);
    inner.left += 1;
    inner.top += 1;
  }
  int pair = disabled ? 7 : (pushed ? 8 : 6);
  UIColor from = 0, to = 0;
  CUIStyleTable::GetColorPair(pair, from, to);
  if (!inner.IsEmpty()) DrawGradient(p, inner, from, to, true, 32);
  // Shadow: down the left, along the bottom, up the right two pixels in.
  UIColor shadow = CUIStyleTable::GetColor(3);
  const int l = rc.left + 1, b = rc.bottom - 2, r = rc.right - 3, t = rc.top + 1;
  p.DrawColorLine(l, t, l, b, shadow);
  p.DrawColorLine(l, b, r, b, shadow);
  p.DrawColorLine(r, b, r, t, shadow);
}

void DrawCheckOption(IUIRenderPainter& p, CUIManager* manager, const UIRect& rc, const wchar_t* text,
                     unsigned state, unsigned textStyle, int kind) {
  const int kGlyphColumn = 18;
  const bool right = (textStyle & UITEXT_RIGHT) != 0;
  UIRect glyph = rc, rest = rc;
  if (right) {
    glyph.left = rc.right - kGlyphColumn;
    rest.right = glyph.left;
  } else {
    glyph.right = rc.left + kGlyphColumn;
    rest.left = glyph.right;
  }
  IUIImage* strip = CUISkinImages::Get(kind == UICHECK_RADIO ? UISkinSlot::Radio : UISkinSlot::CheckBox);
  if (strip != nullptr && strip->GetWidth() >= 4 && strip->GetHeight() >= 2) {
    int fw = strip->GetWidth() / 4, fh = strip->GetHeight() / 2;
    int frame = PickStripFrame((state & UISTATE_DISABLED) != 0, (state & UISTATE_PUSHED) != 0,
                               (state & UISTATE_HOT) != 0);
    int row = (state & UISTATE_CHECKED) != 0 ? 1 : 0;
    int x = glyph.left + (glyph.GetWidth() - fw) / 2;
    int y = glyph.top + (glyph.GetHeight() - fh) / 2 + (kind == UICHECK_BOX ? 1 : 0);
    p.DrawImagePart(MakeUIRect(x, y, x + fw, y + fh), *strip,
                    MakeUIRect(frame * fw, row * fh, (frame + 1) * fw, (row + 1) * fh), false);
  }
  if (text != nullptr && *text != 0) {
    int links = 0;
    DrawPrettyTextStyle(p, MarkupContextOf(manager), rest, text, (state & UISTATE_DISABLED) != 0 ? 35 : 34,
                        kUIColorIndexNone, nullptr, links, UITEXT_SINGLELINE | UITEXT_VCENTER);
  }
}

}  // namespace vorlix
