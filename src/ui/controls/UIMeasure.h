#pragma once
// Desired sizes are asked for outside painting, so controls measure through a surface of their own:
// one over the window's paint context (or the screen) on Windows. Tests and ports install theirs.

#include <memory>

#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"

namespace vorlix {

// Null when nothing can measure (no window system and no override).
std::unique_ptr<IUIRenderPainter> CreateMeasurePainter(CUIManager* manager);

// Used instead of the platform surface while set (not owned); null restores the platform one.
void SetMeasurePainterOverride(IUIRenderPainter* painter);
IUIRenderPainter* GetMeasurePainterOverride();

// Height of style font 1 (0 when nothing can measure).
int MeasureFont1Height(CUIManager* manager);
// Width of a markup text laid out on one line in calculation mode.
int MeasureMarkupLineWidth(CUIManager* manager, const wchar_t* text);

}  // namespace vorlix
