#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ui/render/UIImageList.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

class StyleTest : public ::testing::Test {
 protected:
  void SetUp() override { CUIStyleTable::ResetDefaults(); }
  void TearDown() override {
    CUIStyleTable::SetListener(nullptr);
    CUIStyleTable::ResetDefaults();
  }
};

TEST_F(StyleTest, DefaultColoursAreStoredInSystemByteOrder) {
  struct Row {
    int index;
    UIColor primary, secondary;
  } rows[] = {
      {1, UIRgb(0xef, 0xef, 0xeb), 0},
      {6, UIRgb(0xfa, 0xfa, 0xfc), UIRgb(0xd7, 0xd7, 0xe3)},
      {24, UIRgb(0x3d, 0x7b, 0xad), 0},
      {34, 0, 0},
      {45, UIRgb(0xe9, 0xe7, 0xd7), UIRgb(0x96, 0x96, 0x93)},
      {55, UIRgb(0, 0, 0xff), 0},
      {58, UIRgb(0xff, 0xfb, 0xff), UIRgb(0xe9, 0xe7, 0xd7)},
      {60, UIRgb(0x94, 0xa6, 0xb5), 0},
      {2, 0, 0},  // not listed: black
      {63, 0, 0},
  };
  for (const Row& r : rows) {
    UIColor a = 1, b = 1;
    EXPECT_TRUE(CUIStyleTable::GetColorPair(r.index, a, b)) << r.index;
    EXPECT_EQ(a, r.primary) << r.index;
    EXPECT_EQ(b, r.secondary) << r.index;
    EXPECT_EQ(CUIStyleTable::GetColor(r.index), r.primary) << r.index;
  }
}

TEST_F(StyleTest, InvalidIndicesYieldBlackAndNoFont) {
  for (int index : {0, 64, 65, 1000, -1}) {
    UIColor a = 7, b = 7;
    EXPECT_FALSE(CUIStyleTable::GetColorPair(index, a, b)) << index;
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(CUIStyleTable::GetColor(index), 0u) << index;
  }
  for (int index : {0, 11, -3}) EXPECT_EQ(CUIStyleTable::GetFontSpec(index), nullptr) << index;
}

TEST_F(StyleTest, FontDescriptions) {
  struct Row {
    int index, height, weightAdd;
    bool underline, system;
  } rows[] = {
      {1, -14, 0, false, false}, {2, -14, 700, false, false}, {4, 0, 0, false, true},   {5, -14, 0, true, false},
      {6, -17, 700, false, false}, {7, -21, 700, false, false}, {9, -12, 0, false, false}, {10, -18, 0, false, false},
  };
  for (const Row& r : rows) {
    const UIFontSpec* f = CUIStyleTable::GetFontSpec(r.index);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->height, r.height) << r.index;
    EXPECT_EQ(f->weightAdd, r.weightAdd) << r.index;
    EXPECT_EQ(f->bUnderline, r.underline) << r.index;
    EXPECT_EQ(f->bSystemDefault, r.system) << r.index;
  }
  EXPECT_EQ(std::wstring(kUIStyleFontFace), L"\u9ED1\u4F53");
}

std::vector<std::pair<UIStyleChange, int>>* g_changes = nullptr;
void Record(UIStyleChange change, int index) { g_changes->push_back({change, index}); }

TEST_F(StyleTest, SettersChangeEntriesAndDropTheirCaches) {
  std::vector<std::pair<UIStyleChange, int>> changes;
  g_changes = &changes;
  CUIStyleTable::SetListener(&Record);

  CUIStyleTable::SetEditFocusFrameColors(UIRgb(1, 2, 3));  // second follows the first
  EXPECT_EQ(CUIStyleTable::GetColor(39), UIRgb(1, 2, 3));
  EXPECT_EQ(CUIStyleTable::GetColor(40), UIRgb(1, 2, 3));
  CUIStyleTable::SetEditNormalFrameColors(UIRgb(9, 9, 9), UIRgb(8, 8, 8));
  EXPECT_EQ(CUIStyleTable::GetColor(37), UIRgb(9, 9, 9));
  EXPECT_EQ(CUIStyleTable::GetColor(38), UIRgb(8, 8, 8));
  for (int i : {37, 38, 39, 40}) {
    EXPECT_NE(std::find(changes.begin(), changes.end(), std::make_pair(UIStyleChange::Pens, i)), changes.end()) << i;
  }

  changes.clear();
  CUIStyleTable::SetEditBackgroundColor(UIRgb(0xda, 0xe0, 0xe6));
  EXPECT_EQ(CUIStyleTable::GetColor(30), UIRgb(0xda, 0xe0, 0xe6));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], std::make_pair(UIStyleChange::Brush, 30));

  CUIStyleTable::SetDefaultTextColor(UIRgb(0x27, 0x30, 0x4a));
  CUIStyleTable::SetDisabledTextColor(UIRgb(1, 1, 1));
  EXPECT_EQ(CUIStyleTable::GetColor(34), UIRgb(0x27, 0x30, 0x4a));
  EXPECT_EQ(CUIStyleTable::GetColor(35), UIRgb(1, 1, 1));
}

TEST_F(StyleTest, DefaultsRefillOnlyUntilFontsExist) {
  CUIStyleTable::SetDefaultTextColor(UIRgb(5, 5, 5));
  if (!CUIStyleTable::AreFontsCreated()) {
    CUIStyleTable::EnsureDefaults();
    EXPECT_EQ(CUIStyleTable::GetColor(34), 0u);
    CUIStyleTable::SetDefaultTextColor(UIRgb(5, 5, 5));
  }
  CUIStyleTable::MarkFontsCreated();
  CUIStyleTable::EnsureDefaults();  // a second window keeps the program's colours
  EXPECT_EQ(CUIStyleTable::GetColor(34), UIRgb(5, 5, 5));
}

TEST(StripFrame, DisabledWinsThenPushedThenHot) {
  EXPECT_EQ(PickStripFrame(true, true, true), UISTRIP_DISABLED);
  EXPECT_EQ(PickStripFrame(false, true, true), UISTRIP_PUSHED);
  EXPECT_EQ(PickStripFrame(false, false, true), UISTRIP_HOT);
  EXPECT_EQ(PickStripFrame(false, false, false), UISTRIP_NORMAL);
}

}  // namespace
}  // namespace vorlix
