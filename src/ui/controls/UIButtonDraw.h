#pragma once
// The two look routines buttons share: the classic button face and the check box / radio option.

#include "ui/core/CUIManager.h"
#include "ui/core/UITypes.h"
#include "ui/render/IUIRenderPainter.h"

namespace vorlix {

// Visual state bits every control uses.
enum : unsigned {
  UISTATE_FOCUSED = 0x01,
  UISTATE_DISABLED = 0x04,
  UISTATE_HOT = 0x08,
  UISTATE_PUSHED = 0x10,
  UISTATE_CHECKED = 0x20,
  UISTATE_CAPTURED = 0x80,
};

// Glyph kinds of DrawCheckOption (the button's check styles).
enum : int { UICHECK_BOX = 2, UICHECK_RADIO = 3 };

// The skin state images cannot be cut into textures, so every button without images of its own gets
// the classic face: cut-corner frame, pushed inset, vertical gradient and the dark shadow line. The
// polygon is kept for the textured face and does not change the classic one.
void DrawButtonBackground(IUIRenderPainter& p, const UIRect& rc, unsigned state, const UIPoint* polygon,
                          int polygonCount);

// An 18-pixel glyph column (left, or right with UITEXT_RIGHT) with the check box or radio frame of the
// state, the text in the rest.
void DrawCheckOption(IUIRenderPainter& p, CUIManager* manager, const UIRect& rc, const wchar_t* text,
                     unsigned state, unsigned textStyle, int kind);

}  // namespace vorlix
