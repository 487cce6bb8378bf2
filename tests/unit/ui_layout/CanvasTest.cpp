#include <gtest/gtest.h>

#include <memory>

#include "ui/core/CUIManager.h"
#include "ui/layout/CComboCanvasUI.h"
#include "ui/layout/CControlCanvasUI.h"
#include "ui/layout/CDialogCanvasUI.h"
#include "ui/layout/CMenuCanvasUI.h"
#include "ui/layout/CUIGroup.h"
#include "ui/layout/CWhiteCanvasUI.h"
#include "ui/layout/CWindowCanvasUI.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIStyle.h"
#include "unit/ui_layout/LayoutTestControls.h"
#include "unit/ui_render/CRecordingPainter.h"

namespace vorlix {
namespace {

using test::CBox;
using test::CFakeImage;
using test::CRecordingPainter;

// The process-wide highlight and background slots are shared; every test leaves them empty.
class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CUIStyleTable::ResetDefaults();
    Clear();
  }
  void TearDown() override { Clear(); }
  static void Clear() {
    CUISkinImages::Set(UISkinSlot::MenuHighlight, nullptr);
    CUISkinImages::Set(UISkinSlot::DropDownHighlight, nullptr);
    CUISkinImages::Set(UISkinSlot::DialogBackground, nullptr);
  }
};

TEST_F(CanvasTest, KindsWithTheirNamesColoursAndInsets) {
  CCanvasUI plain;
  CWindowCanvasUI window;
  CControlCanvasUI control;
  CDialogCanvasUI dialog;
  CWhiteCanvasUI white;
  CMenuCanvasUI menu;
  CComboCanvasUI combo;
  CUIGroup group;
  struct Case {
    CCanvasUI* canvas;
    const wchar_t* name;
    int color;
    UIRect inset;
  } cases[] = {
      {&plain, L"CanvasUI", kUIColorIndexNone, MakeUIRect(0, 0, 0, 0)},
      {&window, L"WindowCanvasUI", 1, MakeUIRect(10, 10, 10, 10)},
      {&control, L"ControlCanvasUI", 3, MakeUIRect(2, 2, 2, 2)},
      {&dialog, L"DialogCanvasUI", 3, MakeUIRect(10, 10, 10, 10)},
      {&white, L"WhiteCanvasUI", kUIColorIndexNone, MakeUIRect(0, 0, 0, 0)},
      {&menu, L"MenuCanvasUI", 3, MakeUIRect(3, 3, 3, 3)},
      {&combo, L"ComboCanvasUI", 3, MakeUIRect(1, 3, 1, 3)},
      {&group, L"GroupUI", kUIColorIndexNone, MakeUIRect(3, 3, 3, 3)},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(c.canvas->GetClass(), c.name);
    EXPECT_EQ(c.canvas->GetBkColor(), c.color) << c.name;
    EXPECT_EQ(c.canvas->GetInset(), c.inset) << c.name;
    EXPECT_NE(c.canvas->GetInterface(L"Container"), nullptr) << c.name;
  }
  EXPECT_EQ(group.GetTextStyle(), unsigned(UITEXT_SINGLELINE | UITEXT_VCENTER));

  // A canvas is a plain container: its first child fills it less the inset.
  auto* body = new CBox();
  combo.Add(body);
  combo.SetPos(0, 0, 100, 50);
  EXPECT_EQ(body->GetPos(), MakeUIRect(1, 3, 99, 47));
}

TEST_F(CanvasTest, PlainKindsKeepTheirColourWithoutPaintingIt) {
  CWindowCanvasUI window;
  CDialogCanvasUI dialog;
  for (CCanvasUI* canvas : {static_cast<CCanvasUI*>(&window), static_cast<CCanvasUI*>(&dialog)}) {
    auto* child = new CBox();
    canvas->Add(child);
    canvas->SetPos(0, 0, 100, 100);
    CRecordingPainter p;
    canvas->Paint(p, MakeUIRect(0, 0, 100, 100));
    EXPECT_TRUE(p.fills.empty()) << canvas->GetClass();
    EXPECT_TRUE(p.images.empty()) << canvas->GetClass();
    EXPECT_EQ(child->paints, 1) << canvas->GetClass();
  }
}

