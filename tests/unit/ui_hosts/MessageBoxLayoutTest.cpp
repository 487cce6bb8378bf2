// The skinned message box's geometry and its style values, without a window system.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ui/hosts/UIMessageBoxLayout.h"
#include "ui/hosts/UIMessageBoxStyle.h"

namespace vorlix {
namespace {

// What the main window sets at start-up.
UIMessageBoxStyle ProductStyle() {
  ResetMessageBoxStyle();
  SetMessageBoxTitleTextStyle(0);
  SetMessageBoxButtonTextColors(UIRgb(0xff, 0xff, 0xff), UIRgb(0xff, 0xff, 0xff), UIRgb(0xff, 0xff, 0xff),
                                UIRgb(0x70, 0x7b, 0x8d));
  SetMessageBoxCornerSize(1);
  SetMessageBoxTitleHeight(30);
  SetMessageBoxMargin(25);
  SetMessageBoxButtonSize(86, 30);
  SetMessageBoxCloseOffset(10, 10);
  SetMessageBoxTitlePos(22, 12);
  SetMessageBoxTemplate(203);
  UIMessageBoxStyle style = GetMessageBoxStyle();
  ResetMessageBoxStyle();
  return style;
}

const UISize kIcon = {32, 32};
const UISize kClose = {15, 15};

UISize Text(int cx, int cy) {
  UISize s;
  s.cx = cx;
  s.cy = cy;
  return s;
}

TEST(MessageBoxStyle, DefaultsAndSetters) {
  ResetMessageBoxStyle();
  const UIMessageBoxStyle& d = GetMessageBoxStyle();
  EXPECT_EQ(d.uTitleTextStyle, 1u);
  EXPECT_EQ(d.clrButtonDisabled, UIRgb(0xff, 0xff, 0xff));
  EXPECT_EQ(d.nCornerSize, 5);
  EXPECT_EQ(d.nTitleHeight, 20);
  EXPECT_EQ(d.nMargin, 20);
  EXPECT_EQ(d.cxButton, 80);
  EXPECT_EQ(d.cyButton, 20);
  EXPECT_EQ(d.nButtonGap, 10);
  EXPECT_EQ(d.nTemplateId, 0);
  UIMessageBoxStyle p = ProductStyle();
  EXPECT_EQ(p.clrButtonDisabled, UIRgb(0x70, 0x7b, 0x8d));
  EXPECT_EQ(p.nMargin, 25);
  EXPECT_EQ(p.cxButton, 86);
  EXPECT_EQ(p.nCloseRight, 10);
  EXPECT_EQ(p.yTitle, 12);
  EXPECT_EQ(p.nTemplateId, 203);
  EXPECT_EQ(p.nButtonGap, 10);  // left unchanged
  EXPECT_EQ(GetMessageBoxStyle().nMargin, 20);  // reset again
}

struct ButtonCase {
  unsigned type;
  std::vector<int> ids;
  std::vector<std::wstring> texts;
  std::vector<std::wstring> names;
};

TEST(MessageBoxLayout, ButtonSetsPerType) {
  const ButtonCase cases[] = {
      {0x0, {4}, {L"确定"}, {L"ok"}},
      {0x1, {4, 5}, {L"确定", L"取消"}, {L"ok", L"cancel"}},
      {0x3, {6, 7, 5}, {L"是", L"否", L"取消"}, {L"ok", L"cancel", L"cancel"}},
      {0x4, {6, 7}, {L"是", L"否"}, {L"ok", L"cancel"}},
      {0x2, {4}, {L"确定"}, {L"ok"}},             // abort-retry-ignore is not offered: one OK
      {0x5, {4}, {L"确定"}, {L"ok"}},
      {0x34, {6, 7}, {L"是", L"否"}, {L"ok", L"cancel"}},  // icon bits do not change the buttons
  };
  UIMessageBoxStyle style = ProductStyle();
  for (const ButtonCase& c : cases) {
    UIMessageBoxLayout l = LayoutMessageBox(style, c.type, kIcon, Text(100, 16), kClose);
    ASSERT_EQ(l.buttons.size(), c.ids.size()) << c.type;
    for (std::size_t i = 0; i < c.ids.size(); ++i) {
      EXPECT_EQ(l.buttons[i].id, c.ids[i]) << c.type;
      EXPECT_EQ(std::wstring(l.buttons[i].text), c.texts[i]) << c.type;
      EXPECT_EQ(std::wstring(l.buttons[i].name), c.names[i]) << c.type;
    }
  }
}

struct SizeCase {
  unsigned type;
  UISize icon;
  UISize text;
  int width;
  int height;
};

TEST(MessageBoxLayout, WindowSizeFollowsTextAndNeverFallsBelowTwoButtons) {
  UIMessageBoxStyle style = ProductStyle();
  const int minWidth = 3 * 25 + 2 * 86;  // 247
  const SizeCase cases[] = {
      {0x0, kIcon, Text(60, 16), minWidth, 30 + 75 + 30 + 32},              // short text: the floor
      {0x1, kIcon, Text(140, 16), minWidth, 167},                           // 75 + 32 + 140 = 247 exactly
      {0x1, kIcon, Text(141, 16), minWidth + 1, 167},                       // one pixel more widens
      {0x0, kIcon, Text(900, 16), 75 + 32 + 900, 167},                      // long single line
      {0x4, kIcon, Text(200, 80), 75 + 32 + 200, 30 + 75 + 30 + 80},        // taller text than the icon
      {0x3, kIcon, Text(60, 16), minWidth + 55, 167},                       // three buttons get more room
      {0x3, kIcon, Text(600, 16), 75 + 32 + 600 + 55, 167},
      {0x0, UISize{}, Text(0, 0), minWidth, 30 + 75 + 30},                  // no icon, no text
  };
  for (const SizeCase& c : cases) {
    UIMessageBoxLayout l = LayoutMessageBox(style, c.type, c.icon, c.text, kClose);
    EXPECT_EQ(l.size.cx, c.width) << c.type << " " << c.text.cx;
    EXPECT_EQ(l.size.cy, c.height) << c.type << " " << c.text.cx;
    EXPECT_GE(l.size.cx, minWidth);
  }
}

TEST(MessageBoxLayout, ButtonRowIsCentredAtTheBottom) {
  UIMessageBoxStyle style = ProductStyle();
  for (unsigned type : {0x0u, 0x1u, 0x3u, 0x4u}) {
    for (int textWidth : {50, 400, 1000}) {
      UIMessageBoxLayout l = LayoutMessageBox(style, type, kIcon, Text(textWidth, 16), kClose);
      const auto& b = l.buttons;
      for (std::size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(b[i].rc.top, l.size.cy - (30 + 25));
        EXPECT_EQ(b[i].rc.GetWidth(), 86);
        EXPECT_EQ(b[i].rc.GetHeight(), 30);
        if (i > 0) {
          EXPECT_EQ(b[i].rc.left - b[i - 1].rc.right, 10);
        }
      }
      const int leftSpace = b.front().rc.left;
      const int rightSpace = l.size.cx - b.back().rc.right;
      EXPECT_LE(std::abs(leftSpace - rightSpace), 1) << type << " " << textWidth;
    }
  }
  // The two-button pair of the 247-pixel box.
  UIMessageBoxLayout pair = LayoutMessageBox(style, 0x1, kIcon, Text(50, 16), kClose);
  EXPECT_EQ(pair.buttons[0].rc.left, (247 - 2 * 86 - 10) / 2);
}

TEST(MessageBoxLayout, TitleCloseIconTextAndTheOctagon) {
  UIMessageBoxStyle style = ProductStyle();
  UIMessageBoxLayout l = LayoutMessageBox(style, 0x1, kIcon, Text(300, 16), kClose);
  const int w = l.size.cx;
  const int h = l.size.cy;
  EXPECT_EQ(l.rcClose, MakeUIRect(w - 10 - 15, 10, w - 10, 25));
  EXPECT_EQ(l.rcTitle, MakeUIRect(22, 12, w - 25, 27));
  EXPECT_EQ(l.rcIcon, MakeUIRect(25, 55, 57, 87));
  EXPECT_EQ(l.rcText.left, 2 * 25 + 32);
  EXPECT_EQ(l.rcText.top, 60);
  EXPECT_EQ(l.rcText.right, w - 25);
  EXPECT_GE(l.rcText.bottom - l.rcText.top, 16);
  ASSERT_EQ(l.region.size(), 8u);
  const UIPoint expected[] = {{1, 0}, {w - 1, 0}, {w, 1}, {w, h - 1}, {w - 1, h}, {1, h}, {0, h - 1}, {0, 1}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(l.region[i].x, expected[i].x) << i;
    EXPECT_EQ(l.region[i].y, expected[i].y) << i;
  }

  // Without a title position the caption starts one close button in and at the close button's top.
  ResetMessageBoxStyle();
  UIMessageBoxLayout d = LayoutMessageBox(GetMessageBoxStyle(), 0x0, kIcon, Text(10, 16), kClose);
  EXPECT_EQ(d.rcClose.right, d.size.cx);
  EXPECT_EQ(d.rcClose.top, 0);
  EXPECT_EQ(d.rcTitle, MakeUIRect(15, 0, d.size.cx - 15, 15));
  EXPECT_EQ(d.region[0].x, 5);
}

TEST(MessageBoxLayout, IconsAndResults) {
  const std::pair<unsigned, int> icons[] = {{0x30, 1}, {0x20, 2}, {0x10, 3}, {0x40, 4}, {0x00, 4}, {0x31, 1}, {0x14, 3}};
  for (const auto& c : icons) EXPECT_EQ(MessageBoxIconIndex(c.first), c.second) << c.first;
  const std::pair<int, int> results[] = {{4, 1}, {5, 2}, {6, 6}, {7, 7}, {0, 2}, {1, -1}, {2, -1}, {3, -1}, {8, -1}};
  for (const auto& c : results) EXPECT_EQ(MessageBoxResultFor(c.first), c.second) << c.first;
}

}  // namespace
}  // namespace vorlix
