#include <gtest/gtest.h>

#include "ui/controls/CUIButton.h"
#include "ui/controls/UIButtonDraw.h"
#include "ui/render/UIImageList.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;
using test::Send;

const UIRect kRc = MakeUIRect(10, 10, 110, 40);

TEST(Button, RadioGroupUnchecksTheOthersIncludingOnesAddedLater) {
  CControlsFixture f;
  CUIButton* b[4];
  for (int i = 0; i < 3; ++i) {
    b[i] = f.Add(new CUIButton(), 101 + i, MakeUIRect(0, 40 * i, 100, 40 * i + 30));
    b[i]->SetCheckStyle(UICHECKSTYLE_RADIO);
    b[i]->SetRadioGroup(101, 104);
  }
  Send(b[1], UIEVENT_BUTTONDOWN, 5, 45);
  Send(b[1], UIEVENT_BUTTONUP, 5, 45);
  EXPECT_EQ(1, b[1]->GetCheck());
  EXPECT_EQ(1, f.log.Count(UINOTIFY_CLICK, 102));

  // A member added after the index was first built, checked in code.
  b[3] = f.Add(new CUIButton(), 104, MakeUIRect(0, 120, 100, 150));
  b[3]->SetCheckStyle(UICHECKSTYLE_RADIO);
  b[3]->SetRadioGroup(101, 104);
  b[3]->SetCheck(1);
  EXPECT_EQ(0, b[1]->GetCheck());

  Send(b[0], UIEVENT_BUTTONDOWN, 5, 5);
  Send(b[0], UIEVENT_BUTTONUP, 5, 5);
  EXPECT_EQ(1, b[0]->GetCheck());
  EXPECT_EQ(0, b[3]->GetCheck());
  EXPECT_EQ(0, b[2]->GetCheck());

  // Pressing the checked radio button keeps it checked.
  Send(b[0], UIEVENT_BUTTONDOWN, 5, 5);
  Send(b[0], UIEVENT_BUTTONUP, 5, 5);
  EXPECT_EQ(1, b[0]->GetCheck());

  // A control outside the range is left alone.
  auto* outside = f.Add(new CUIButton(), 105, MakeUIRect(0, 160, 100, 190));
  outside->SetCheck(1);
  b[2]->SetCheck(1);
  EXPECT_EQ(1, outside->GetCheck());
  EXPECT_EQ(0, b[0]->GetCheck());
}

TEST(Button, PressAndReleaseByCheckStyle) {
  struct Case {
    int style;
    int checkAfterFirst, checkAfterSecond;
    int clicksAfterFirst, clicksAfterSecond;
  } cases[] = {
      {UICHECKSTYLE_PUSH, 0, 0, 1, 2},
      {UICHECKSTYLE_BOX, 1, 0, 1, 2},
      {UICHECKSTYLE_RADIO, 1, 0, 1, 2},  // outside a group a radio toggles like a box
      {UICHECKSTYLE_TOGGLE, 1, 0, 1, 1},  // acts on press, only when it becomes checked
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* b = f.Add(new CUIButton(), 7, kRc);
    b->SetCheckStyle(c.style);
    Send(b, UIEVENT_BUTTONDOWN, 20, 20);
    EXPECT_EQ(UISTATE_PUSHED | UISTATE_CAPTURED, b->GetState() & (UISTATE_PUSHED | UISTATE_CAPTURED));
    Send(b, UIEVENT_BUTTONUP, 20, 20);
    EXPECT_EQ(0u, b->GetState() & (UISTATE_PUSHED | UISTATE_CAPTURED)) << c.style;
    EXPECT_EQ(c.checkAfterFirst, b->GetCheck()) << c.style;
    EXPECT_EQ(c.clicksAfterFirst, f.log.Count(UINOTIFY_CLICK, 7)) << c.style;
    Send(b, UIEVENT_BUTTONDOWN, 20, 20);
    Send(b, UIEVENT_BUTTONUP, 20, 20);
    EXPECT_EQ(c.checkAfterSecond, b->GetCheck()) << c.style;
    EXPECT_EQ(c.clicksAfterSecond, f.log.Count(UINOTIFY_CLICK, 7)) << c.style;
  }
}

