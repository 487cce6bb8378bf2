#pragma once
// The style-aware drawing routines shared by all controls, over the render painter. Colour arguments
// named "index" are style colour indices (65 = none); the others are colour values.

#include "ui/render/IUIImage.h"
#include "ui/render/IUIRenderPainter.h"

namespace vorlix {

enum UIFrameStyle { UIFRAME_SQUARE = 0, UIFRAME_CUT_CORNERS = 1, UIFRAME_DOTTED = 2 };

// State bits of the text box look.
enum : unsigned { UIEDIT_FOCUSED = 0x01, UIEDIT_DISABLED = 0x04, UIEDIT_READONLY = 0x40 };
// State bits of one tab of a tab folder.
enum : unsigned { UITAB_DISABLED = 0x04, UITAB_HOT = 0x08, UITAB_SELECTED = 0x10 };

void FillStyleRect(IUIRenderPainter& p, const UIRect& rc, int index);
void DrawStyleFrame(IUIRenderPainter& p, const UIRect& rc, int index);
void DrawStyleLine(IUIRenderPainter& p, int x1, int y1, int x2, int y2, int index);
// Outline in the pen colour, filled with the brush colour unless brushIndex is 65.
void DrawStyleRectangle(IUIRenderPainter& p, const UIRect& rc, int penIndex, int brushIndex);
// Optional fill (65 = none), then a frame: square (top light, the rest dark), cut corners (top and left
// light, right and bottom dark) or dotted in colour 15.
void DrawFrame(IUIRenderPainter& p, const UIRect& rc, int lightIndex, int darkIndex, int fillIndex, int style);
// From "from" (top or left) to "to"; without the system gradient fill, bands of solid colours, as many as
// the largest power of two not above steps, between 2 and 64.
void DrawGradient(IUIRenderPainter& p, const UIRect& rc, UIColor from, UIColor to, bool vertical, int steps);
// Number of bands the fallback uses for a step count.
int GradientBandCount(int steps);
// Source split into 3 x 3 equal cells; corners at natural size, middle row and column stretched (or
// repeated with tile).
void DrawImage9Grid(IUIRenderPainter& p, const UIRect& dest, const UIRect& source, const IUIImage& image,
                    bool tile);
// One frame of a four-frame state strip, stretched by the nine-grid routine.
void DrawImageFrame(IUIRenderPainter& p, const UIRect& dest, const IUIImage& image, int frame);

// A single-line text box: with an image, the image stretched over it (nine-grid) and the text inset by
// the padding; without one and with a padding, a square frame and fill of the state (disabled, read-only,
// focused, normal) and the text 3 pixels in from the sides, 2 from top and bottom. The text is plain, in
// font 1, in the colour of the state, broken as an edit control does, vertically centred on one line
// unless the format asks for vertical centring itself.
void DrawEditBox(IUIRenderPainter& p, const UIRect& rc, const wchar_t* text, unsigned state, unsigned format,
                 int padding, const IUIImage* image);
// One tab of a tab folder, sized to its text (font 1): on entry the tab's left and top (and bottom), on
// return the rectangle it took, where the caller draws the text. The selected tab is 14 pixels wider than
// its text and extraHeight taller, the others 12 wider and 3 pixels lower; a disabled tab that is not
// selected draws nothing and comes back empty. With an image (a four-frame strip), the selected tab
// shows the pushed frame, the others the normal or hot one.
void DrawTab(IUIRenderPainter& p, UIRect& rc, const wchar_t* text, unsigned state, int extraHeight,
             const IUIImage* image);

}  // namespace vorlix
