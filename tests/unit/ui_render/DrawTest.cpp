#include <gtest/gtest.h>

#include "ui/render/UIDraw.h"
#include "ui/render/UIStyle.h"
#include "unit/ui_render/CRecordingPainter.h"

namespace vorlix {
namespace {

using test::CRecordingPainter;

TEST(Draw, NineGridKeepsCornersAndStretchesTheMiddle) {
  test::CFakeImage image(30, 30);
  CRecordingPainter p;
  DrawImage9Grid(p, MakeUIRect(100, 200, 200, 250), MakeUIRect(0, 0, 30, 30), image, false);
  ASSERT_EQ(p.images.size(), 9u);
  // Row by row, left to right.
  EXPECT_EQ(p.images[0].dest, MakeUIRect(100, 200, 110, 210));
  EXPECT_EQ(p.images[0].source, MakeUIRect(0, 0, 10, 10));
  EXPECT_EQ(p.images[4].dest, MakeUIRect(110, 210, 190, 240));
  EXPECT_EQ(p.images[4].source, MakeUIRect(10, 10, 20, 20));
  EXPECT_EQ(p.images[8].dest, MakeUIRect(190, 240, 200, 250));
  EXPECT_EQ(p.images[8].source, MakeUIRect(20, 20, 30, 30));
  EXPECT_FALSE(p.images[4].tile);

  // Cells of a third (integer division) of a 4-frame strip's second frame.
  test::CFakeImage strip(88, 20);
  CRecordingPainter q;
  DrawImageFrame(q, MakeUIRect(0, 0, 50, 50), strip, 1);
  ASSERT_EQ(q.images.size(), 9u);
  EXPECT_EQ(q.images[0].source, MakeUIRect(22, 0, 29, 6));
  EXPECT_EQ(q.images[8].source, MakeUIRect(36, 12, 43, 18));

  // A destination smaller than two corners draws no middle.
  CRecordingPainter r;
  DrawImage9Grid(r, MakeUIRect(0, 0, 10, 10), MakeUIRect(0, 0, 30, 30), image, true);
  for (const auto& rec : r.images) EXPECT_FALSE(rec.dest.IsEmpty());
  EXPECT_EQ(r.images.size(), 4u);
}

TEST(Draw, GradientBands) {
  struct Case {
    int steps, bands;
  } cases[] = {{0, 2}, {1, 2}, {3, 2}, {4, 4}, {32, 32}, {63, 32}, {64, 64}, {1000, 64}};
  for (const Case& c : cases) EXPECT_EQ(GradientBandCount(c.steps), c.bands) << c.steps;

  CRecordingPainter p;
  DrawGradient(p, MakeUIRect(0, 0, 10, 32), UIRgb(0, 0, 0), UIRgb(255, 255, 255), true, 4);
  ASSERT_EQ(p.fills.size(), 4u);
  EXPECT_EQ(p.fills[0].rc, MakeUIRect(0, 0, 10, 8));
  EXPECT_EQ(p.fills[0].color, UIRgb(0, 0, 0));
  EXPECT_EQ(p.fills[3].rc, MakeUIRect(0, 24, 10, 32));
  EXPECT_EQ(p.fills[3].color, UIRgb(255, 255, 255));
  EXPECT_EQ(p.fills[1].color, UIRgb(85, 85, 85));

  // Fewer pixels than bands: one band a pixel, both end colours still shown.
  for (int extent : {1, 3}) {
    CRecordingPainter thin;
    DrawGradient(thin, MakeUIRect(0, 0, 10, extent), UIRgb(0, 0, 0), UIRgb(255, 255, 255), true, 32);
    ASSERT_EQ(thin.fills.size(), static_cast<std::size_t>(extent));
    EXPECT_EQ(thin.fills.front().color, UIRgb(0, 0, 0));
    if (extent > 1) {
      EXPECT_EQ(thin.fills.back().color, UIRgb(255, 255, 255));
    }
    for (const auto& f : thin.fills) EXPECT_EQ(f.rc.GetHeight(), 1);
  }

  CRecordingPainter q;
  q.gradientAvailable = true;
  DrawGradient(q, MakeUIRect(0, 0, 10, 32), 0, 0xffffff, false, 4);
  EXPECT_EQ(q.fills.size(), 1u);  // the system fill did it
}

TEST(Draw, FramesAndStyleFills) {
  CUIStyleTable::ResetDefaults();
  CRecordingPainter p;
  DrawFrame(p, MakeUIRect(0, 0, 10, 10), 12, 3, 65, UIFRAME_CUT_CORNERS);
  EXPECT_TRUE(p.fills.empty());
  ASSERT_EQ(p.lines.size(), 4u);
  EXPECT_EQ(p.lines[0].x1, 1);  // corners cut
  EXPECT_EQ(p.lines[0].color, CUIStyleTable::GetColor(12));
  EXPECT_EQ(p.lines[3].color, CUIStyleTable::GetColor(3));

  CRecordingPainter q;
  DrawFrame(q, MakeUIRect(0, 0, 10, 10), 12, 3, 30, UIFRAME_SQUARE);
  ASSERT_EQ(q.fills.size(), 1u);
  EXPECT_EQ(q.lines[0].x1, 0);
  EXPECT_EQ(q.lines[0].x2, 10);

  CRecordingPainter d;
  DrawFrame(d, MakeUIRect(0, 0, 10, 10), 12, 3, 65, UIFRAME_DOTTED);
  EXPECT_EQ(d.lines.size(), 18u);  // 36 edge pixels, every other one
  for (const auto& l : d.lines) EXPECT_EQ(l.color, CUIStyleTable::GetColor(15));

  CRecordingPainter s;
  FillStyleRect(s, MakeUIRect(0, 0, 1, 1), 65);
  FillStyleRect(s, MakeUIRect(0, 0, 1, 1), 0);
  DrawStyleRectangle(s, MakeUIRect(0, 0, 4, 4), 60, 65);
  EXPECT_TRUE(s.fills.empty());
  EXPECT_EQ(s.frames.size(), 1u);
}

class DrawLookTest : public ::testing::Test {
 protected:
  void SetUp() override { CUIStyleTable::ResetDefaults(); }
  void TearDown() override { CUIStyleTable::ResetDefaults(); }
};

TEST_F(DrawLookTest, EditBoxFrameFillAndTextColourByState) {
  // 35 and 36 share a default; tell them apart.
  CUIStyleTable::SetDisabledTextColor(UIRgb(1, 2, 3));
  struct Case {
    unsigned state;
    int light, dark, fill, text;
  } cases[] = {
      {0, 37, 38, 30, 34},
      {UIEDIT_FOCUSED, 39, 40, 30, 34},
      {UIEDIT_READONLY, 41, 42, 30, 36},
      {UIEDIT_READONLY | UIEDIT_FOCUSED, 41, 42, 30, 36},
      {UIEDIT_DISABLED, 41, 42, 32, 35},
      {UIEDIT_DISABLED | UIEDIT_READONLY | UIEDIT_FOCUSED, 41, 42, 32, 35},
  };
  const UIRect rc = MakeUIRect(10, 20, 110, 44);
  for (const Case& c : cases) {
    CRecordingPainter p;
    DrawEditBox(p, rc, L"abc", c.state, 0, 2, nullptr);
    SCOPED_TRACE(c.state);
    ASSERT_EQ(p.fills.size(), 1u);
    EXPECT_EQ(p.fills[0].rc, rc);
    EXPECT_EQ(p.fills[0].color, CUIStyleTable::GetColor(c.fill));
    ASSERT_EQ(p.lines.size(), 4u);
    EXPECT_EQ(p.lines[0].color, CUIStyleTable::GetColor(c.light));  // top
    for (int i = 1; i < 4; ++i) EXPECT_EQ(p.lines[i].color, CUIStyleTable::GetColor(c.dark));
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].text, L"abc");
    EXPECT_EQ(p.runs[0].color, CUIStyleTable::GetColor(c.text));
    EXPECT_EQ(p.runs[0].font, 1);
    EXPECT_EQ(p.runs[0].box, MakeUIRect(13, 22, 107, 42));
    EXPECT_EQ(p.runs[0].format,
              unsigned(UITEXT_NOPREFIX | UITEXT_EDITCONTROL | UITEXT_SINGLELINE | UITEXT_VCENTER));
  }
  EXPECT_EQ(CUIStyleTable::GetColor(35), UIRgb(1, 2, 3));
}

