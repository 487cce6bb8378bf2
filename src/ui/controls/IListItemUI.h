#pragma once
// The item side of a list: its position in the owner, its selection and how it draws itself when the
// owner paints it.

#include <cstdint>

#include "ui/core/UITypes.h"

namespace vorlix {

class CUIControl;
class IUIListOwner;
class IUIPainter;

// Bits of the owner state handed to DrawItem: the owner's own look asks the item to draw all rows
// highlighted (0x2) or with the owner's focus colour (0x1).
enum : unsigned {
  UILISTOWNER_FOCUSED = 0x1,
  UILISTOWNER_HIGHLIGHT = 0x2,
};

class IListItemUI {
 public:
  virtual int GetIndex() const = 0;
  virtual void SetIndex(int index) = 0;
  // Stores the owner's "ListOwner" part; a control without one leaves the item without owner.
  virtual void SetOwner(CUIControl* owner) = 0;
  virtual IUIListOwner* GetOwner() const = 0;
  virtual bool IsSelected() const = 0;
  virtual bool Select(bool select) = 0;
  virtual bool IsExpanded() const = 0;
  virtual bool Expand(bool expand) = 0;
  virtual void DrawItem(IUIPainter& painter, const UIRect& rc, unsigned ownerState) = 0;
  // Whether the item opens a sub-area below itself; plain items answer false.
  virtual bool IsExpandable() const = 0;
  virtual std::uintptr_t GetItemData() const = 0;
  virtual void SetItemData(std::uintptr_t data) = 0;

 protected:
  ~IListItemUI() = default;
};

}  // namespace vorlix
