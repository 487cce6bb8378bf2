#pragma once
// The seam between the menu button and its drop-down window (win32/CMenuButtonWnd); without a window
// system nothing opens.

#include "ui/core/UITypes.h"

namespace vorlix {

class CUIMenuButton;

class IUIMenuDropDown {
 public:
  virtual ~IUIMenuDropDown() = default;
  // Ends the drop-down soon; the button then hears OnDropDownClosed.
  virtual void Close() = 0;
  // The button is going away: close at once and never call it again.
  virtual void Detach() = 0;
};

// Opens the drop-down below rcButton (client coordinates of the button's window), cx × cy pixels, with
// the button's items; null when it cannot be opened.
IUIMenuDropDown* OpenMenuDropDown(CUIMenuButton* owner, const UIRect& rcButton, int cx, int cy);

}  // namespace vorlix
