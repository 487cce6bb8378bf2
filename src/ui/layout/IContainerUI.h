#pragma once
// The child list side of a container, as other controls see it.

namespace vorlix {

class CUIControl;

class IContainerUI {
 public:
  virtual CUIControl* GetItem(int index) const = 0;  // null out of range
  virtual int GetCount() const = 0;
  virtual bool Add(CUIControl* control) = 0;
  virtual bool Remove(CUIControl* control) = 0;
  virtual void RemoveAll() = 0;

 protected:
  ~IContainerUI() = default;
};

}  // namespace vorlix