TEST_F(DrawLookTest, EditBoxWithImageOrWithoutPadding) {
  test::CFakeImage image(30, 30);
  const UIRect rc = MakeUIRect(0, 0, 100, 30);
  CRecordingPainter p;
  // The caller's own vertical centring keeps its format (no single line forced).
  DrawEditBox(p, rc, L"x", UIEDIT_FOCUSED, UITEXT_VCENTER | UITEXT_WORDBREAK, 5, &image);
  ASSERT_EQ(p.images.size(), 9u);
  EXPECT_EQ(p.images[0].dest.left, 0);
  EXPECT_EQ(p.images[8].dest.right, 100);
  EXPECT_FALSE(p.images[4].tile);  // stretched
  EXPECT_TRUE(p.fills.empty());
  EXPECT_TRUE(p.lines.empty());
  ASSERT_EQ(p.runs.size(), 1u);
  EXPECT_EQ(p.runs[0].box, MakeUIRect(5, 5, 95, 25));
  EXPECT_EQ(p.runs[0].format, unsigned(UITEXT_VCENTER | UITEXT_WORDBREAK | UITEXT_NOPREFIX | UITEXT_EDITCONTROL));

  // Neither image nor padding: no box, the text takes the whole rectangle; no text, nothing written.
  CRecordingPainter q;
  DrawEditBox(q, rc, L"x", 0, 0, 0, nullptr);
  EXPECT_TRUE(q.fills.empty() && q.lines.empty() && q.images.empty());
  ASSERT_EQ(q.runs.size(), 1u);
  EXPECT_EQ(q.runs[0].box, rc);
  CRecordingPainter r;
  DrawEditBox(r, rc, L"", 0, 0, 2, nullptr);
  EXPECT_TRUE(r.runs.empty());
  EXPECT_EQ(r.fills.size(), 1u);
}

