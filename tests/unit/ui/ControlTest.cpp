#include <gtest/gtest.h>

#include "ui/core/CUIControl.h"
#include "ui/core/CUIManager.h"
#include "unit/ui/UITestControls.h"

namespace vorlix {
namespace {

using test::CTestContainer;
using test::CTestControl;
using test::CTestListener;
using test::Journal;

TEST(UIControl, StartsVisibleEnabledUnfocusedWithoutManager) {
  CTestControl c(nullptr, L"c", UIRect());
  EXPECT_TRUE(c.IsVisible());
  EXPECT_TRUE(c.IsEnabled());
  EXPECT_FALSE(c.IsFocused());
  EXPECT_FALSE(c.IsMouseTransparent());
  EXPECT_EQ(nullptr, c.GetManager());
  EXPECT_EQ(nullptr, c.GetParent());
  EXPECT_TRUE(c.Activate());
  c.SetEnabled(false);
  EXPECT_FALSE(c.Activate());
  c.SetEnabled(true);
  c.SetVisible(false);
  EXPECT_FALSE(c.Activate());
}

TEST(UIControl, UnhandledEventsClimbToTheRootAndStopThere) {
  Journal j;
  auto* root = new CTestContainer(&j, L"root", MakeUIRect(0, 0, 100, 100));
  auto* mid = root->Add(new CTestContainer(&j, L"mid", MakeUIRect(0, 0, 50, 50)));
  auto* leaf = mid->Add(new CTestControl(&j, L"leaf", MakeUIRect(0, 0, 10, 10)));
  CUIManager manager;
  manager.AttachRoot(root);
  UIEvent e;
  e.Type = UIEVENT_KEYDOWN;
  e.chKey = 65;
  leaf->Event(e);
  EXPECT_EQ((std::vector<std::string>{"keydown:leaf=65", "keydown:mid=65", "keydown:root=65"}), j.lines);
}

TEST(UIControl, TimerEventBecomesTimerNotificationWithTheId) {
  Journal j;
  auto* root = new CTestContainer(&j, L"root", MakeUIRect(0, 0, 100, 100));
  auto* leaf = root->Add(new CTestControl(&j, L"leaf", MakeUIRect(0, 0, 10, 10)));
  CUIManager manager;
  CTestListener listener(&j, "");
  manager.AddNotifier(&listener);
  manager.AttachRoot(root);
  UIEvent e;
  e.Type = UIEVENT_TIMER;
  e.wParam = 2006;
  leaf->Event(e);
  EXPECT_EQ((std::vector<std::string>{"timer:leaf=2006", "own:leaf:17", "listener:leaf:17=2006"}), j.lines);
}

TEST(UIControl, FocusEventsKeepTheFlag) {
  CTestControl c(nullptr, L"c", UIRect());
  UIEvent e;
  e.Type = UIEVENT_SETFOCUS;
  c.Event(e);
  EXPECT_TRUE(c.IsFocused());
  e.Type = UIEVENT_KILLFOCUS;
  c.Event(e);
  EXPECT_FALSE(c.IsFocused());
}

TEST(UIControl, GetInterfaceAnswersControlOnly) {
  CTestControl c(nullptr, L"c", UIRect());
  EXPECT_EQ(static_cast<void*>(&c), c.GetInterface(L"Control"));
  for (const wchar_t* other : {L"Container", L"ListItem", L"UIChecked", L"control", L"", static_cast<const wchar_t*>(nullptr)}) {
    EXPECT_EQ(nullptr, c.GetInterface(other));
  }
}

TEST(UIControl, SetManagerCallsInitOnlyTheFirstTime) {
  CTestControl c(nullptr, L"c", UIRect());
  CTestControl parent(nullptr, L"p", UIRect());
  CUIManager m1;
  CUIManager m2;
  c.SetManager(&m1, &parent);
  EXPECT_EQ(1, c.m_nInits);
  EXPECT_EQ(&parent, c.GetParent());
  c.SetManager(&m2, nullptr);
  EXPECT_EQ(1, c.m_nInits);
  EXPECT_EQ(&m2, c.GetManager());
  c.SetManager(nullptr, nullptr);  // detach before the managers go
}

TEST(UIControl, BaseAttributes) {
  CTestControl c(nullptr, L"c", UIRect());
  c.SetAttribute(L"pos", L"10,20,110,44");
  EXPECT_EQ(MakeUIRect(10, 20, 110, 44), c.GetPos());
  c.SetAttribute(L"pos", L"1 2;3x4");  // any single separator character
  EXPECT_EQ(MakeUIRect(1, 2, 3, 4), c.GetPos());
  c.SetAttribute(L"name", L"ok");
  c.SetAttribute(L"text", L"确定");
  c.SetAttribute(L"tooltip", L"tip");
  c.SetAttribute(L"shortcut", L"xyz");
  c.SetAttribute(L"unknown", L"ignored");
  EXPECT_TRUE(c.GetName() == L"ok");
  EXPECT_TRUE(c.GetText() == L"确定");
  EXPECT_TRUE(c.GetToolTip() == L"tip");
  EXPECT_EQ(L'x', c.GetShortcut());
  struct Case {
    const wchar_t* value;
    bool on;
  } flags[] = {{L"TRUE", true}, {L"true", false}, {L"1", false}, {L"", false}};
  for (const Case& f : flags) {
    c.SetAttribute(L"enabled", f.value);
    c.SetAttribute(L"visible", f.value);
    EXPECT_EQ(f.on, c.IsEnabled());
    EXPECT_EQ(f.on, c.IsVisible());
  }
}

TEST(UIControl, ApplyAttributeListStopsAtTheFirstMalformedPiece) {
  struct Case {
    const wchar_t* list;
    const wchar_t* name;
    const wchar_t* text;
    const wchar_t* tooltip;
  } cases[] = {
      {L"name=\"a\",text=\"b\",tooltip=\"c\"", L"a", L"b", L"c"},
      {L"name=\"a\" text=\"b\"", L"a", L"", L""},         // no comma after the first pair
      {L"name=\"a\";text=\"b\"", L"a", L"", L""},
      {L"name=\"a\",text=b,tooltip=\"c\"", L"a", L"", L""},  // value without quotes
      {L"name=\"a\",text=\"b", L"a", L"", L""},           // unterminated value
      {L"name\"a\"", L"", L"", L""},                      // no equals sign
      {L"text=\"x,y\",name=\"n\"", L"n", L"x,y", L""},    // commas inside a value belong to it
      {L"name=\"\",text=\"t\"", L"", L"t", L""},
      {L"", L"", L"", L""},
  };
  for (const Case& c : cases) {
    CTestControl ctl(nullptr, L"", UIRect());
    ctl.ApplyAttributeList(c.list);
    EXPECT_TRUE(ctl.GetName() == c.name) << test::Narrow(CStdString(c.list));
    EXPECT_TRUE(ctl.GetText() == c.text) << test::Narrow(CStdString(c.list));
    EXPECT_TRUE(ctl.GetToolTip() == c.tooltip) << test::Narrow(CStdString(c.list));
  }
}

CUIControl* AcceptAll(CUIControl* c, void*) { return c; }

TEST(UIControl, FindControlFilter) {
  CTestControl c(nullptr, L"c", MakeUIRect(10, 10, 20, 20));
  UIPoint inside = MakeUIPoint(15, 15);
  UIPoint edge = MakeUIPoint(20, 15);  // right edge is exclusive
  EXPECT_EQ(&c, c.FindControl(AcceptAll, &inside, UIFIND_HITTEST));
  EXPECT_EQ(nullptr, c.FindControl(AcceptAll, &edge, UIFIND_HITTEST));
  c.SetVisible(false);
  EXPECT_EQ(nullptr, c.FindControl(AcceptAll, &inside, UIFIND_VISIBLE));
  EXPECT_EQ(&c, c.FindControl(AcceptAll, &inside, UIFIND_ENABLED));
  c.SetVisible(true);
  c.SetEnabled(false);
  EXPECT_EQ(nullptr, c.FindControl(AcceptAll, &inside, UIFIND_ENABLED));
  EXPECT_EQ(&c, c.FindControl(AcceptAll, nullptr, UIFIND_VISIBLE));
}

TEST(UIControl, PolygonRegionNarrowsHitTests) {
  CTestControl c(nullptr, L"c", MakeUIRect(0, 0, 100, 100));
  EXPECT_TRUE(c.HitTestRegion(99, 99));
  // A triangle over the upper-left half.
  c.SetRegion(3, MakeUIPoint(0, 0), MakeUIPoint(100, 0), MakeUIPoint(0, 100));
  struct Case {
    int x, y;
    bool hit;
  } cases[] = {{10, 10, true}, {40, 40, true}, {60, 60, false}, {90, 5, true}, {5, 90, true}, {95, 95, false}};
  for (const Case& k : cases) {
    UIPoint pt = MakeUIPoint(k.x, k.y);
    EXPECT_EQ(k.hit, c.HitTestRegion(k.x, k.y)) << k.x << "," << k.y;
    EXPECT_EQ(k.hit ? &c : nullptr, c.FindControl(AcceptAll, &pt, UIFIND_HITTEST)) << k.x << "," << k.y;
  }
  UIPoint more[] = {MakeUIPoint(100, 100)};
  c.SetRegion(0);
  EXPECT_TRUE(c.GetRegion().empty());
  c.AddRegionPoints(more, 1);
  EXPECT_EQ(1u, c.GetRegion().size());
}

}  // namespace
}  // namespace vorlix