TEST(Button, ReleaseOutsideDoesNotClickAndPushedFollowsThePointer) {
  CControlsFixture f;
  auto* b = f.Add(new CUIButton(), 8, kRc);
  Send(b, UIEVENT_BUTTONDOWN, 20, 20);
  Send(b, UIEVENT_MOUSEMOVE, 200, 20);
  EXPECT_EQ(0u, b->GetState() & UISTATE_PUSHED);
  Send(b, UIEVENT_MOUSEMOVE, 30, 20);
  EXPECT_NE(0u, b->GetState() & UISTATE_PUSHED);
  Send(b, UIEVENT_BUTTONUP, 200, 20);
  EXPECT_EQ(0, f.log.Count(UINOTIFY_CLICK, 8));
  EXPECT_EQ(0u, b->GetState());

  // Release without capture does nothing; a disabled button ignores presses.
  Send(b, UIEVENT_BUTTONUP, 20, 20);
  EXPECT_EQ(0, f.log.Count(UINOTIFY_CLICK, 8));
  b->SetEnabled(false);
  Send(b, UIEVENT_BUTTONDOWN, 20, 20);
  EXPECT_EQ(0u, b->GetState());

  // Double click: Click then DblClick.
  b->SetEnabled(true);
  f.log.lines.clear();
  Send(b, UIEVENT_DBLCLICK, 20, 20);
  ASSERT_EQ(2u, f.log.lines.size());
  EXPECT_EQ("0:8", f.log.lines[0]);
  EXPECT_EQ("1:8", f.log.lines[1]);

  // Hover.
  Send(b, UIEVENT_MOUSEENTER, 20, 20);
  EXPECT_NE(0u, b->GetState() & UISTATE_HOT);
  Send(b, UIEVENT_MOUSELEAVE, 200, 20);
  EXPECT_EQ(0u, b->GetState() & UISTATE_HOT);
}

TEST(Button, DropAreaPressSendsDropDownOnceAndDoesNotToggle) {
  CControlsFixture f;
  auto drop = std::make_shared<test::CFakeImage>(40, 30);  // frames 10 wide
  auto* b = f.Add(new CUIButton(), 9, kRc);
  b->SetCheckStyle(UICHECKSTYLE_BOX);
  b->SetDropImage(drop);
  CRecordingPainter p;
  b->Paint(p, kRc);  // lays out the drop area
  EXPECT_EQ(MakeUIRect(100, 10, 110, 40), b->GetDropArea());
  Send(b, UIEVENT_BUTTONDOWN, 105, 20);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_DROPDOWN, 9));
  EXPECT_EQ(0, b->GetCheck());
  EXPECT_NE(0u, b->GetDropState() & UISTATE_PUSHED);
  Send(b, UIEVENT_BUTTONUP, 105, 20);
  EXPECT_EQ(0u, b->GetDropState() & UISTATE_PUSHED);
  b->SetDropped(true);
  Send(b, UIEVENT_BUTTONDOWN, 105, 20);
  Send(b, UIEVENT_BUTTONUP, 105, 20);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_DROPDOWN, 9));
  // The main part still toggles.
  Send(b, UIEVENT_BUTTONDOWN, 20, 20);
  EXPECT_EQ(1, b->GetCheck());
}

TEST(Button, TextColourFollowsTheState) {
  const UIColor kNormal = 1, kHot = 2, kPushed = 3, kDisabled = 4;
  struct Case {
    bool hot, pushed, enabled;
    int check;
    UIColor expected;
  } cases[] = {
      {false, false, true, 0, kNormal}, {true, false, true, 0, kHot},      {true, true, true, 0, kPushed},
      {true, true, false, 0, kDisabled}, {false, false, true, 1, kPushed},  // checked reads as pushed
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* b = f.Add(new CUIButton(), 11, kRc);
    b->SetText(L"Ok");
    b->SetTextColors(kNormal, kHot, kPushed, kDisabled);
    if (c.hot) Send(b, UIEVENT_MOUSEENTER, 20, 20);
    if (c.pushed) Send(b, UIEVENT_BUTTONDOWN, 20, 20);
    b->SetCheck(c.check);
    b->SetEnabled(c.enabled);
    CRecordingPainter p;
    b->Paint(p, kRc);
    ASSERT_FALSE(p.runs.empty());
    EXPECT_EQ(L"Ok", p.AllText());
    for (const auto& r : p.runs) EXPECT_EQ(c.expected, r.color);
  }
}