TEST_F(CanvasTest, MenuAndComboDrawTheirHighlightFaceOrTheColour) {
  // Menu strip 60 x 38: face = the top (38 - 8) / 3 = 10 rows; combo strip: the first of four frames.
  auto menuImage = std::make_shared<CFakeImage>(60, 38);
  auto comboImage = std::make_shared<CFakeImage>(80, 21);
  struct Case {
    bool menu;
    bool withImage;
    UIRect source;  // of the top-left cell when an image is drawn
  } cases[] = {
      {true, true, MakeUIRect(0, 0, 20, 3)},
      {true, false, UIRect()},
      {false, true, MakeUIRect(0, 0, 6, 7)},
      {false, false, UIRect()},
  };
  for (const Case& c : cases) {
    CUISkinImages::Set(UISkinSlot::MenuHighlight, c.menu && c.withImage ? menuImage : nullptr);
    CUISkinImages::Set(UISkinSlot::DropDownHighlight, !c.menu && c.withImage ? comboImage : nullptr);
    std::unique_ptr<CCanvasUI> canvas;
    if (c.menu) {
      canvas = std::make_unique<CMenuCanvasUI>();
    } else {
      canvas = std::make_unique<CComboCanvasUI>();
    }
    auto* child = new CBox();
    canvas->Add(child);
    canvas->SetPos(10, 20, 110, 220);
    CRecordingPainter p;
    canvas->Paint(p, MakeUIRect(0, 0, 50, 50));
    SCOPED_TRACE(canvas->GetClass());
    if (c.withImage) {
      EXPECT_TRUE(p.fills.empty());
      ASSERT_EQ(p.images.size(), 9u);
      EXPECT_EQ(p.images[0].image, c.menu ? menuImage.get() : comboImage.get());
      EXPECT_EQ(p.images[0].source, c.source);
      EXPECT_EQ(p.images[0].dest.left, 10);
      EXPECT_EQ(p.images[0].dest.top, 20);
      EXPECT_EQ(p.images[8].dest.right, 110);
      EXPECT_EQ(p.images[8].dest.bottom, 220);
      for (const auto& image : p.images) EXPECT_TRUE(image.tile);
    } else {
      EXPECT_TRUE(p.images.empty());
      ASSERT_EQ(p.fills.size(), 1u);
      EXPECT_EQ(p.fills[0].rc, MakeUIRect(10, 20, 110, 220));
      EXPECT_EQ(p.fills[0].color, CUIStyleTable::GetColor(3));
    }
    EXPECT_EQ(child->paints, 1);  // children come after the face
    EXPECT_TRUE(p.clipStack.empty());

    // Outside the paint area nothing at all.
    CRecordingPainter q;
    canvas->Paint(q, MakeUIRect(200, 0, 300, 10));
    EXPECT_TRUE(q.fills.empty() && q.images.empty());
  }
}

