#include "recording/TrayArea.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

// Answers what a desktop with some of the shell's windows would answer.
struct FakeShell : ITrayAreaQueries {
  bool hasNotify = false, hasTaskbarPos = false, hasTaskbarWnd = false;
  ScreenRect notify, taskbar, taskbarWnd, work{0, 0, 1280, 770};
  TaskbarEdge edge = TaskbarEdge::Bottom;
  bool NotifyAreaRect(ScreenRect& rc) override { return hasNotify && (rc = notify, true); }
  bool TaskbarPosition(TaskbarEdge& e, ScreenRect& rc) override {
    return hasTaskbarPos && (e = edge, rc = taskbar, true);
  }
  bool TaskbarWindowRect(ScreenRect& rc) override { return hasTaskbarWnd && (rc = taskbarWnd, true); }
  ScreenRect WorkArea() override { return work; }
};

void ExpectRect(const ScreenRect& r, long l, long t, long rr, long b) {
  EXPECT_EQ(r.left, l);
  EXPECT_EQ(r.top, t);
  EXPECT_EQ(r.right, rr);
  EXPECT_EQ(r.bottom, b);
}

TEST(TrayArea, NotificationAreaWinsOverEverything) {
  FakeShell s;
  s.hasNotify = s.hasTaskbarPos = s.hasTaskbarWnd = true;
  s.notify = {1100, 770, 1270, 800};
  ExpectRect(TrayAreaRectangle(s), 1100, 770, 1270, 800);
}

TEST(TrayArea, TaskbarPositionByEdge) {
  FakeShell s;
  s.hasTaskbarPos = true;
  s.taskbar = {0, 770, 1280, 800};
  s.edge = TaskbarEdge::Bottom;
  ExpectRect(TrayAreaRectangle(s), 1180, 770, 1264, 800);
  s.edge = TaskbarEdge::Top;
  s.taskbar = {0, 0, 1280, 30};
  ExpectRect(TrayAreaRectangle(s), 1180, 0, 1264, 30);
  s.edge = TaskbarEdge::Left;
  s.taskbar = {0, 0, 60, 800};
  ExpectRect(TrayAreaRectangle(s), 0, 700, 60, 784);
  s.edge = TaskbarEdge::Right;
  s.taskbar = {1220, 0, 1280, 800};
  ExpectRect(TrayAreaRectangle(s), 1220, 700, 1280, 784);
}

TEST(TrayArea, TaskbarWindowNarrowedOnlyWhereLarger) {
  FakeShell s;
  s.hasTaskbarWnd = true;
  s.taskbarWnd = {0, 760, 1280, 800};
  ExpectRect(TrayAreaRectangle(s), 1130, 770, 1280, 800);
  s.taskbarWnd = {1200, 780, 1280, 800};  // smaller than 150 x 30: kept as it is
  ExpectRect(TrayAreaRectangle(s), 1200, 780, 1280, 800);
}

TEST(TrayArea, WorkAreaCornerWhenTheShellHasNothing) {
  FakeShell s;
  ExpectRect(TrayAreaRectangle(s), 1130, 740, 1280, 770);
}

TEST(TrayArea, MenuXClampedOnlyOffMonitor) {
  EXPECT_EQ(ClampMenuX(5000, true, 0, 1280), 5000);
  EXPECT_EQ(ClampMenuX(5000, false, 0, 1280), 1279);
  EXPECT_EQ(ClampMenuX(-40, false, 0, 1280), 0);
  EXPECT_EQ(ClampMenuX(600, false, 0, 1280), 600);
}

TEST(TrayArea, DragStripsEdges) {
  struct P {
    long x, y;
    bool in;
  };
  const P points[] = {{0, 0, true},     {119, 35, true},  {120, 10, false}, {150, 10, false}, {229, 10, false},
                      {230, 0, true},   {339, 35, true},  {340, 10, false}, {50, 36, false},  {-1, 5, false},
                      {50, -1, false}};
  for (const P& p : points) EXPECT_EQ(InDragStrip(p.x, p.y), p.in) << p.x << "," << p.y;
}

}  // namespace
}  // namespace vorlix
