#pragma once
// Geometry of the skinned message box from its style, its type (the system's MB_ values: the low four
// bits pick the buttons, the next four the icon) and the measured sizes of icon and text.

#include <vector>

#include "ui/core/UITypes.h"
#include "ui/hosts/UIMessageBoxStyle.h"

namespace vorlix {

// The MB_ values the box understands (the same numbers the system uses).
constexpr unsigned kMsgBoxOk = 0x0;
constexpr unsigned kMsgBoxOkCancel = 0x1;
constexpr unsigned kMsgBoxYesNoCancel = 0x3;
constexpr unsigned kMsgBoxYesNo = 0x4;
constexpr unsigned kMsgBoxIconError = 0x10;
constexpr unsigned kMsgBoxIconQuestion = 0x20;
constexpr unsigned kMsgBoxIconExclamation = 0x30;
constexpr unsigned kMsgBoxIconInformation = 0x40;

// Control ids inside the box.
constexpr int kMsgBoxCloseId = 0;
constexpr int kMsgBoxTitleId = 1;
constexpr int kMsgBoxIconId = 2;
constexpr int kMsgBoxTextId = 3;
constexpr int kMsgBoxOkId = 4;
constexpr int kMsgBoxCancelId = 5;
constexpr int kMsgBoxYesId = 6;
constexpr int kMsgBoxNoId = 7;

// Extra width of the three-button box.
constexpr int kMsgBoxYesNoCancelExtra = 55;

struct UIMessageBoxButton {
  int id = 0;
  const wchar_t* text = L"";
  const wchar_t* name = L"";  // "ok" or "cancel": what Enter and Escape press
  UIRect rc;
};

struct UIMessageBoxLayout {
  UISize size;
  UIRect rcTitle;
  UIRect rcClose;
  UIRect rcIcon;
  UIRect rcText;
  std::vector<UIMessageBoxButton> buttons;  // left to right
  std::vector<UIPoint> region;              // the octagon: the window with its corners cut
};

// closeFrame: one frame of the close-button strip; icon (0, 0) when there is none.
UIMessageBoxLayout LayoutMessageBox(const UIMessageBoxStyle& style, unsigned type, UISize icon, UISize text,
                                    UISize closeFrame);

// Which icon of the system library's icon list (in the order Windows' user32 keeps them) the type shows:
// exclamation 1, question 2, error 3, information 4 for every other type.
int MessageBoxIconIndex(unsigned type);

// What pressing a button of the box returns: 1, 2, 6 or 7; -1 for controls that do not close it.
int MessageBoxResultFor(int controlId);

}  // namespace vorlix