TEST(Button, BackgroundStripFrameAndRadioNeverDrawnPushed) {
  auto strip = std::make_shared<test::CFakeImage>(120, 30);  // frames 30 wide
  struct Case {
    bool hot, pushed, enabled, group;
    int check;
    int frame;
  } cases[] = {
      {false, false, true, false, 0, 0}, {true, false, true, false, 0, 1}, {true, true, true, false, 0, 2},
      {true, true, false, false, 0, 3}, {false, false, true, false, 1, 2},
      {true, true, true, true, 0, 1},  // unchecked group member: hot, not pushed
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* b = f.Add(new CUIButton(), 12, kRc);
    b->SetImage(strip);
    if (c.group) b->SetRadioGroup(50, 51);  // push style: a press does not check it
    if (c.hot) Send(b, UIEVENT_MOUSEENTER, 20, 20);
    if (c.pushed) Send(b, UIEVENT_BUTTONDOWN, 20, 20);
    b->SetCheck(c.check);
    b->SetEnabled(c.enabled);
    CRecordingPainter p;
    b->Paint(p, kRc);
    ASSERT_EQ(9u, p.images.size());  // nine-grid of one frame
    EXPECT_EQ(c.frame * 30, p.images[0].source.left) << c.frame;
    EXPECT_TRUE(p.runs.empty());  // no text, none drawn
  }
}

TEST(Button, ClassicFaceWithoutImageAndCheckOptionForBoxes) {
  CControlsFixture f;
  auto* b = f.Add(new CUIButton(), 13, kRc);
  CRecordingPainter p;
  b->Paint(p, kRc);
  EXPECT_TRUE(p.images.empty());
  EXPECT_FALSE(p.lines.empty());  // frame and shadow
  EXPECT_FALSE(p.fills.empty());  // gradient bands

  auto checks = std::make_shared<test::CFakeImage>(64, 32);  // 16 x 16 frames, two rows
  CUISkinImages::Set(UISkinSlot::CheckBox, checks);
  b->SetCheckStyle(UICHECKSTYLE_BOX);
  b->SetText(L"Remember");
  b->SetCheck(1);
  CRecordingPainter q;
  b->Paint(q, kRc);
  ASSERT_EQ(1u, q.images.size());
  EXPECT_EQ(MakeUIRect(0, 16, 16, 32), q.images[0].source);  // normal frame of the checked row
  EXPECT_EQ(11, q.images[0].dest.left);                       // centred in the 18-pixel column
  EXPECT_TRUE(q.fills.empty());
  ASSERT_FALSE(q.runs.empty());
  EXPECT_EQ(L"Remember", q.AllText());
  EXPECT_EQ(CUIStyleTable::GetColor(34), q.runs[0].color);
  EXPECT_GE(q.runs[0].x, 28);
  CUISkinImages::Set(UISkinSlot::CheckBox, nullptr);
}

TEST(Button, DesiredSizeTextStyleShortcutAndInterface) {
  CControlsFixture f;
  auto* b = f.Add(new CUIButton(), 14, kRc);
  // Empty text: fixed width plus padding only; height = font 1 height (14) + 4.
  b->SetFixedWidth(50);
  EXPECT_EQ(58, b->GetDesiredSize(UISize()).cx);
  EXPECT_EQ(18, b->GetDesiredSize(UISize()).cy);
  b->SetFixedWidth(0);
  EXPECT_EQ(8, b->GetDesiredSize(UISize()).cx);
  b->SetText(L"&Save");  // the "&" marks the shortcut and takes no room
  b->SetTextPadding(2, 3);
  UISize sz = b->GetDesiredSize(UISize());
  EXPECT_EQ(4 * 7 + 4, sz.cx);
  EXPECT_EQ(14 + 4 + 6, sz.cy);
  EXPECT_EQ(L'S', b->GetShortcut());

  b->SetTextStyle(UITEXT_RIGHT);
  EXPECT_EQ(UITEXT_RIGHT | UITEXT_SINGLELINE | UITEXT_VCENTER, b->GetTextStyle());
  b->SetTextStyle(UITEXT_WORDBREAK);
  EXPECT_EQ(static_cast<unsigned>(UITEXT_WORDBREAK), b->GetTextStyle());

  EXPECT_STREQ(L"ButtonUI", b->GetClass());
  EXPECT_EQ(static_cast<IUIChecked*>(b), b->GetInterface(L"UIChecked"));
  EXPECT_NE(0u, b->GetControlFlags() & UIFLAG_SETCURSOR);
  b->SetAttribute(L"width", L"77");
  b->SetTextPadding(0, 0);
  EXPECT_EQ(77, b->GetDesiredSize(UISize()).cx);
}

