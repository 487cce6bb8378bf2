#include <gtest/gtest.h>

#include "ui/controls/CUIProgressBar.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;

const UIRect kRc = MakeUIRect(0, 0, 200, 12);

// Right edge of everything drawn from the fill half (source at or right of the half).
int FillRight(const CRecordingPainter& p, int half) {
  int right = -1;
  for (const auto& r : p.images) {
    if (r.source.left >= half && r.dest.right > right) right = r.dest.right;
  }
  return right;
}

TEST(ProgressBar, ValueClampedIntoTheRange) {
  CUIProgressBar bar;
  struct Case {
    int min, max, value, expected;
  } cases[] = {{0, 100, 50, 50}, {0, 100, -5, 0}, {0, 100, 250, 100}, {10, 20, 5, 10}, {10, 20, 20, 20}};
  for (const Case& c : cases) {
    bar.SetRange(c.min, c.max);
    bar.SetValue(c.value);
    EXPECT_EQ(c.expected, bar.GetValue()) << c.value;
    int mn = 0, mx = 0;
    bar.GetRange(mn, mx);
    EXPECT_EQ(c.min, mn);
    EXPECT_EQ(c.max, mx);
  }
  // Narrowing the range pulls the value in.
  bar.SetRange(0, 100);
  bar.SetValue(90);
  bar.SetRange(0, 50);
  EXPECT_EQ(50, bar.GetValue());
}

TEST(ProgressBar, TwoHalfStripFillsInProportionAndWhollyAtTheMaximum) {
  auto strip = std::make_shared<test::CFakeImage>(60, 12);  // track 0..30, fill 30..60
  struct Case {
    int value;
    int fillRight;   // -1: nothing from the fill half
    int sourceRight; // right edge of the fill source's nine-grid cells (thirds, rounded down)
  } cases[] = {{0, -1, -1}, {10, 20, 48}, {50, 100, 60}, {100, 200, 60}, {300, 200, 60}};
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* bar = f.Add(new CUIProgressBar(), 31, kRc);
    bar->SetBarImage(strip);
    bar->SetValue(c.value);
    CRecordingPainter p;
    bar->Paint(p, kRc);
    // The track covers the bar from the left half.
    int trackRight = 0;
    for (const auto& r : p.images) {
      if (r.source.right <= 30 && r.dest.right > trackRight) trackRight = r.dest.right;
    }
    EXPECT_EQ(200, trackRight) << c.value;
    EXPECT_EQ(c.fillRight, FillRight(p, 30)) << c.value;
    int srcRight = -1;
    for (const auto& r : p.images) {
      if (r.source.left >= 30 && r.source.right > srcRight) srcRight = r.source.right;
    }
    EXPECT_EQ(c.sourceRight, srcRight) << c.value;
  }
}

TEST(ProgressBar, PlainBarWithoutWindowOrWhenSkinned) {
  auto image = std::make_shared<test::CFakeImage>(80, 10);
  CUIProgressBar loose;  // no manager: plain look
  loose.SetPos(5, 5, 205, 15);
  loose.SetBarImage(image);
  loose.SetValue(25);
  CRecordingPainter p;
  loose.Paint(p, loose.GetPos());
  ASSERT_EQ(1u, p.images.size());
  EXPECT_EQ(MakeUIRect(5, 5, 25, 15), p.images[0].dest);
  EXPECT_EQ(MakeUIRect(0, 0, 20, 10), p.images[0].source);

  CControlsFixture f;
  auto* bar = f.Add(new CUIProgressBar(), 32, kRc);
  bar->SetBarImage(image);
  bar->SetValue(100);
  bar->SetWindowSkinned(true);
  CRecordingPainter q;
  bar->Paint(q, kRc);
  ASSERT_EQ(1u, q.images.size());
  EXPECT_EQ(MakeUIRect(0, 0, 80, 10), q.images[0].source);
  bar->SetForceStripMode(true);
  CRecordingPainter r;
  bar->Paint(r, kRc);
  EXPECT_GT(r.images.size(), 1u);  // strip look again

  // No bar picture: no bar.
  CUIProgressBar bare;
  bare.SetPos(0, 0, 100, 10);
  CRecordingPainter s;
  bare.Paint(s, bare.GetPos());
  EXPECT_TRUE(s.images.empty());
}

TEST(ProgressBar, AnimationFrameAtTheFillAndTimerSteps) {
  CControlsFixture f;
  auto* bar = f.Add(new CUIProgressBar(), 33, MakeUIRect(0, 0, 200, 20));
  bar->SetBarImage(std::make_shared<test::CFakeImage>(60, 20));
  bar->SetAnimationImage(std::make_shared<test::CFakeImage>(40, 24), 3);  // frames 40 x 8
  bar->SetValue(50);
  UIEvent tick;
  tick.Type = UIEVENT_TIMER;
  tick.wParam = kUIProgressAnimationTimer;
  bar->Event(tick);
  EXPECT_EQ(1, bar->GetCurrentFrame());
  CRecordingPainter p;
  bar->Paint(p, bar->GetPos());
  ASSERT_FALSE(p.images.empty());
  const auto& anim = p.images.back();
  EXPECT_EQ(MakeUIRect(0, 6, 40, 14), anim.dest);  // centred in the 20-pixel bar
  EXPECT_EQ(MakeUIRect(0, 8, 40, 16), anim.source);
  bar->Event(tick);
  bar->Event(tick);
  EXPECT_EQ(0, bar->GetCurrentFrame());
  // Other timers, other events and a disabled bar do nothing.
  tick.wParam = 5;
  bar->Event(tick);
  tick.wParam = kUIProgressAnimationTimer;
  bar->SetEnabled(false);
  bar->Event(tick);
  EXPECT_EQ(0, bar->GetCurrentFrame());
  EXPECT_EQ(0, f.log.Count(UINOTIFY_TIMER, 33));
}

TEST(ProgressBar, TextDesiredSizeAndClass) {
  CControlsFixture f;
  auto* bar = f.Add(new CUIProgressBar(), 34, kRc);
  bar->SetText(L"50%");
  CRecordingPainter p;
  bar->Paint(p, kRc);
  EXPECT_EQ(L"50%", p.AllText());
  EXPECT_EQ(CUIStyleTable::GetColor(26), p.runs[0].color);
  bar->SetFixedWidth(90);
  EXPECT_EQ(90, bar->GetDesiredSize(UISize()).cx);
  EXPECT_EQ(18, bar->GetDesiredSize(UISize()).cy);
  EXPECT_STREQ(L"ProgressBarUI", bar->GetClass());
}

}  // namespace
}  // namespace vorlix
