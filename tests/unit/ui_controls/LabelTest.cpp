#include <gtest/gtest.h>

#include "ui/controls/CUILabel.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;
using test::Send;

const UIRect kRc = MakeUIRect(0, 0, 100, 40);

TEST(Label, BackgroundFrameAndInnerFrame) {
  CControlsFixture f;
  auto* l = f.Add(new CUILabel(), 21, kRc);
  CRecordingPainter none;
  l->Paint(none, kRc);
  EXPECT_TRUE(none.fills.empty());
  EXPECT_TRUE(none.frames.empty());

  l->SetBkColor(0x123456);
  l->SetFrameColor(0x111111);
  l->SetInnerFrameColor(0x222222);
  CRecordingPainter p;
  l->Paint(p, kRc);
  ASSERT_EQ(1u, p.fills.size());
  EXPECT_EQ(kRc, p.fills[0].rc);
  EXPECT_EQ(0x123456u, p.fills[0].color);
  ASSERT_EQ(2u, p.frames.size());
  EXPECT_EQ(kRc, p.frames[0]);
  EXPECT_EQ(MakeUIRect(1, 1, 99, 39), p.frames[1]);
}

TEST(Label, PicturePlacementByFrameSizeAndSource) {
  auto strip = std::make_shared<test::CFakeImage>(80, 20);  // four 20 x 20 frames
  struct Case {
    bool frame, inner;
    int cx, cy;
    UIRect source;
    int currentFrames;  // animation steps before painting
    UIRect dest, src;
  } cases[] = {
      {false, false, 0, 0, UIRect(), 0, MakeUIRect(40, 10, 60, 30), MakeUIRect(0, 0, 20, 20)},
      {true, false, 0, 0, UIRect(), 0, MakeUIRect(40, 10, 60, 30), MakeUIRect(0, 0, 20, 20)},
      {false, false, 0, 0, UIRect(), 2, MakeUIRect(40, 10, 60, 30), MakeUIRect(40, 0, 60, 20)},
      // A set size keeps the frame's proportions; one taller than the area takes the area's height.
      {false, false, 30, 10, UIRect(), 0, MakeUIRect(45, 15, 55, 25), MakeUIRect(0, 0, 20, 20)},
      {false, false, 60, 60, UIRect(), 0, MakeUIRect(20, 0, 80, 40), MakeUIRect(0, 0, 20, 20)},
      // A source rectangle is moved by the frame and stretched over the whole area.
      {false, true, 0, 0, MakeUIRect(0, 0, 10, 10), 1, MakeUIRect(2, 2, 98, 38), MakeUIRect(20, 0, 30, 10)},
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* l = f.Add(new CUILabel(), 22, kRc);
    l->SetImage(strip);
    l->SetFrameCount(4);
    if (c.frame) l->SetFrameColor(0);
    if (c.inner) l->SetInnerFrameColor(0);
    l->SetImageSize(c.cx, c.cy);
    l->SetImageSourceRect(c.source);
    for (int i = 0; i < c.currentFrames; ++i) {
      UIEvent e;
      e.Type = UIEVENT_TIMER;
      e.wParam = kUILabelAnimationTimer;
      l->Event(e);
    }
    CRecordingPainter p;
    l->Paint(p, kRc);
    ASSERT_EQ(1u, p.images.size());
    EXPECT_EQ(c.dest, p.images[0].dest) << c.cx << "," << c.currentFrames;
    EXPECT_EQ(c.src, p.images[0].source) << c.cx << "," << c.currentFrames;
  }
}

TEST(Label, PictureAsLinkAndMissingPicture) {
  CControlsFixture f;
  auto* l = f.Add(new CUILabel(), 23, kRc);
  l->SetImage(std::make_shared<test::CFakeImage>(20, 20));
  l->SetImageIsLink(true);
  CRecordingPainter p;
  l->Paint(p, kRc);
  ASSERT_EQ(1, l->GetLinkCount());
  EXPECT_EQ(MakeUIRect(40, 10, 60, 30), l->GetLinkRect(0));
  Send(l, UIEVENT_BUTTONDOWN, 50, 20);
  Send(l, UIEVENT_BUTTONUP, 50, 20);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_LINK, 23));
  Send(l, UIEVENT_BUTTONUP, 5, 5);  // beside the picture
  EXPECT_EQ(1, f.log.Count(UINOTIFY_LINK, 23));

  // A resource that cannot be found leaves no picture.
  l->SetImage(987654, nullptr, true);
  CRecordingPainter q;
  l->Paint(q, kRc);
  EXPECT_TRUE(q.images.empty());
}

TEST(Label, OneShortLinkIsClickableAcrossTheWidth) {
  CControlsFixture f;
  auto* l = f.Add(new CUILabel(), 24, MakeUIRect(0, 0, 200, 30));
  l->SetText(L"<a>x</a>");
  CRecordingPainter p;
  l->Paint(p, l->GetPos());
  ASSERT_EQ(1, l->GetLinkCount());
  EXPECT_EQ(0, l->GetLinkRect(0).left);
  EXPECT_EQ(200, l->GetLinkRect(0).right);
  EXPECT_NE(0u, l->GetControlFlags() & UIFLAG_SETCURSOR);
  Send(l, UIEVENT_BUTTONDOWN, 190, 15);
  EXPECT_NE(0u, l->GetState() & 0x10);
  Send(l, UIEVENT_BUTTONUP, 190, 15);
  EXPECT_EQ(0u, l->GetState() & 0x10);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_LINK, 24));
  EXPECT_EQ(CStdString(L"x"), l->GetClickedLinkText());

  // Wider links, or text around the link, keep their own rectangles.
  struct Case {
    const wchar_t* text;
  } cases[] = {{L"<a>a long link</a>"}, {L"go <a>x</a>"}};
  for (const Case& c : cases) {
    l->SetText(c.text);
    CRecordingPainter q;
    l->Paint(q, l->GetPos());
    ASSERT_EQ(1, l->GetLinkCount()) << c.text;
    EXPECT_LT(l->GetLinkRect(0).right, 200) << c.text;
  }
}

