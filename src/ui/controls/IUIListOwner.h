#pragma once
// What a list item needs of the control that owns it (a combo box, a list, a menu button): the
// current selection, a way to select, and a place to pass on the events the item does not handle.

#include "ui/core/UIEvent.h"

namespace vorlix {

class IUIListOwner {
 public:
  virtual int GetCurSel() const = 0;
  // False when the index names nothing selectable.
  virtual bool SelectItem(int index) = 0;
  // Every owner answers true; items use it to tell a real owner from a plain container.
  virtual bool IsListOwner() const { return true; }
  // An item's event, handled as if it had reached the owner itself.
  virtual void Event(UIEvent& event) = 0;

 protected:
  ~IUIListOwner() = default;
};

}  // namespace vorlix
