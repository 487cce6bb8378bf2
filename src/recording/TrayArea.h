#pragma once
// Where the tray lies on the screen (the target of the minimise animation), where the tray menu may
// open, and which parts of the borderless window drag it. Portable: the window queries come through
// an interface, so the rules run against fake answers.

namespace vorlix {

struct ScreenRect {
  long left = 0;
  long top = 0;
  long right = 0;
  long bottom = 0;
};

enum class TaskbarEdge { Left, Top, Right, Bottom };

class ITrayAreaQueries {
 public:
  virtual ~ITrayAreaQueries() = default;
  // The notification area inside the taskbar ("TrayNotifyWnd" in "Shell_TrayWnd").
  virtual bool NotifyAreaRect(ScreenRect& rc) = 0;
  // The taskbar as the application bar message reports it.
  virtual bool TaskbarPosition(TaskbarEdge& edge, ScreenRect& rc) = 0;
  // The taskbar window ("Shell_TrayWnd").
  virtual bool TaskbarWindowRect(ScreenRect& rc) = 0;
  virtual ScreenRect WorkArea() = 0;
};

ScreenRect TrayAreaRectangle(ITrayAreaQueries& queries);

// The tray menu's x when the cursor lies on no monitor: clamped into the nearest work area.
long ClampMenuX(long x, bool onMonitor, long workLeft, long workRight);

// The two strips of the top edge that move the window (left-top inclusive, right-bottom exclusive).
bool InDragStrip(long clientX, long clientY);

}  // namespace vorlix