TEST(Label, ClickedLinkTextAmongSeveralAndMisses) {
  CControlsFixture f;
  auto* l = f.Add(new CUILabel(), 25, MakeUIRect(0, 0, 300, 30));
  l->SetTextStyle(0x20);  // left, top
  l->SetText(L"see <a>one</a> or <a href>two</a>");
  CRecordingPainter p;
  l->Paint(p, l->GetPos());
  ASSERT_EQ(2, l->GetLinkCount());
  UIRect second = l->GetLinkRect(1);
  Send(l, UIEVENT_BUTTONUP, second.left + 1, second.top + 1);
  EXPECT_EQ(1, l->GetClickedLink());
  EXPECT_EQ(CStdString(L"two"), l->GetClickedLinkText());
  Send(l, UIEVENT_BUTTONUP, 295, 25);
  EXPECT_EQ(-1, l->GetClickedLink());
  EXPECT_TRUE(l->GetClickedLinkText().IsEmpty());
  EXPECT_EQ(1, f.log.Count(UINOTIFY_LINK, 25));

  UIEvent menu = test::MouseEvent(UIEVENT_CONTEXTMENU, 5, 5);
  l->Event(menu);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_MENU, 25));

  // Disabled: grey text and no events at all.
  l->SetTextColor(0x0000ff);
  l->SetEnabled(false);
  CRecordingPainter q;
  l->Paint(q, l->GetPos());
  ASSERT_FALSE(q.runs.empty());
  EXPECT_EQ(UIRgb(0xa7, 0xa6, 0xaa), q.runs[0].color);
  Send(l, UIEVENT_BUTTONUP, second.left + 1, second.top + 1);
  l->Event(menu);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_LINK, 25));
  EXPECT_EQ(1, f.log.Count(UINOTIFY_MENU, 25));
  l->SetEnabled(true);
  CRecordingPainter r;
  l->Paint(r, l->GetPos());
  EXPECT_EQ(0x0000ffu, r.runs[0].color);
}

TEST(Label, AnimationWrapsAndOpacityRises) {
  CControlsFixture f;
  auto* l = f.Add(new CUILabel(), 26, kRc);
  l->SetImage(std::make_shared<test::CFakeImage>(60, 20));
  l->SetFrameCount(3);
  l->SetOpacity(0.3f);
  l->StartAnimation(40);
  EXPECT_FLOAT_EQ(1.0f, l->GetOpacity());
  l->SetOpacity(0.3f);
  UIEvent tick;
  tick.Type = UIEVENT_TIMER;
  tick.wParam = kUILabelAnimationTimer;
  const int frames[] = {1, 2, 0, 1};
  for (int expected : frames) {
    l->Event(tick);
    EXPECT_EQ(expected, l->GetCurrentFrame());
  }
  EXPECT_FLOAT_EQ(1.0f, l->GetOpacity());  // 0.3 + 4 x 0.2, capped
  // Another timer is just a Timer notification.
  tick.wParam = 7;
  l->Event(tick);
  EXPECT_EQ(1, l->GetCurrentFrame());
  EXPECT_EQ(1, f.log.Count(UINOTIFY_TIMER, 26));
}

TEST(Label, DesiredSizeStyleAndShortcut) {
  CControlsFixture f;
  auto* l = f.Add(new CUILabel(), 27, kRc);
  l->SetFixedWidth(120);
  EXPECT_EQ(120, l->GetDesiredSize(UISize()).cx);
  EXPECT_EQ(18, l->GetDesiredSize(UISize()).cy);
  EXPECT_STREQ(L"LabelPanelUI", l->GetClass());
  EXPECT_EQ(0x24u, l->GetTextStyle());
  l->SetTextStyle(UITEXT_CENTER);
  EXPECT_EQ(0x25u, l->GetTextStyle());
  l->SetText(L"&Name");
  EXPECT_EQ(L'N', l->GetShortcut());
  EXPECT_EQ(0u, l->GetControlFlags());  // no links painted yet
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

TEST(Label, PictureDrawnWithOpacityThatTicksRaiseBackToOne) {
  // Opacity after n ticks, from a faded start; the animation never lets it pass 1.
  const float expected[] = {0.3f, 0.5f, 0.7f, 0.9f, 1.0f, 1.0f};
  test::CControlsFixture f;
  auto* l = f.Add(new CUILabel(), 29, MakeUIRect(0, 0, 100, 40));
  l->SetImage(std::make_shared<test::CFakeImage>(20, 20));
  l->SetOpacity(0.3f);
  for (float want : expected) {
    test::CRecordingPainter p;
    l->Paint(p, l->GetPos());
    ASSERT_EQ(1u, p.images.size());
    EXPECT_NEAR(want, p.images[0].opacity, 1e-4);
    UIEvent e;
    e.Type = UIEVENT_TIMER;
    e.wParam = kUILabelAnimationTimer;
    l->Event(e);
  }
  l->SetOpacity(0.2f);
  l->StartAnimation();
  EXPECT_FLOAT_EQ(1.0f, l->GetOpacity());
}

}  // namespace
}  // namespace vorlix
