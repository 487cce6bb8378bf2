#include <gtest/gtest.h>

#include "ui/layout/CDialogLayoutUI.h"
#include "ui/layout/CHorizontalLayoutUI.h"
#include "ui/layout/CTileLayoutUI.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/core/CUIManager.h"
#include "ui/render/UIImageList.h"
#include "unit/ui_layout/LayoutTestControls.h"
#include "unit/ui_render/CRecordingPainter.h"

namespace vorlix {
namespace {

using test::CBox;
using test::CTestScrollBar;

TEST(VerticalLayout, StretchableChildrenShareAndTheLastTakesTheRest) {
  struct Case {
    int height, padding;
    int fixed;  // desired height of a middle fixed child (-1: none)
    std::vector<UIRect> expected;
  } cases[] = {
      {101, 0, -1, {MakeUIRect(0, 0, 100, 50), MakeUIRect(0, 50, 100, 101)}},
      {100, 0, 30, {MakeUIRect(0, 0, 100, 35), MakeUIRect(0, 35, 100, 65), MakeUIRect(0, 65, 100, 100)}},
      // Every child, the last one too, counts its padding.
      {100, 4, 30, {MakeUIRect(0, 0, 100, 29), MakeUIRect(0, 33, 100, 63), MakeUIRect(0, 67, 100, 96)}},
      // Negative free space: stretchable children get 0, never less.
      {100, 0, 200, {MakeUIRect(0, 0, 100, 0), MakeUIRect(0, 0, 100, 200), MakeUIRect(0, 200, 100, 200)}},
  };
  for (const Case& c : cases) {
    CVerticalLayoutUI layout;
    layout.SetChildPadding(c.padding);
    std::vector<CBox*> boxes;
    boxes.push_back(new CBox());
    if (c.fixed >= 0) boxes.push_back(new CBox(0, c.fixed));
    boxes.push_back(new CBox());
    for (CBox* b : boxes) layout.Add(b);
    layout.SetPos(0, 0, 100, c.height);
    ASSERT_EQ(boxes.size(), c.expected.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(boxes[i]->GetPos(), c.expected[i]) << c.height << "/" << c.fixed << " child " << i;
    }
  }
}

TEST(VerticalLayout, InsetScrollPositionAndHiddenChildren) {
  CVerticalLayoutUI layout;
  layout.SetInset(5, 6, 7, 8);
  auto* a = new CBox(0, 20);
  auto* hidden = new CBox(0, 500);
  auto* b = new CBox();
  layout.Add(a);
  layout.Add(hidden);
  layout.Add(b);
  hidden->SetVisible(false);
  layout.SetPos(10, 10, 110, 110);
  EXPECT_EQ(a->GetPos(), MakeUIRect(15, 16, 103, 36));
  EXPECT_EQ(b->GetPos(), MakeUIRect(15, 36, 103, 102));
}

class ScrollingTest : public ::testing::Test {
 protected:
  void SetUp() override { CUIContainer::SetScrollBarFactory(&CTestScrollBar::Create); }
  void TearDown() override { CUIContainer::SetScrollBarFactory(nullptr); }
};

TEST_F(ScrollingTest, ScrollBarAppearsNarrowsChildrenAndGoes) {
  {
    CVerticalLayoutUI layout;
    layout.EnableScrollBar(true);
    CBox* boxes[3];
    for (auto*& b : boxes) layout.Add(b = new CBox(0, 50));
    layout.SetPos(0, 0, 100, 100);
    ASSERT_NE(layout.GetScrollBar(), nullptr);
    EXPECT_EQ(CTestScrollBar::alive, 1);
    EXPECT_EQ(layout.GetCount(), 4);
    EXPECT_EQ(boxes[0]->GetPos(), MakeUIRect(0, 0, 89, 50));  // narrowed by width + 1
    EXPECT_EQ(layout.GetScrollBar()->GetScrollBarControl()->GetPos(), MakeUIRect(89, 0, 99, 100));
    EXPECT_EQ(layout.GetScrollRange().cy, 150);
    EXPECT_EQ(layout.GetScrollPage(), 100);
    EXPECT_EQ(layout.GetScrollLine(), 50);

    // Home and End on the scrolled container.
    UIEvent end;
    end.Type = UIEVENT_KEYDOWN;
    end.chKey = 0x23;
    layout.Event(end);
    EXPECT_EQ(layout.GetScrollPos(), 50);  // the end: content 150 - page 100
    EXPECT_EQ(boxes[0]->GetPos().top, -50);
    EXPECT_EQ(boxes[2]->GetPos().bottom, 100);
    UIEvent up = end;
    up.chKey = 0x26;
    layout.Event(up);
    EXPECT_EQ(layout.GetScrollPos(), 0);  // line size 50
    UIEvent pageDown = end;
    pageDown.chKey = 0x22;
    layout.Event(pageDown);
    EXPECT_EQ(layout.GetScrollPos(), 50);
    UIEvent home = end;
    home.chKey = 0x24;
    layout.Event(home);
    EXPECT_EQ(layout.GetScrollPos(), 0);
    EXPECT_EQ(boxes[0]->GetPos().top, 0);

    // Content shrinks below the page: the bar is removed and deleted, children get the full width.
    for (CBox* b : boxes) b->SetSize(0, 10);
    layout.SetPos(0, 0, 100, 100);
    EXPECT_EQ(layout.GetScrollBar(), nullptr);
    EXPECT_EQ(CTestScrollBar::alive, 0);
    EXPECT_EQ(layout.GetCount(), 3);
    EXPECT_EQ(boxes[0]->GetPos(), MakeUIRect(0, 0, 100, 10));
    EXPECT_EQ(layout.GetScrollPage(), 40);
    EXPECT_EQ(layout.GetScrollLine(), 1);
  }
  EXPECT_EQ(CTestScrollBar::alive, 0);
}

TEST_F(ScrollingTest, NoScrollBarUnlessEnabled) {
  CVerticalLayoutUI layout;
  layout.Add(new CBox(0, 500));
  layout.SetPos(0, 0, 100, 100);
  EXPECT_EQ(layout.GetScrollBar(), nullptr);
  UIEvent end;
  end.Type = UIEVENT_KEYDOWN;
  end.chKey = 0x23;
  layout.Event(end);
  EXPECT_EQ(layout.GetScrollPos(), 0);
  layout.SetAttribute(L"scrollbar", L"TRUE");
  layout.SetPos(0, 0, 100, 100);
  EXPECT_NE(layout.GetScrollBar(), nullptr);
}

TEST(HorizontalLayout, SharesWidthAndPadding) {
  CHorizontalLayoutUI layout;
  layout.SetChildPadding(2);
  auto* a = new CBox();
  auto* b = new CBox(20, 0);
  auto* c = new CBox();
  layout.Add(a);
  layout.Add(b);
  layout.Add(c);
  layout.SetPos(0, 0, 101, 30);
  // fixed 20 + 3 paddings of 2 = 26; (101 - 26) / 2 = 37, remainder 1 to the last.
  EXPECT_EQ(a->GetPos(), MakeUIRect(0, 0, 37, 30));
  EXPECT_EQ(b->GetPos(), MakeUIRect(39, 0, 59, 30));
  EXPECT_EQ(c->GetPos(), MakeUIRect(61, 0, 99, 30));
}

TEST(TileLayout, ColumnsRowsAndPadding) {
  CTileLayoutUI tile;
  tile.SetChildPadding(10);
  tile.SetColumns(0);  // ignored
  EXPECT_EQ(tile.GetColumns(), 2);
  auto* a = new CBox(0, 30);
  auto* b = new CBox(0, 50);
  auto* c = new CBox(0, 20);
  tile.Add(a);
  tile.Add(b);
  tile.Add(c);
  tile.SetPos(0, 0, 220, 300);  // inset 10: inner 200 wide, columns of 100
  EXPECT_EQ(a->GetPos(), MakeUIRect(10, 10, 105, 60));  // row as high as its tallest
  EXPECT_EQ(b->GetPos(), MakeUIRect(115, 10, 210, 60));
  EXPECT_EQ(c->GetPos(), MakeUIRect(10, 70, 105, 90));

  CTileLayoutUI three;
  three.SetInset(0, 0);
  three.SetColumns(3);
  three.SetChildPadding(4);
  CBox* boxes[3];
  for (auto*& bx : boxes) three.Add(bx = new CBox(0, 10));
  three.SetPos(0, 0, 90, 50);
  EXPECT_EQ(boxes[0]->GetPos(), MakeUIRect(0, 0, 28, 10));
  EXPECT_EQ(boxes[1]->GetPos(), MakeUIRect(32, 0, 58, 10));  // middle column loses half on both sides
  EXPECT_EQ(boxes[2]->GetPos(), MakeUIRect(62, 0, 90, 10));
}

TEST(DialogLayout, ChildrenMoveToTheCornerKeepingTheirLayout) {
  CDialogLayoutUI dialog;
  auto* a = new CBox();
  auto* b = new CBox();
  a->SetPos(8, 8, 58, 28);
  b->SetPos(70, 10, 120, 40);
  dialog.Add(a);
  dialog.Add(b);
  UISize sz = dialog.GetDesiredSize(UISize{});
  EXPECT_EQ(sz.cx, 112);
  EXPECT_EQ(sz.cy, 32);
  dialog.SetPos(100, 200, 400, 400);
  EXPECT_EQ(a->GetPos(), MakeUIRect(100, 200, 150, 220));
  EXPECT_EQ(b->GetPos(), MakeUIRect(162, 202, 212, 232));
  ASSERT_EQ(dialog.GetItems().size(), 2u);
  EXPECT_EQ(dialog.GetItems()[0].uMode, unsigned(UIPLACE_GROUP));

  // Added after the first layout: no record, keeps the position it is given.
  auto* late = new CBox();
  late->SetPos(1, 1, 5, 5);
  dialog.Add(late);
  dialog.SetPos(0, 0, 300, 200);
  EXPECT_EQ(late->GetPos(), MakeUIRect(1, 1, 5, 5));
  EXPECT_EQ(dialog.GetItems().size(), 2u);
  EXPECT_NE(dialog.GetInterface(L"DialogLayout"), nullptr);
  EXPECT_NE(dialog.GetInterface(L"Container"), nullptr);
}

TEST(DialogLayout, GroupsMoveAndStretchIntoExtraSpace) {
  CDialogLayoutUI dialog;
  auto* head = new CBox();
  auto* wide = new CBox();
  auto* mover = new CBox();
  auto* tall = new CBox();
  auto* reset = new CBox();
  head->SetPos(0, 0, 10, 10);
  wide->SetPos(10, 0, 20, 10);
  mover->SetPos(20, 0, 30, 10);
  tall->SetPos(30, 0, 40, 10);
  reset->SetPos(40, 0, 50, 10);
  for (CBox* b : {head, wide, mover, tall, reset}) dialog.Add(b);
  dialog.SetItemPlacement(head, UIPLACE_GROUP);
  dialog.SetItemPlacement(wide, UIPLACE_STRETCH_X);
  dialog.SetItemPlacement(mover, UIPLACE_MOVE_X | UIPLACE_MOVE_Y);
  dialog.SetItemPlacement(tall, UIPLACE_STRETCH_Y | UIPLACE_MOVE_X);
  dialog.SetItemPlacement(reset, UIPLACE_GROUP_RESET | UIPLACE_MOVE_X);
  // Minimum area 50 x 10; extra 30 x 20 shared by the two stretching records.
  dialog.SetPos(0, 0, 80, 30);
  EXPECT_EQ(head->GetPos(), MakeUIRect(0, 0, 10, 10));
  EXPECT_EQ(wide->GetPos(), MakeUIRect(10, 0, 35, 10));  // share 15 (and the group moves by 15, 10)
  EXPECT_EQ(mover->GetPos(), MakeUIRect(35, 10, 45, 20));
  EXPECT_EQ(tall->GetPos(), MakeUIRect(45, 0, 55, 20));
  EXPECT_EQ(reset->GetPos(), MakeUIRect(40, 0, 50, 10));  // offsets reset
}

TEST(DialogLayout, PaintsColourParentSkinOrDialogBackground) {
  enum Host { Unhosted, TopLevel, Child };
  enum Skin { NoSkin, SameSize, OtherSize };
  struct Case {
    const char* what;
    Host host;
    UIColor color;
    Skin skin;
    bool fill, copy;
    int images;  // 1: the skin 1:1; 9: a tiled nine-grid
    bool dialogBackground;
  } cases[] = {
      {"top-level without anything", TopLevel, kUIColorNoBackground, NoSkin, false, false, 9, true},
      {"not hosted yet", Unhosted, kUIColorNoBackground, NoSkin, false, false, 9, true},
      {"child: the parent shows through", Child, kUIColorNoBackground, NoSkin, false, true, 0, false},
      {"child with a colour", Child, UIRgb(1, 2, 3), NoSkin, true, false, 0, false},
      {"child with its own skin", Child, kUIColorNoBackground, SameSize, false, false, 1, false},
      {"skin of the layout's size", TopLevel, kUIColorNoBackground, SameSize, false, false, 1, false},
      {"colour under a stretched skin", TopLevel, UIRgb(1, 2, 3), OtherSize, true, false, 9, false},
  };
  auto dialogBackground = std::make_shared<test::CFakeImage>(30, 30);
  auto sameSize = std::make_shared<test::CFakeImage>(200, 100);
  auto otherSize = std::make_shared<test::CFakeImage>(60, 45);
  CUISkinImages::Set(UISkinSlot::DialogBackground, dialogBackground);
  UIWindow window = reinterpret_cast<UIWindow>(static_cast<std::uintptr_t>(0x1230));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CUIManager manager;
    if (c.host != Unhosted) manager.Init(window);
    if (c.skin != NoSkin) manager.SetSkinImage(UISKIN_NORMAL, c.skin == SameSize ? sameSize : otherSize);
    CDialogLayoutUI dialog;
    auto* child = new CBox();
    child->SetPos(10, 10, 20, 20);
    dialog.Add(child);
    dialog.SetBkColor(c.color);
    dialog.SetManager(&manager, nullptr);
    dialog.SetPos(0, 0, 200, 100);
    test::CRecordingPainter p;
    if (c.host == Child) p.childWindow = window;
    dialog.Paint(p, MakeUIRect(-50, 0, 150, 40));
    const UIRect visible = MakeUIRect(0, 0, 150, 40);
    ASSERT_EQ(p.fills.size(), c.fill ? 1u : 0u);
    if (c.fill) {
      EXPECT_EQ(p.fills[0].rc, visible);
      EXPECT_EQ(p.fills[0].color, c.color);
    }
    ASSERT_EQ(p.parentCopies.size(), c.copy ? 1u : 0u);
    if (c.copy) {
      EXPECT_EQ(p.parentCopies[0].window, window);
      EXPECT_EQ(p.parentCopies[0].rc, visible);
    }
    ASSERT_EQ(p.images.size(), static_cast<std::size_t>(c.images));
    if (c.images == 1) {
      EXPECT_EQ(p.images[0].image, sameSize.get());
      EXPECT_EQ(p.images[0].dest, MakeUIRect(0, 0, 200, 100));
      EXPECT_EQ(p.images[0].source, MakeUIRect(0, 0, 200, 100));
    } else if (c.images == 9) {
      EXPECT_EQ(p.images[0].image, c.dialogBackground ? dialogBackground.get() : otherSize.get());
      EXPECT_EQ(p.images[0].dest.left, 0);
      EXPECT_EQ(p.images[8].dest.bottom, 100);
      EXPECT_TRUE(p.images[4].tile);
    }
    EXPECT_EQ(child->paints, 1);
    dialog.SetManager(nullptr, nullptr);
  }
  CUISkinImages::Set(UISkinSlot::DialogBackground, nullptr);
}

TEST(Layouts, ClassNamesAndInsets) {
  CVerticalLayoutUI v;
  CHorizontalLayoutUI h;
  CTileLayoutUI t;
  CDialogLayoutUI d;
  CUIContainer c;
  EXPECT_STREQ(v.GetClass(), L"VertialLayoutUI");
  EXPECT_STREQ(h.GetClass(), L"HorizontalLayoutUI");
  EXPECT_STREQ(t.GetClass(), L"TileLayoutUI");
  EXPECT_STREQ(d.GetClass(), L"DialogLayoutUI");
  EXPECT_STREQ(c.GetClass(), L"ContainerUI");
  EXPECT_EQ(t.GetInset(), MakeUIRect(10, 10, 10, 10));
  EXPECT_EQ(v.GetInset(), UIRect());
}

}  // namespace
}  // namespace vorlix
