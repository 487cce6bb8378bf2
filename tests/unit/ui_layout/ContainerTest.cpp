#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

#include "ui/layout/CUIContainer.h"
#include "unit/ui_layout/LayoutTestControls.h"
#include "unit/ui_render/CRecordingPainter.h"

namespace vorlix {
namespace test {
int CTestScrollBar::alive = 0;
}  // namespace test

namespace {

using test::CBox;

class CountedBox : public CBox {
 public:
  explicit CountedBox(int* deaths) : m_deaths(deaths) {}
  ~CountedBox() override { ++*m_deaths; }

 private:
  int* m_deaths;
};

class CListItemBox : public CBox {
 public:
  void* GetInterface(const wchar_t* name) override {
    if (std::wcscmp(name, L"ListItem") == 0) return this;
    return CBox::GetInterface(name);
  }
};

TEST(Container, RemoveHonoursAutoDestroy) {
  int deaths = 0;
  CUIContainer c;
  auto* a = new CountedBox(&deaths);
  auto* b = new CountedBox(&deaths);
  c.Add(a);
  c.Add(b);
  EXPECT_EQ(a->GetParent(), &c);

  c.SetAutoDestroy(false);
  EXPECT_FALSE(c.Remove(a));
  EXPECT_EQ(c.GetCount(), 2);
  EXPECT_EQ(c.GetItem(0), a);
  EXPECT_EQ(deaths, 0);

  c.SetAutoDestroy(true);
  EXPECT_TRUE(c.Remove(a));
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(c.GetCount(), 1);
  EXPECT_EQ(c.GetItem(0), b);
  EXPECT_EQ(c.GetItem(1), nullptr);
  EXPECT_EQ(c.GetItem(-1), nullptr);
  int other = 0;
  CountedBox stranger(&other);
  EXPECT_FALSE(c.Remove(&stranger));

  c.RemoveAll();
  EXPECT_EQ(deaths, 2);
  EXPECT_EQ(c.GetCount(), 0);
}

TEST(Container, DestructionDeletesChildrenOnlyWithAutoDestroy) {
  int deaths = 0;
  CountedBox* kept = new CountedBox(&deaths);
  {
    CUIContainer c;
    c.Add(new CountedBox(&deaths));
  }
  EXPECT_EQ(deaths, 1);
  {
    CUIContainer c;
    c.SetAutoDestroy(false);
    c.Add(kept);
    c.RemoveAll();  // not deleted, only dropped
    EXPECT_EQ(c.GetCount(), 0);
  }
  EXPECT_EQ(deaths, 1);
  delete kept;
}

CUIControl* HitAny(CUIControl* control, void*) { return control; }
CUIControl* HitBoxes(CUIControl* control, void*) {
  return std::wcscmp(control->GetClass(), L"BoxUI") == 0 ? control : nullptr;
}

TEST(Container, SearchesChildrenLastAddedFirst) {
  CUIContainer c;
  c.SetPos(0, 0, 100, 100);
  auto* under = new CBox();
  auto* over = new CBox();
  c.Add(under);
  c.Add(over);
  under->SetPos(0, 0, 50, 50);
  over->SetPos(25, 25, 75, 75);

  UIPoint pt = MakeUIPoint(30, 30);
  EXPECT_EQ(c.FindControl(&HitBoxes, &pt, UIFIND_HITTEST), over);
  pt = MakeUIPoint(10, 10);
  EXPECT_EQ(c.FindControl(&HitBoxes, &pt, UIFIND_HITTEST), under);
  pt = MakeUIPoint(90, 90);
  EXPECT_EQ(c.FindControl(&HitAny, &pt, UIFIND_HITTEST), &c);  // nothing else: the container itself
  EXPECT_EQ(c.FindControl(&HitAny, &pt, UIFIND_HITTEST | UIFIND_ME_FIRST), &c);
  pt = MakeUIPoint(30, 30);
  EXPECT_EQ(c.FindControl(&HitAny, &pt, UIFIND_HITTEST | UIFIND_ME_FIRST), &c);
  pt = MakeUIPoint(150, 30);
  EXPECT_EQ(c.FindControl(&HitAny, &pt, UIFIND_HITTEST), nullptr);

  over->SetVisible(false);
  pt = MakeUIPoint(30, 30);
  EXPECT_EQ(c.FindControl(&HitBoxes, &pt, UIFIND_HITTEST | UIFIND_VISIBLE), under);
  c.SetVisible(false);  // hides every child too
  EXPECT_FALSE(under->IsVisible());
  EXPECT_EQ(c.FindControl(&HitAny, &pt, UIFIND_VISIBLE), nullptr);
}

TEST(Container, PaintsVisibleChildrenThatMeetThePaintAreaWithinItsClip) {
  CUIContainer c;
  c.SetPos(0, 0, 100, 100);
  auto* inside = new CBox();
  auto* outsidePaint = new CBox();
  auto* outsideContainer = new CBox();
  auto* hidden = new CBox();
  for (CBox* b : {inside, outsidePaint, outsideContainer, hidden}) c.Add(b);
  c.SetPos(0, 0, 100, 100);  // the first child takes the whole area
  outsidePaint->SetPos(60, 60, 90, 90);
  outsideContainer->SetPos(200, 0, 250, 50);
  hidden->SetPos(0, 0, 10, 10);
  hidden->SetVisible(false);

  test::CRecordingPainter p;
  c.Paint(p, MakeUIRect(0, 0, 50, 50));
  EXPECT_EQ(inside->paints, 1);
  EXPECT_EQ(outsidePaint->paints, 0);
  EXPECT_EQ(outsideContainer->paints, 0);
  EXPECT_EQ(hidden->paints, 0);
  EXPECT_EQ(p.maxClipDepth, 1);
  EXPECT_TRUE(p.clipStack.empty());

  c.Paint(p, MakeUIRect(300, 300, 400, 400));  // misses the container: nothing at all
  EXPECT_EQ(inside->paints, 1);
}

TEST(Container, AttributesAndSelectableSearch) {
  CUIContainer c;
  c.SetAttribute(L"inset", L"4");
  c.SetAttribute(L"padding", L"3");
  c.SetAttribute(L"width", L"120");
  c.SetAttribute(L"height", L"40");
  EXPECT_EQ(c.GetInset(), MakeUIRect(4, 4, 4, 4));
  EXPECT_EQ(c.GetChildPadding(), 3);
  UISize sz = c.GetDesiredSize(UISize{});
  EXPECT_EQ(sz.cx, 120);
  EXPECT_EQ(sz.cy, 40);
  c.SetAttribute(L"name", L"box");  // base attributes still work
  EXPECT_EQ(std::wstring(c.GetName().GetData()), L"box");

  EXPECT_EQ(c.FindSelectable(0, true), -1);
  c.Add(new CBox());
  auto* item1 = new CListItemBox();
  auto* item2 = new CListItemBox();
  c.Add(item1);
  c.Add(new CBox());
  c.Add(item2);
  item2->SetEnabled(false);
  EXPECT_EQ(c.FindSelectable(0, true), 1);
  EXPECT_EQ(c.FindSelectable(2, true), -1);  // the only later one is disabled
  EXPECT_EQ(c.FindSelectable(99, false), 1);  // clamped, then backwards
  EXPECT_EQ(c.FindSelectable(0, false), 1);   // nothing at or before 0: forward from 0
}

}  // namespace
}  // namespace vorlix
