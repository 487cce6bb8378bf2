#include <gtest/gtest.h>

#include <memory>

#include "ui/extra/CUIList.h"
#include "ui/extra/CUIListExpandElement.h"
#include "ui/layout/CTileLayoutUI.h"
#include "ui/render/UIImageList.h"
#include "unit/ui_controls/ControlsTestSupport.h"
#include "unit/ui_layout/LayoutTestControls.h"

namespace vorlix {
namespace {

using test::CBox;
using test::CControlsFixture;
using test::CFakeImage;
using test::CRecordingPainter;
using test::Send;

// A list (id 9) over the whole root with two expandable rows (ids 100, 101) of 20 pixels; the first
// holds four 30-pixel boxes in its area (two rows of the two-column tile layout, inset 10).
struct CExpandFixture : CControlsFixture {
  CUIList* list = new CUIList();
  CUIListExpandElement* rows[2];
  std::shared_ptr<CFakeImage> closed = std::make_shared<CFakeImage>(16, 16);
  std::shared_ptr<CFakeImage> open = std::make_shared<CFakeImage>(16, 16);

  CExpandFixture() {
    CUIImageList::Register(CUIListExpandElement::kGlyphClosed, closed, 16);
    CUIImageList::Register(CUIListExpandElement::kGlyphOpen, open, 16);
    list->SetAttribute(L"header", L"hidden");
    for (int i = 0; i < 2; ++i) {
      rows[i] = new CUIListExpandElement();
      rows[i]->SetId(100 + i);
      rows[i]->SetText(L"group");
      list->Add(rows[i]);
    }
    for (int i = 0; i < 4; ++i) rows[0]->GetExpandContainer()->Add(new CBox(0, 30));
    Add(list, 9, MakeUIRect(0, 0, 200, 400));
  }
  ~CExpandFixture() { CUIImageList::Clear(); }
  void Relayout() { list->SetPos(0, 0, 200, 400); }
  const IUIImage* DrawnGlyph(int row) {
    CRecordingPainter p;
    rows[row]->Paint(p, MakeUIRect(0, 0, 200, 400));
    return p.images.empty() ? nullptr : p.images.front().image;
  }
};

TEST(ListExpandElement, OpensOnlyWhileTheListAllowsAndNotifies) {
  CExpandFixture f;
  EXPECT_FALSE(f.rows[0]->Expand(true)) << "expanding is off by default";
  EXPECT_FALSE(f.rows[0]->IsExpanded());
  EXPECT_TRUE(f.log.lines.empty());

  f.list->SetAttribute(L"expanding", L"TRUE");
  EXPECT_TRUE(f.rows[0]->Expand(true));
  EXPECT_TRUE(f.rows[0]->Expand(true)) << "already open: no second notification";
  EXPECT_TRUE(f.rows[0]->Expand(false));
  EXPECT_EQ((std::vector<std::string>{"11:100", "12:100"}), f.log.lines);

  // Closing needs no permission.
  f.rows[0]->Expand(true);
  f.list->SetAttribute(L"expanding", L"FALSE");
  EXPECT_TRUE(f.rows[0]->Expand(false));
  EXPECT_FALSE(f.rows[0]->IsExpanded());
}

TEST(ListExpandElement, TheOpenAreaSitsBelowTheRowAndPushesTheNextRowDown) {
  CExpandFixture f;
  f.list->SetAttribute(L"expanding", L"TRUE");
  EXPECT_EQ(MakeUIRect(0, 0, 200, 20), f.rows[0]->GetPos());
  EXPECT_EQ(MakeUIRect(0, 20, 200, 40), f.rows[1]->GetPos());
  f.rows[0]->Expand(true);
  f.Relayout();
  // Row 20 + inset 10 + two tile rows of 30 + inset 10.
  EXPECT_EQ(MakeUIRect(0, 0, 200, 100), f.rows[0]->GetPos());
  EXPECT_EQ(MakeUIRect(0, 20, 200, 100), f.rows[0]->GetExpandContainer()->GetPos());
  EXPECT_EQ(MakeUIRect(0, 100, 200, 120), f.rows[1]->GetPos());
  // The tiles can be hit; the row itself keeps its line.
  CUIControl* tile = f.rows[0]->GetExpandContainer()->GetItem(3);
  EXPECT_EQ(tile, f.manager.FindControlAt(MakeUIPoint(150, 75)));
  EXPECT_EQ(f.rows[0], f.manager.FindControlAt(MakeUIPoint(150, 10)));

  f.rows[0]->Expand(false);
  f.Relayout();
  EXPECT_EQ(MakeUIRect(0, 20, 200, 40), f.rows[1]->GetPos());
  EXPECT_NE(tile, f.manager.FindControlAt(MakeUIPoint(150, 75)));
}

TEST(ListExpandElement, GlyphShowsTheStateAndAPressOnItToggles) {
  CExpandFixture f;
  f.list->SetAttribute(L"expanding", L"TRUE");
  EXPECT_EQ(f.closed.get(), f.DrawnGlyph(0));
  const UIRect glyph = f.rows[0]->GetGlyphRect();
  EXPECT_EQ(MakeUIRect(4, 0, 4 + 18, 20), glyph);

  Send(f.rows[0], UIEVENT_BUTTONDOWN, glyph.left + 2, 10);
  EXPECT_TRUE(f.rows[0]->IsExpanded());
  EXPECT_EQ((std::vector<std::string>{"11:100", "8:100", "10:9"}), f.log.lines);
  f.Relayout();
  EXPECT_EQ(f.open.get(), f.DrawnGlyph(0));

  // Beside the glyph a press only selects.
  f.log.lines.clear();
  Send(f.rows[0], UIEVENT_BUTTONDOWN, 100, 10);
  EXPECT_TRUE(f.rows[0]->IsExpanded());
  EXPECT_TRUE(f.log.lines.empty());
  Send(f.rows[0], UIEVENT_BUTTONDOWN, glyph.left + 2, 10);
  EXPECT_FALSE(f.rows[0]->IsExpanded());
  EXPECT_EQ(std::vector<std::string>{"12:100"}, f.log.lines);
  EXPECT_STREQ(L"ListExpandElementUI", f.rows[0]->GetClass());
  EXPECT_TRUE(f.rows[0]->IsExpandable());
}

}  // namespace
}  // namespace vorlix
