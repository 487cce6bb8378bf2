#include "ui/hosts/UIMessageBoxStyle.h"

namespace vorlix {

namespace {
UIMessageBoxStyle& Style() {
  static UIMessageBoxStyle style;
  return style;
}
}  // namespace

const UIMessageBoxStyle& GetMessageBoxStyle() { return Style(); }
void ResetMessageBoxStyle() { Style() = UIMessageBoxStyle(); }

void SetMessageBoxTitleTextStyle(unsigned style) { Style().uTitleTextStyle = style; }
void SetMessageBoxButtonTextColors(UIColor normal, UIColor hot, UIColor pushed, UIColor disabled) {
  Style().clrButtonNormal = normal;
  Style().clrButtonHot = hot;
  Style().clrButtonPushed = pushed;
  Style().clrButtonDisabled = disabled;
}
void SetMessageBoxTextColor(UIColor color) { Style().clrText = color; }
void SetMessageBoxTitleColor(UIColor color) { Style().clrTitle = color; }
void SetMessageBoxCornerSize(int size) { Style().nCornerSize = size; }
void SetMessageBoxTitleHeight(int height) { Style().nTitleHeight = height; }
void SetMessageBoxMargin(int margin) { Style().nMargin = margin; }
void SetMessageBoxButtonSize(int cx, int cy) {
  Style().cxButton = cx;
  Style().cyButton = cy;
}
void SetMessageBoxButtonGap(int gap) { Style().nButtonGap = gap; }
void SetMessageBoxCloseOffset(int right, int top) {
  Style().nCloseRight = right;
  Style().nCloseTop = top;
}
void SetMessageBoxTitlePos(int x, int y) {
  Style().xTitle = x;
  Style().yTitle = y;
}
void SetMessageBoxTemplate(int templateId) { Style().nTemplateId = templateId; }
void SetMessageBoxResourceModule(UIModule module) { Style().hResourceModule = module; }
void SetMessageBoxAppModule(CAppModule* module) { Style().pAppModule = module; }

}  // namespace vorlix
