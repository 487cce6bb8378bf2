#pragma once
// The owner side of a list as its rows see it: the selection (IUIListOwner), the header whose items
// give the columns, the body that holds the rows, and whether rows may open below themselves.

#include "ui/controls/IUIListOwner.h"

namespace vorlix {

class CUIListHeader;
class CUIContainer;

class IUIList : public IUIListOwner {
 public:
  virtual CUIListHeader* GetHeader() const = 0;
  virtual CUIContainer* GetList() const = 0;
  virtual bool IsExpanding() const = 0;
  // Scrolls the body so the row is fully in view (as far as the body can scroll).
  virtual void EnsureVisible(int index) = 0;

 protected:
  ~IUIList() = default;
};

}  // namespace vorlix
