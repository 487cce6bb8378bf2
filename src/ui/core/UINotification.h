#pragma once
// Notifications a control sends out, and the listener interface that receives them.

#include <cstdint>

#include "ui/core/UITypes.h"

namespace vorlix {

class CUIControl;

enum UINotifyType : std::int32_t {
  UINOTIFY_CLICK = 0,
  UINOTIFY_DBLCLICK = 1,
  UINOTIFY_MENU = 2,
  UINOTIFY_SETFOCUS = 3,
  UINOTIFY_KILLFOCUS = 4,
  UINOTIFY_LINK = 5,
  UINOTIFY_DROPDOWN = 6,
  UINOTIFY_TEXTCHANGED = 7,
  UINOTIFY_ITEMSELECT = 8,
  UINOTIFY_ITEMACTIVATE = 9,
  UINOTIFY_SELECTCHANGED = 10,
  UINOTIFY_ITEMEXPAND = 11,
  UINOTIFY_ITEMCOLLAPSE = 12,
  UINOTIFY_HEADERCLICK = 13,
  UINOTIFY_HEADERDRAGBEGIN = 14,
  UINOTIFY_HEADERDRAGEND = 15,
  UINOTIFY_WINDOWINIT = 16,
  UINOTIFY_TIMER = 17,
  UINOTIFY_VALUECHANGED = 18,
  UINOTIFY_SCROLL = 19,
};

struct UINotification {
  std::int32_t Type = 0;          // a UINotifyType
  CUIControl* pSender = nullptr;  // the control that notifies
  std::uint32_t dwTimestamp = 0;  // tick count in ms
  UIPoint ptMouse;                // the manager's last known mouse position
  UIWParam wParam = 0;
  UILParam lParam = 0;
};

class INotifyUI {
 public:
  virtual void Notify(const UINotification& msg) = 0;
  virtual ~INotifyUI() = default;
};

}  // namespace vorlix
