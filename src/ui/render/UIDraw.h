#pragma once
// The style-aware drawing routines shared by all controls, over the render painter. Colour arguments
// named "index" are style colour indices (65 = none); the others are colour values.

#include "ui/render/IUIImage.h"
#include "ui/render/IUIRenderPainter.h"

namespace vorlix {

enum UIFrameStyle { UIFRAME_SQUARE = 0, UIFRAME_CUT_CORNERS = 1, UIFRAME_DOTTED = 2 };

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

}  // namespace vorlix