TEST(Button, TextRectPaddingAndOffset) {
  CControlsFixture f;
  auto* b = f.Add(new CUIButton(), 15, kRc);
  b->SetText(L"ab");
  b->SetTextStyle(0x20);  // left, top, single line
  CRecordingPainter p;
  b->Paint(p, kRc);
  ASSERT_FALSE(p.runs.empty());
  EXPECT_EQ(10 + 1 + 4, p.runs[0].x);
  EXPECT_EQ(10 + 1, p.runs[0].y);

  b->SetTextRect(MakeUIRect(50, 20, 100, 40));
  CRecordingPainter q;
  b->Paint(q, kRc);
  ASSERT_FALSE(q.runs.empty());
  EXPECT_EQ(50 + 1 + 4, q.runs[0].x);
  EXPECT_EQ(21, q.runs[0].y);

  b->SetTextRect(UIRect());
  b->SetTextOffset(30, 0);
  CRecordingPainter r;
  b->Paint(r, kRc);
  ASSERT_FALSE(r.runs.empty());
  EXPECT_EQ(10 + 30, r.runs[0].x);
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

TEST(ButtonDraw, ClassicFaceColoursByState) {
  CUIStyleTable::ResetDefaults();
  struct Case {
    unsigned state;
    int light, dark, pair;
    bool inset;
  } cases[] = {
      {0, 12, 13, 6, false},
      {UISTATE_HOT, 12, 13, 6, false},
      {UISTATE_PUSHED, 13, 12, 8, true},
      {UISTATE_DISABLED | UISTATE_PUSHED, 14, 14, 7, false},
  };
  for (const Case& c : cases) {
    test::CRecordingPainter p;
    p.gradientAvailable = true;  // one fill starting at the pair's first colour
    DrawButtonBackground(p, MakeUIRect(0, 0, 60, 24), c.state, nullptr, 0);
    ASSERT_GE(p.lines.size(), 7u);
    EXPECT_EQ(CUIStyleTable::GetColor(c.light), p.lines[0].color) << c.state;  // top edge
    EXPECT_EQ(CUIStyleTable::GetColor(c.dark), p.lines[3].color) << c.state;   // bottom edge
    bool inset = false;
    for (const auto& l : p.lines) inset |= l.color == CUIStyleTable::GetColor(53);
    EXPECT_EQ(c.inset, inset) << c.state;
    UIColor from = 0, to = 0;
    CUIStyleTable::GetColorPair(c.pair, from, to);
    ASSERT_EQ(1u, p.fills.size());
    EXPECT_EQ(from, p.fills.front().color) << c.state;
    EXPECT_EQ((c.inset ? 2 : 1), p.fills.front().rc.left) << c.state;
    // The shadow closes the face: left side, bottom, right side two pixels in.
    const auto& last = p.lines.back();
    EXPECT_EQ(CUIStyleTable::GetColor(3), last.color);
    EXPECT_EQ(57, last.x1);
  }
}

TEST(ButtonDraw, DropImageShownWhenHotCheckedDroppedOrAlways) {
  auto drop = std::make_shared<test::CFakeImage>(40, 20);  // 10-pixel frames
  struct Case {
    bool hot, checked, dropped, always;
    int frame;  // -1: not drawn
  } cases[] = {
      {false, false, false, false, -1}, {true, false, false, false, 0}, {false, true, false, false, 0},
      {false, false, true, false, 2},   {false, false, false, true, 0},
  };
  for (const Case& c : cases) {
    test::CControlsFixture f;
    auto* b = f.Add(new CUIButton(), 16, MakeUIRect(0, 0, 80, 30));
    b->SetImage(std::make_shared<test::CFakeImage>(40, 30));
    b->SetDropImage(drop);
    if (c.hot) test::Send(b, UIEVENT_MOUSEENTER, 5, 5);  // outside the drop area: drop part stays normal
    b->SetCheck(c.checked ? 1 : 0);
    b->SetDropped(c.dropped);
    b->SetAlwaysShowDropImage(c.always);
    test::CRecordingPainter p;
    b->Paint(p, b->GetPos());
    const test::RecordedImage* found = nullptr;
    for (const auto& r : p.images) {
      if (r.image == drop.get()) found = &r;
    }
    if (c.frame < 0) {
      EXPECT_EQ(nullptr, found);
      continue;
    }
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(MakeUIRect(70, 0, 80, 20), found->dest);  // right end, as high as the picture
    EXPECT_EQ(c.frame * 10, found->source.left);
  }
}

}  // namespace
}  // namespace vorlix