// Title "Box": font 1 of the recording painter has 7-pixel letters and height 14, so the title is
// 21 wide and 24 high.
TEST_F(CanvasTest, GroupBoxTitlePlacementAndImage) {
  auto frame = std::make_shared<CFakeImage>(30, 30);
  struct Case {
    const wchar_t* text;
    unsigned style;
    int titleLeft, titleWidth;
  } cases[] = {
      {L"Box", UITEXT_SINGLELINE | UITEXT_VCENTER, 110, 21},
      {L"Box", UITEXT_SINGLELINE | UITEXT_VCENTER | UITEXT_CENTER, 100 + (200 - 21) / 2, 21},
      {L"Box", UITEXT_SINGLELINE | UITEXT_RIGHT, 300 - 10 - 21, 21},
      // Tags take no room; the bold letters are a pixel wider each.
      {L"<b>Box</b>", UITEXT_SINGLELINE | UITEXT_RIGHT, 300 - 10 - 24, 24},
  };
  for (const Case& c : cases) {
    CUIGroup group;
    group.SetGroupImage(frame);
    group.SetText(c.text);
    group.SetTextStyle(c.style);
    group.SetTitleBkColor(21);
    group.SetPos(100, 50, 300, 150);
    CRecordingPainter p;
    group.Paint(p, MakeUIRect(0, 0, 400, 400));
    SCOPED_TRACE(testing::Message() << c.style << " " << c.text);
    ASSERT_EQ(p.images.size(), 9u);
    EXPECT_EQ(p.images[0].dest.top, 50 + 12);  // half a title height lower
    EXPECT_EQ(p.images[0].dest.left, 100);
    EXPECT_EQ(p.images[8].dest.bottom, 150);
    ASSERT_EQ(p.fills.size(), 1u);
    EXPECT_EQ(p.fills[0].rc, MakeUIRect(c.titleLeft, 50, c.titleLeft + c.titleWidth, 74));
    EXPECT_EQ(p.fills[0].color, CUIStyleTable::GetColor(21));
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].text, L"Box");
    EXPECT_EQ(p.runs[0].color, UIRgb(255, 255, 255));
    EXPECT_EQ(p.runs[0].x, c.titleLeft);
  }

  // Without a text the image covers the whole group; without an image the colour fills it.
  CUIGroup bare;
  bare.SetGroupImage(frame);
  bare.SetPos(0, 0, 60, 60);
  CRecordingPainter p;
  bare.Paint(p, MakeUIRect(0, 0, 60, 60));
  ASSERT_EQ(p.images.size(), 9u);
  EXPECT_EQ(p.images[0].dest.top, 0);
  EXPECT_TRUE(p.runs.empty());

  CUIGroup plain;
  plain.SetBkColor(50);
  plain.SetPos(0, 0, 60, 60);
  CRecordingPainter q;
  plain.Paint(q, MakeUIRect(0, 0, 60, 60));
  EXPECT_TRUE(q.images.empty());
  ASSERT_EQ(q.fills.size(), 1u);
  EXPECT_EQ(q.fills[0].color, CUIStyleTable::GetColor(50));
}

TEST_F(CanvasTest, GroupTitleWithoutColourShowsTheWindowBackground) {
  CUIManager manager;
  auto skin = std::make_shared<CFakeImage>(400, 300);
  auto dialogBackground = std::make_shared<CFakeImage>(90, 60);
  CUISkinImages::Set(UISkinSlot::DialogBackground, dialogBackground);
  for (bool withSkin : {true, false}) {
    manager.SetSkinImage(UISKIN_NORMAL, withSkin ? skin : nullptr);
    CUIGroup group;
    group.SetManager(&manager, nullptr);
    group.SetText(L"Box");
    group.SetPos(100, 50, 300, 150);
    CRecordingPainter p;
    group.Paint(p, MakeUIRect(0, 0, 400, 400));
    SCOPED_TRACE(withSkin);
    ASSERT_EQ(p.images.size(), 1u);
    const UIRect title = MakeUIRect(110, 50, 131, 74);
    EXPECT_EQ(p.images[0].dest, title);
    if (withSkin) {
      EXPECT_EQ(p.images[0].image, skin.get());
      EXPECT_EQ(p.images[0].source, title);  // the same place of the window's picture
      EXPECT_FALSE(p.images[0].tile);
    } else {
      EXPECT_EQ(p.images[0].image, dialogBackground.get());
      EXPECT_EQ(p.images[0].source, MakeUIRect(30, 20, 60, 40));  // its middle cell, repeated
      EXPECT_TRUE(p.images[0].tile);
    }
    ASSERT_EQ(p.runs.size(), 1u);
    group.SetManager(nullptr, nullptr);
  }
}

}  // namespace
}  // namespace vorlix
