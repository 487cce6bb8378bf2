#pragma once
// Input delivered by the manager to one control.

#include <cstdint>

#include "ui/core/UITypes.h"

namespace vorlix {

class CUIControl;

enum UIEventType : std::int32_t {
  UIEVENT_MOUSEMOVE = 1,
  UIEVENT_MOUSELEAVE = 2,
  UIEVENT_MOUSEENTER = 3,
  UIEVENT_MOUSEHOVER = 4,
  UIEVENT_KEYDOWN = 5,
  UIEVENT_KEYUP = 6,
  UIEVENT_CHAR = 7,
  UIEVENT_SYSKEY = 8,
  UIEVENT_KILLFOCUS = 9,
  UIEVENT_SETFOCUS = 10,
  UIEVENT_BUTTONDOWN = 11,
  UIEVENT_BUTTONUP = 12,
  UIEVENT_DBLCLICK = 13,
  UIEVENT_CONTEXTMENU = 14,
  UIEVENT_VSCROLL = 15,
  UIEVENT_SCROLLWHEEL = 17,
  UIEVENT_WINDOWSIZE = 18,
  UIEVENT_SETCURSOR = 19,
  UIEVENT_TIMER = 22,
};

// Bits of UIEvent::wKeyState.
enum : std::uint16_t {
  UIKEYSTATE_LBUTTON = 0x01,
  UIKEYSTATE_RBUTTON = 0x02,
  UIKEYSTATE_SHIFT = 0x04,
  UIKEYSTATE_CONTROL = 0x08,
  UIKEYSTATE_ALT = 0x20,
};

struct UIEvent {
  std::int32_t Type = 0;          // a UIEventType
  CUIControl* pSender = nullptr;  // the related other control, often null
  std::uint32_t dwTimestamp = 0;  // system tick count in ms
  UIPoint ptMouse;                // client coordinates
  wchar_t chKey = 0;              // virtual key for key events, the character for Char
  std::uint16_t wKeyState = 0;
  UIWParam wParam = 0;
  UILParam lParam = 0;
};

}  // namespace vorlix
