#include <gtest/gtest.h>

#include <vector>

#include "ui/controls/CUIListLabelElement.h"
#include "ui/controls/CUIVScrollBar.h"
#include "ui/layout/CUIContainer.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::Send;

// A container that only records the scroll codes its bar sends.
class CScrollLog : public CUIContainer {
 public:
  std::vector<int> codes;
  void Event(UIEvent& e) override {
    if (e.Type == UIEVENT_VSCROLL) codes.push_back(static_cast<int>(e.wParam));
  }
};

// 68 x 102: columns 17 wide, rows (and arrows) 17 high.
std::shared_ptr<IUIImage> Grid() { return std::make_shared<test::CFakeImage>(68, 102); }

struct BarFixture {
  CControlsFixture f;
  CScrollLog* owner = f.Add(new CScrollLog(), 7, MakeUIRect(0, 0, 100, 400));
  CUIVScrollBar* bar = new CUIVScrollBar();
  explicit BarFixture(int height) {
    bar->SetId(70);
    owner->Add(bar);
    bar->SetImage(Grid());
    bar->SetPos(0, 0, 17, height);
  }
};

TEST(VScrollBar, GeometryByPositionAndPage) {
  struct Case {
    int height, max, page, pos;
    int thumb, thumbTop;
  } cases[] = {
      {200, 100, 20, 0, 34, 20},    // at the top the thumb keeps 3 pixels from the arrow
      {200, 100, 20, 40, 34, 83},   // half way
      {200, 100, 20, 80, 34, 146},  // at the end, 3 pixels above the down arrow
      {200, 100, 50, 0, 83, 20},    // page half the range: half the track
      {200, 100, 5, 0, 34, 20},     // a tiny page still gets two arrow heights
  };
  for (const Case& c : cases) {
    BarFixture b(c.height);
    b.bar->SetScrollRange(0, c.max);
    b.bar->SetPageSize(c.page);
    b.bar->SetScrollPos(c.pos);
    CUIVScrollBar::Geometry g = b.bar->GetGeometry();
    EXPECT_EQ(17, g.arrow);
    EXPECT_EQ(c.thumb, g.thumb) << c.page << "/" << c.pos;
    EXPECT_EQ(c.thumbTop, g.thumbTop) << c.page << "/" << c.pos;
    EXPECT_EQ(MakeUIRect(0, 17, 17, g.thumbTop), g.rcUpperTrack);
    EXPECT_EQ(MakeUIRect(0, g.thumbTop + g.thumb, 17, c.height - 17), g.rcLowerTrack);
    EXPECT_EQ(MakeUIRect(0, c.height - 17, 17, c.height), g.rcDown);
  }
}

TEST(VScrollBar, PageAtLeastTheRangeCannotMove) {
  for (int page : {50, 80}) {
    BarFixture b(200);
    b.bar->SetScrollRange(0, 50);
    b.bar->SetPageSize(page);
    EXPECT_EQ(50, b.bar->GetPageSize());  // never above the maximum
    b.bar->SetScrollPos(30);
    EXPECT_EQ(0, b.bar->GetScrollPos());
    CUIVScrollBar::Geometry g = b.bar->GetGeometry();
    Send(b.bar, UIEVENT_BUTTONDOWN, 5, g.rcDown.top + 2);
    Send(b.bar, UIEVENT_BUTTONUP, 5, g.rcDown.top + 2);
    UIEvent wheel;
    wheel.Type = UIEVENT_SCROLLWHEEL;
    wheel.wParam = 1;
    b.bar->Event(wheel);
    EXPECT_EQ(0, b.bar->GetScrollPos());
    EXPECT_EQ(0, b.f.log.Count(UINOTIFY_SCROLL, 70));
  }
}

TEST(VScrollBar, PressesStepAndTellTheContainer) {
  struct Case {
    int part;  // 0 up arrow, 1 down arrow, 2 upper track, 3 lower track
    int startPos, endPos, code;
  } cases[] = {
      {0, 40, 39, UISCROLL_LINEUP},
      {1, 40, 41, UISCROLL_LINEDOWN},
      {2, 40, 30, UISCROLL_PAGEUP},    // one track step (10) on press
      {3, 40, 50, UISCROLL_PAGEDOWN},
      {0, 0, 0, UISCROLL_LINEUP},      // already at the top: no Scroll
  };
  for (const Case& c : cases) {
    BarFixture b(200);
    b.bar->SetScrollPos(c.startPos);
    CUIVScrollBar::Geometry g = b.bar->GetGeometry();
    const UIRect* rcs[] = {&g.rcUp, &g.rcDown, &g.rcUpperTrack, &g.rcLowerTrack};
    Send(b.bar, UIEVENT_BUTTONDOWN, 5, (rcs[c.part]->top + rcs[c.part]->bottom) / 2);
    EXPECT_EQ(c.endPos, b.bar->GetScrollPos()) << c.part;
    ASSERT_EQ(1u, b.owner->codes.size());
    EXPECT_EQ(c.code, b.owner->codes[0]);
    EXPECT_EQ(c.startPos != c.endPos ? 1 : 0, b.f.log.Count(UINOTIFY_SCROLL, 70));
    EXPECT_NE(0u, b.bar->GetPartState(static_cast<UIScrollPart>(c.part)) & 0x10u);
    // Held down, the repeat timer steps again: arrows by a line, the track by a page (20).
    UIEvent tick;
    tick.Type = UIEVENT_TIMER;
    tick.wParam = kUIScrollRepeatTimer;
    b.bar->Event(tick);
    const int again[] = {-1, 1, -20, 20};
    int expected = std::max(0, std::min(80, c.endPos + again[c.part]));
    EXPECT_EQ(expected, b.bar->GetScrollPos()) << c.part;
    Send(b.bar, UIEVENT_BUTTONUP, 5, 5);
    EXPECT_EQ(0u, b.bar->GetPartState(static_cast<UIScrollPart>(c.part)) & 0x90u);
  }
}

