#include "recording/TrayArea.h"

namespace vorlix {

ScreenRect TrayAreaRectangle(ITrayAreaQueries& queries) {
  ScreenRect rc;
  if (queries.NotifyAreaRect(rc)) return rc;

  TaskbarEdge edge = TaskbarEdge::Bottom;
  if (queries.TaskbarPosition(edge, rc)) {
    if (edge == TaskbarEdge::Left || edge == TaskbarEdge::Right) {
      long bottom = rc.bottom;
      rc.top = bottom - 100;
      rc.bottom = bottom - 16;
    } else {
      long right = rc.right;
      rc.left = right - 100;
      rc.right = right - 16;
    }
    return rc;
  }

  if (queries.TaskbarWindowRect(rc)) {
    if (rc.right - rc.left > 150) rc.left = rc.right - 150;
    if (rc.bottom - rc.top > 30) rc.top = rc.bottom - 30;
    return rc;
  }

  rc = queries.WorkArea();
  rc.left = rc.right - 150;
  rc.top = rc.bottom - 30;
  return rc;
}

long ClampMenuX(long x, bool onMonitor, long workLeft, long workRight) {
  if (onMonitor) return x;
  if (x < workLeft) return workLeft;
  if (x >= workRight) return workRight - 1;
  return x;
}

bool InDragStrip(long x, long y) {
  if (y < 0 || y >= 36) return false;
  return (x >= 0 && x < 120) || (x >= 230 && x < 340);
}

}  // namespace vorlix
