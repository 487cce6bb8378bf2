#include <gtest/gtest.h>

#include "ui/extra/CUILabelLine.h"
#include "ui/render/UIStyle.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;

TEST(LabelLine, TwoOnePixelLinesAlongTheTopInItsTwoColours) {
  struct Case {
    int height;
    std::size_t lines;  // a control lower than two pixels shows what fits
  } cases[] = {{30, 2}, {2, 2}, {1, 1}};
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* line = f.Add(new CUILabelLine(), 5, MakeUIRect(10, 20, 110, 20 + c.height));
    CRecordingPainter p;
    line->Paint(p, MakeUIRect(0, 0, 400, 400));
    ASSERT_EQ(c.lines, p.fills.size()) << c.height;
    EXPECT_EQ(MakeUIRect(10, 20, 110, 21), p.fills[0].rc);
    EXPECT_EQ(CUIStyleTable::GetColor(47), p.fills[0].color);
    if (c.lines == 2) {
      EXPECT_EQ(MakeUIRect(10, 21, 110, 22), p.fills[1].rc);
      EXPECT_EQ(CUIStyleTable::GetColor(3), p.fills[1].color);
    }
  }
}

TEST(LabelLine, DesiredHeightTwoAndOwnColoursOutsideThePaintAreaDrawNothing) {
  CControlsFixture f;
  auto* line = f.Add(new CUILabelLine(), 5, MakeUIRect(0, 100, 200, 130));
  EXPECT_EQ(2, line->GetDesiredSize(UISize()).cy);
  EXPECT_EQ(0, line->GetDesiredSize(UISize()).cx);
  EXPECT_STREQ(L"LabelLinelUI", line->GetClass());

  line->SetLineColors(12, 65);  // an index that names no colour leaves its line out
  CRecordingPainter p;
  line->Paint(p, MakeUIRect(0, 100, 200, 101));
  ASSERT_EQ(1u, p.fills.size());
  EXPECT_EQ(CUIStyleTable::GetColor(12), p.fills[0].color);

  CRecordingPainter outside;
  line->Paint(outside, MakeUIRect(0, 0, 200, 50));
  EXPECT_TRUE(outside.fills.empty());
}

}  // namespace
}  // namespace vorlix
