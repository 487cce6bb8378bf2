#include <gtest/gtest.h>

#include "ui/controls/UIButtonDraw.h"
#include "ui/extra/CUISliderctrl.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::Send;

// 110 wide: the thumb (10) travels 100 pixels, one per value of the default range 0..100.
const UIRect kRc = MakeUIRect(0, 0, 110, 20);

UIEvent Key(wchar_t vk) {
  UIEvent e;
  e.Type = UIEVENT_KEYDOWN;
  e.chKey = vk;
  return e;
}

TEST(Slider, KeysAndWheelStepTheValueAndNotifyOnlyOnChange) {
  struct Case {
    const char* what;
    int type;
    wchar_t key;
    UIWParam wParam;
    int start, expected;
  } cases[] = {
      {"left", UIEVENT_KEYDOWN, 0x25, 0, 50, 49},      {"down", UIEVENT_KEYDOWN, 0x28, 0, 50, 49},
      {"right", UIEVENT_KEYDOWN, 0x27, 0, 50, 51},     {"up", UIEVENT_KEYDOWN, 0x26, 0, 50, 51},
      {"page up", UIEVENT_KEYDOWN, 0x21, 0, 50, 40},   {"page down", UIEVENT_KEYDOWN, 0x22, 0, 50, 60},
      {"home", UIEVENT_KEYDOWN, 0x24, 0, 50, 0},       {"end", UIEVENT_KEYDOWN, 0x23, 0, 50, 100},
      {"page up at 3", UIEVENT_KEYDOWN, 0x21, 0, 3, 0}, {"page down at 95", UIEVENT_KEYDOWN, 0x22, 0, 95, 100},
      {"left at min", UIEVENT_KEYDOWN, 0x25, 0, 0, 0}, {"end at max", UIEVENT_KEYDOWN, 0x23, 0, 100, 100},
      {"wheel away", UIEVENT_SCROLLWHEEL, 0, 0, 50, 51}, {"wheel toward", UIEVENT_SCROLLWHEEL, 0, 1, 50, 49},
      {"other key", UIEVENT_KEYDOWN, L'A', 0, 50, 50},
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* s = f.Add(new CUISliderctrl(), 9, kRc);
    s->SetValue(c.start);
    EXPECT_TRUE(f.log.lines.empty()) << "values set in code do not notify";
    UIEvent e = Key(c.key);
    e.Type = c.type;
    e.wParam = c.wParam;
    s->Event(e);
    EXPECT_EQ(c.expected, s->GetValue()) << c.what;
    EXPECT_EQ(c.expected != c.start ? 1 : 0, f.log.Count(UINOTIFY_VALUECHANGED, 9)) << c.what;
    EXPECT_EQ(0, f.log.Count(UINOTIFY_CLICK, 9)) << c.what;
  }
}

TEST(Slider, TrackPressJumpsThumbDragFollowsAndReleaseInsideClicks) {
  CControlsFixture f;
  auto* s = f.Add(new CUISliderctrl(), 9, kRc);
  s->SetValue(10);
  EXPECT_EQ(MakeUIRect(10, 0, 20, 20), s->GetThumbRect());

  // On the track: the thumb centres under the pointer.
  Send(s, UIEVENT_BUTTONDOWN, 75, 10);
  EXPECT_EQ(70, s->GetValue());
  EXPECT_EQ(1, f.log.Count(UINOTIFY_VALUECHANGED, 9));
  Send(s, UIEVENT_MOUSEMOVE, 35, 10);
  EXPECT_EQ(30, s->GetValue());
  // Beyond both ends the value stops at the range.
  Send(s, UIEVENT_MOUSEMOVE, 500, 10);
  EXPECT_EQ(100, s->GetValue());
  Send(s, UIEVENT_MOUSEMOVE, -50, 10);
  EXPECT_EQ(0, s->GetValue());
  Send(s, UIEVENT_MOUSEMOVE, -60, 10);
  EXPECT_EQ(4, f.log.Count(UINOTIFY_VALUECHANGED, 9)) << "no notification without a change";
  Send(s, UIEVENT_BUTTONUP, 40, 10);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_CLICK, 9));
  EXPECT_EQ("0:9", f.log.lines.back());
  EXPECT_EQ(0u, s->GetState() & (UISTATE_PUSHED | UISTATE_CAPTURED));

  // Grabbing the thumb off-centre keeps the value, and the drag keeps the grab offset.
  s->SetValue(50);
  f.log.lines.clear();
  Send(s, UIEVENT_BUTTONDOWN, 58, 10);  // thumb 50..60, centre 55
  EXPECT_EQ(50, s->GetValue());
  EXPECT_TRUE(f.log.lines.empty());
  Send(s, UIEVENT_MOUSEMOVE, 68, 10);
  EXPECT_EQ(60, s->GetValue());
  // Released outside: no Click; moves after the release do nothing.
  Send(s, UIEVENT_BUTTONUP, 300, 10);
  Send(s, UIEVENT_MOUSEMOVE, 20, 10);
  EXPECT_EQ(60, s->GetValue());
  EXPECT_EQ(0, f.log.Count(UINOTIFY_CLICK, 9));

  // A disabled slider ignores the mouse and the keys.
  s->SetEnabled(false);
  Send(s, UIEVENT_BUTTONDOWN, 20, 10);
  UIEvent home = Key(0x24);
  s->Event(home);
  EXPECT_EQ(60, s->GetValue());
}

TEST(Slider, RangeClampsTheValueAndScalesTheThumb) {
  CControlsFixture f;
  auto* s = f.Add(new CUISliderctrl(), 9, kRc);
  s->SetValue(80);
  s->SetRange(-10, 40);
  EXPECT_EQ(40, s->GetValue());
  EXPECT_EQ(MakeUIRect(100, 0, 110, 20), s->GetThumbRect());
  s->SetValue(-100);
  EXPECT_EQ(-10, s->GetValue());
  EXPECT_EQ(0, s->GetThumbRect().left);
  s->SetValue(15);  // half-way: 25 of 50
  EXPECT_EQ(50, s->GetThumbRect().left);

  // A maximum below the minimum collapses the range; nothing can move.
  s->SetRange(5, 1);
  EXPECT_EQ(5, s->GetMaximum());
  EXPECT_EQ(5, s->GetValue());
  Send(s, UIEVENT_BUTTONDOWN, 100, 10);
  EXPECT_EQ(5, s->GetValue());
  EXPECT_EQ(0, s->GetThumbRect().left);
  EXPECT_EQ(0, f.log.Count(UINOTIFY_VALUECHANGED, 9));

  EXPECT_EQ(unsigned(UIFLAG_TABSTOP | UIFLAG_SETCURSOR), s->GetControlFlags());
  EXPECT_STREQ(L"SliderCtrlUI", s->GetClass());
}

}  // namespace
}  // namespace vorlix
