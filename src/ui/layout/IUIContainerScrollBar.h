#pragma once
// What a scrolling container needs of its vertical scroll bar, in pixels. The scroll bar control
// implements it and registers a factory with CUIContainer::SetScrollBarFactory; until one is
// registered containers never scroll.

#include "ui/core/UITypes.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

class CUIControl;
class CUIContainer;

// The optional custom look a container hands to the scroll bar it creates.
struct UIScrollBarLook {
  IUIImage* pImage = nullptr;  // null: the process-wide scroll bar image
  UIRect rcParts[7];
  int nValue1 = 0;
  int nValue2 = 0;
};

class IUIContainerScrollBar {
 public:
  virtual ~IUIContainerScrollBar() = default;
  virtual CUIControl* GetScrollBarControl() = 0;  // the same object as a control (deleted through it)
  virtual int GetScrollBarWidth() const = 0;
  virtual void SetScrollRange(int minimum, int maximum) = 0;
  virtual void GetScrollRange(int& minimum, int& maximum) const = 0;
  virtual void SetScrollPos(int pos) = 0;  // clamped by the bar
  virtual int GetScrollPos() const = 0;
  virtual void SetPageSize(int page) = 0;
  virtual int GetPageSize() const = 0;
  virtual void SetLineSize(int line) = 0;
  virtual int GetLineSize() const = 0;
  virtual void SetLook(const UIScrollBarLook& look) = 0;
};

using UIScrollBarFactory = IUIContainerScrollBar* (*)(CUIContainer* owner);

}  // namespace vorlix
