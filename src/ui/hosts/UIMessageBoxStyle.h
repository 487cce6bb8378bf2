#pragma once
// The look of the skinned message box: process-wide values the application sets once at start-up, one
// setter each. Portable: the layout is computed and tested without a window system.

#include "ui/core/UITypes.h"

namespace vorlix {

class CAppModule;

struct UIMessageBoxStyle {
  unsigned uTitleTextStyle = 1;
  UIColor clrButtonNormal = UIRgb(0xff, 0xff, 0xff);
  UIColor clrButtonHot = UIRgb(0xff, 0xff, 0xff);
  UIColor clrButtonPushed = UIRgb(0xff, 0xff, 0xff);
  UIColor clrButtonDisabled = UIRgb(0xff, 0xff, 0xff);
  UIColor clrText = UIRgb(0xff, 0xff, 0xff);
  UIColor clrTitle = UIRgb(0xff, 0xff, 0xff);
  int nCornerSize = 5;
  int nTitleHeight = 20;
  int nMargin = 20;
  int cxButton = 80;
  int cyButton = 20;
  int nButtonGap = 10;
  int nCloseRight = 0;  // close button's distance from the right edge
  int nCloseTop = 0;    // and from the top edge
  int xTitle = 0;       // caption position; (0, 0) = derived from the close button
  int yTitle = 0;
  int nTemplateId = 0;
  UIModule hResourceModule = nullptr;
  CAppModule* pAppModule = nullptr;
};

const UIMessageBoxStyle& GetMessageBoxStyle();
// Back to the defaults above (tests and a second start-up).
void ResetMessageBoxStyle();

void SetMessageBoxTitleTextStyle(unsigned style);
void SetMessageBoxButtonTextColors(UIColor normal, UIColor hot, UIColor pushed, UIColor disabled);
void SetMessageBoxTextColor(UIColor color);
void SetMessageBoxTitleColor(UIColor color);
void SetMessageBoxCornerSize(int size);
void SetMessageBoxTitleHeight(int height);
void SetMessageBoxMargin(int margin);
void SetMessageBoxButtonSize(int cx, int cy);
void SetMessageBoxButtonGap(int gap);
void SetMessageBoxCloseOffset(int right, int top);
void SetMessageBoxTitlePos(int x, int y);
void SetMessageBoxTemplate(int templateId);
void SetMessageBoxResourceModule(UIModule module);
void SetMessageBoxAppModule(CAppModule* module);

}  // namespace vorlix