// "Tab" is 21 pixels in font 1 of the recording painter.
TEST_F(DrawLookTest, TabSizeAndLookByState) {
  test::CFakeImage strip(88, 20);
  const UIRect in = MakeUIRect(10, 20, 200, 46);
  struct Case {
    unsigned state;
    UIRect out;
    int frame;  // with the strip; -1: nothing drawn
  } cases[] = {
      {UITAB_SELECTED, MakeUIRect(10, 20, 45, 48), 2},
      {UITAB_SELECTED | UITAB_HOT, MakeUIRect(10, 20, 45, 48), 2},
      {UITAB_SELECTED | UITAB_DISABLED, MakeUIRect(10, 20, 45, 48), 2},
      {0, MakeUIRect(10, 23, 43, 46), 0},
      {UITAB_HOT, MakeUIRect(10, 23, 43, 46), 1},
      {UITAB_DISABLED, UIRect(), -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    for (bool withImage : {false, true}) {
      CRecordingPainter p;
      UIRect rc = in;
      DrawTab(p, rc, L"Tab", c.state, 2, withImage ? &strip : nullptr);
      EXPECT_EQ(rc, c.out);
      EXPECT_TRUE(p.runs.empty());  // the caller draws the text
      if (c.frame < 0) {
        EXPECT_TRUE(p.fills.empty() && p.lines.empty() && p.images.empty());
        continue;
      }
      if (withImage) {
        ASSERT_EQ(p.images.size(), 9u);
        EXPECT_EQ(p.images[0].source.left, 22 * c.frame);
        EXPECT_EQ(p.images[0].dest.top, c.out.top);
        EXPECT_EQ(p.images[8].dest.bottom, c.out.bottom);
        EXPECT_TRUE(p.fills.empty());
        continue;
      }
      EXPECT_TRUE(p.images.empty());
      ASSERT_FALSE(p.fills.empty());
      if ((c.state & UITAB_SELECTED) != 0) {
        EXPECT_EQ(p.fills[0].rc, c.out);
        EXPECT_EQ(p.fills[0].color, CUIStyleTable::GetColor(56));
        // Orange band on the top three rows, inside the side edges.
        ASSERT_EQ(p.fills.size(), 4u);
        EXPECT_EQ(p.fills[1].rc, MakeUIRect(11, 20, 44, 21));
        EXPECT_EQ(p.fills[1].color, UIRgb(0xde, 0x8e, 0x29));
        EXPECT_EQ(p.fills[3].rc, MakeUIRect(11, 22, 44, 23));
        EXPECT_EQ(p.fills[3].color, UIRgb(0xff, 0xc7, 0x19));
        ASSERT_EQ(p.lines.size(), 4u);
        EXPECT_EQ(p.lines[0].x1, 11);  // corner cut
        EXPECT_EQ(p.lines[0].color, CUIStyleTable::GetColor(60));
        EXPECT_EQ(p.lines[3].y1, 47);  // the bottom row in the face colour
        EXPECT_EQ(p.lines[3].color, CUIStyleTable::GetColor(56));
      } else {
        UIColor from = 0, to = 0;
        ASSERT_TRUE(CUIStyleTable::GetColorPair(58, from, to));
        EXPECT_EQ(p.fills.size(), 23u);  // one band per pixel row of the 23-pixel tab
        EXPECT_EQ(p.fills.front().color, from);
        EXPECT_EQ(p.fills.front().rc.top, 23);
        EXPECT_EQ(p.fills.back().color, to);
        ASSERT_EQ(p.lines.size(), 3u);  // left, top, right
        for (const auto& line : p.lines) EXPECT_EQ(line.color, CUIStyleTable::GetColor(60));
        EXPECT_EQ(p.lines[1].y1, 23);
      }
    }
  }
}

}  // namespace
}  // namespace vorlix