TEST(VScrollBar, ThumbDragRoundsToLines) {
  // Height 168: track 134, thumb 34 (two arrows), so the thumb moves over 100 pixels for 50 of range;
  // the thumb starts 3 pixels below the arrow, which the drag counts.
  struct Case {
    int y, x;  // pointer after the press at (5, 30)
    int pos;
  } cases[] = {
      {32, 5, 3},     // 2.5 lines: an exact half rounds up
      {32, 10, 2},    // ... but down while the pointer is right of where the drag began
      {31, 5, 2},     // 2.0
      {33, 5, 3},     // 3.0
      {400, 5, 50},   // far below: the end
      {-300, 5, 0},   // far above: the start
  };
  for (const Case& c : cases) {
    BarFixture b(168);
    b.bar->SetScrollRange(0, 60);
    b.bar->SetPageSize(10);
    b.bar->SetLineSize(1);
    ASSERT_EQ(20, b.bar->GetGeometry().thumbTop);
    Send(b.bar, UIEVENT_BUTTONDOWN, 5, 30);
    EXPECT_TRUE(b.owner->codes.empty());
    Send(b.bar, UIEVENT_MOUSEMOVE, c.x, c.y);
    EXPECT_EQ(c.pos, b.bar->GetScrollPos()) << c.y << "," << c.x;
    ASSERT_EQ(1u, b.owner->codes.size());
    EXPECT_EQ(UISCROLL_THUMB, b.owner->codes[0]);
    EXPECT_EQ(c.pos != 0 ? 1 : 0, b.f.log.Count(UINOTIFY_SCROLL, 70));
  }
}

TEST(VScrollBar, HotPartsFollowThePointer) {
  BarFixture b(200);
  b.bar->SetScrollPos(40);
  CUIVScrollBar::Geometry g = b.bar->GetGeometry();
  Send(b.bar, UIEVENT_MOUSEMOVE, 5, g.thumbTop + 2);
  EXPECT_NE(0u, b.bar->GetPartState(UISCROLLPART_THUMB_BODY) & 0x08u);
  EXPECT_NE(0u, b.bar->GetPartState(UISCROLLPART_TRACK_UPPER) & 0x08u);
  EXPECT_NE(0u, b.bar->GetPartState(UISCROLLPART_TRACK_LOWER) & 0x08u);
  Send(b.bar, UIEVENT_MOUSEMOVE, 5, 3);
  EXPECT_NE(0u, b.bar->GetPartState(UISCROLLPART_UP) & 0x08u);
  EXPECT_EQ(0u, b.bar->GetPartState(UISCROLLPART_THUMB_BODY) & 0x08u);
  Send(b.bar, UIEVENT_MOUSELEAVE, -1, -1);
  EXPECT_EQ(0u, b.bar->GetPartState(UISCROLLPART_UP) & 0x08u);
}

TEST(VScrollBar, ScrollsAVerticalLayoutThroughTheRegisteredFactory) {
  RegisterStandardControls();
  CControlsFixture f;
  auto* list = f.Add(new CVerticalLayoutUI(), 8, MakeUIRect(0, 0, 200, 100));
  list->EnableScrollBar(true);
  std::vector<CUIListLabelElement*> rows;
  for (int i = 0; i < 10; ++i) {
    auto* row = new CUIListLabelElement();
    row->SetFixedHeight(30);
    list->Add(row);
    rows.push_back(row);
  }
  list->SetPos(0, 0, 200, 100);
  auto* bar = list->GetScrollBar() != nullptr ? dynamic_cast<CUIVScrollBar*>(list->GetScrollBar()) : nullptr;
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ(L"SliderCtrlUI", std::wstring(bar->GetClass()));
  EXPECT_EQ(30, bar->GetLineSize());
  EXPECT_EQ(100, bar->GetPageSize());
  UIEvent wheel;
  wheel.Type = UIEVENT_SCROLLWHEEL;
  wheel.wParam = 1;
  bar->Event(wheel);
  EXPECT_EQ(30, list->GetScrollPos());
  EXPECT_EQ(-30, rows[0]->GetPos().top);
  // Far past the end the bar stops one page before it.
  for (int i = 0; i < 20; ++i) bar->Event(wheel);
  EXPECT_EQ(200, list->GetScrollPos());
  EXPECT_EQ(70, rows[9]->GetPos().top);
}

}  // namespace
}  // namespace vorlix
