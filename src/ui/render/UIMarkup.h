#pragma once
// The markup painter: every text the toolkit shows goes through it. Inline tags colour words, switch
// fonts, insert links, rules, images, indents and paragraph breaks:
//   <a>..</a> link   <b>..</b> bold   <c #rrggbb> or <c N> colour, </c>   <f N> font, </f>
//   <h> rule   <i N M> image N frame M   <p> paragraph   <x N> indent
// A tag is "<" plus one lower-case letter followed by a space or ">" (or "</" plus a letter); anything
// after the letter up to ">" is skipped. Closing tags go back to the defaults, not to an earlier state.
// "%{N}" is replaced by string resource N before anything else.

#include <string>

#include "ui/core/CUIManager.h"
#include "ui/core/UITypes.h"
#include "ui/render/IUIRenderPainter.h"

namespace vorlix {

// What the painter needs from the window: where the mouse is (for the hot link) and whether keyboard
// accelerators are being shown.
struct UIMarkupContext {
  UIPoint ptMouse = MakeUIPoint(-1, -1);
  bool bShowAccelerators = false;
};

inline UIMarkupContext MarkupContextOf(const CUIManager* manager) {
  UIMarkupContext ctx;
  if (manager != nullptr) {
    ctx.ptMouse = manager->GetMousePos();
    ctx.bShowAccelerators = manager->GetShowAccelerators();
  }
  return ctx;
}

// rc: area to draw in; in calculate mode (UITEXT_CALCRECT) its bottom (and, for a right edge above
// 9998, its right) come back measured. prcLinks/nLinkRects: on entry the link rectangles of the previous
// paint (for the hot link) and the capacity; on return the rectangles of this paint and their number.
// clrBack kUIColorNoBackground draws no background.
void DrawPrettyText(IUIRenderPainter& painter, const UIMarkupContext& ctx, UIRect& rc, const wchar_t* text,
                    UIColor clrText, UIColor clrBack, UIRect* prcLinks, int& nLinkRects, unsigned uStyle);

// The label variant: line height = font height + lineSpacing, and prcOut (if given) receives the drawn
// area: (0, rc.top, width of rc, bottom of the last drawn run + 4).
void DrawPrettyTextEx(IUIRenderPainter& painter, const UIMarkupContext& ctx, UIRect& rc, const wchar_t* text,
                      UIColor clrText, UIColor clrBack, UIRect* prcLinks, int& nLinkRects, unsigned uStyle,
                      int lineSpacing, UIRect* prcOut);

// Colours as style indices; background index 65 means none.
void DrawPrettyTextStyle(IUIRenderPainter& painter, const UIMarkupContext& ctx, UIRect& rc, const wchar_t* text,
                         int iTextColor, int iBackColor, UIRect* prcLinks, int& nLinkRects, unsigned uStyle);

// The text with every "%{N}" placeholder replaced by string resource N.
std::wstring ExpandResourcePlaceholders(const wchar_t* text);

}  // namespace vorlix
