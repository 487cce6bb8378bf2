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

}  // namespace
}  // namespace vorlix
