#pragma once
// What the main window shows when the mouse rests on one of its controls: the user panel while over the
// user icon or the panel itself, and a tip over the record and the replay buttons.
#include "ui/core/UITypes.h"

namespace vorlix {

enum class HoverTip { None, Record, Replay };

struct HoverDecision {
  bool handled = false;        // a visible control is under the mouse; nothing changes otherwise
  bool showUserPanel = false;  // show 1011, 1012, 1013
  bool hideUserPanel = false;  // hide them (only when they are shown)
  HoverTip tip = HoverTip::None;
};

HoverDecision DecideHover(bool controlFound, bool controlVisible, int controlId, bool userPanelVisible);

// Tip background and text for each tip.
struct HoverTipLayout {
  const wchar_t* text;
  UIRect background;
  UIRect textRect;
};
const HoverTipLayout& TipLayout(HoverTip tip);

}  // namespace vorlix
