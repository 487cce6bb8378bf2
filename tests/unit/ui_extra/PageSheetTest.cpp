#include <gtest/gtest.h>

#include "ui/extra/CUILabelLine.h"
#include "ui/extra/CUIPageOption.h"
#include "ui/extra/CUIPageSheet.h"
#include "ui/render/UIDraw.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;
using test::Send;

// Three pages titled "ab", "cd", "ef" (14 pixels each in the test font); each holds one control with
// id 100 + page index that fills it.
struct CSheetFixture : CControlsFixture {
  CUIPageSheet* sheet = new CUIPageSheet();
  CUIPageOption* pages[3];
  CUIControl* content[3];

  CSheetFixture() {
    const wchar_t* titles[3] = {L"ab", L"cd", L"ef"};
    for (int i = 0; i < 3; ++i) {
      pages[i] = new CUIPageOption();
      pages[i]->SetText(titles[i]);
      pages[i]->SetId(50 + i);
      content[i] = new CUILabelLine();
      content[i]->SetId(100 + i);
      pages[i]->Add(content[i]);
      sheet->Add(pages[i]);
    }
    Add(sheet, 7, MakeUIRect(10, 10, 310, 210));
  }
  void Relayout() { sheet->SetPos(10, 10, 310, 210); }
  UIPoint TabCentre(int i) const {
    UIRect rc = sheet->GetTabRect(i);
    return MakeUIPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  }
  void PressTab(int i) {
    UIPoint pt = TabCentre(i);
    Send(sheet, UIEVENT_BUTTONDOWN, pt.x, pt.y);
  }
};

TEST(PageSheet, TabsSizedToTheirTitlesWithTheSelectedOneRaisedIntoThePage) {
  CSheetFixture f;
  EXPECT_EQ(0, f.sheet->GetCurSel()) << "the first page added is selected";
  EXPECT_TRUE(f.log.lines.empty());
  const int cyTabs = 14 + 8;  // font 1 height + 8
  EXPECT_EQ(cyTabs, f.sheet->GetTabHeight());
  EXPECT_EQ(MakeUIRect(10, 10, 10 + 28, 10 + cyTabs + 1), f.sheet->GetTabRect(0));
  EXPECT_EQ(MakeUIRect(38, 13, 38 + 26, 10 + cyTabs), f.sheet->GetTabRect(1));
  EXPECT_EQ(MakeUIRect(64, 13, 64 + 26, 10 + cyTabs), f.sheet->GetTabRect(2));
  EXPECT_EQ(MakeUIRect(11, 10 + cyTabs + 1, 309, 209), f.sheet->GetPageRect());
  EXPECT_EQ(f.sheet->GetPageRect(), f.content[0]->GetPos());

  CRecordingPainter p;
  f.sheet->Paint(p, MakeUIRect(0, 0, 400, 400));
  // Tab titles centred in their tabs, the selected one drawn last (on top of its neighbours).
  ASSERT_EQ(3u, p.runs.size());
  EXPECT_EQ(L"cd", p.runs[0].text);
  EXPECT_EQ(L"ef", p.runs[1].text);
  EXPECT_EQ(L"ab", p.runs[2].text);
  EXPECT_EQ(f.sheet->GetTabRect(0), p.runs[2].box);
  EXPECT_EQ(MakeUIRect(10, 10 + cyTabs, 310, 210), p.frames.at(0)) << "the page frame";
}

TEST(PageSheet, SelectingSendsClickThenSelectChanged) {
  struct Case {
    const char* what;
    int target;      // page to select
    bool byAttribute;
    int selAfter;
    std::vector<std::string> notes;
  } cases[] = {
      {"press another tab", 2, false, 2, {"0:7", "10:7"}},
      {"press the selected tab", 0, false, 0, {"0:7"}},
      {"attribute", 1, true, 1, {"0:7", "10:7"}},
      {"attribute, same page", 0, true, 0, {"0:7"}},
      {"attribute out of range", 3, true, 0, {}},
      {"attribute negative", -1, true, 0, {}},
  };
  for (const Case& c : cases) {
    CSheetFixture f;
    if (c.byAttribute) {
      f.sheet->SetAttribute(L"select", std::to_wstring(c.target).c_str());
    } else {
      f.PressTab(c.target);
    }
    EXPECT_EQ(c.selAfter, f.sheet->GetCurSel()) << c.what;
    EXPECT_EQ(c.notes, f.log.lines) << c.what;
  }
}

TEST(PageSheet, OnlyTheSelectedPageIsLaidOutAndReachable) {
  CSheetFixture f;
  f.PressTab(1);
  f.Relayout();
  UIPoint inside = MakeUIPoint(100, 100);
  EXPECT_EQ(f.content[1], f.manager.FindControlAt(inside));
  EXPECT_EQ(f.sheet->GetPageRect(), f.content[1]->GetPos());
  CRecordingPainter p;
  f.sheet->Paint(p, MakeUIRect(0, 0, 400, 400));
  // The label lines are the only fills: one line pair, the selected page's.
  int contentFills = 0;
  for (const auto& fill : p.fills) contentFills += fill.rc.top == f.content[1]->GetPos().top ? 1 : 0;
  EXPECT_EQ(1, contentFills);

  // Focus on the page that goes away is dropped.
  f.manager.SetFocus(f.content[1]);
  ASSERT_EQ(f.content[1], f.manager.GetFocus());
  f.PressTab(0);
  EXPECT_EQ(nullptr, f.manager.GetFocus());
}

TEST(PageSheet, DisabledPageHasNoTabAndCannotBeSelected) {
  CSheetFixture f;
  f.pages[1]->SetEnabled(false);
  f.Relayout();
  EXPECT_TRUE(f.sheet->GetTabRect(1).IsEmpty());
  EXPECT_EQ(38, f.sheet->GetTabRect(2).left) << "the next tab closes the gap";
  EXPECT_FALSE(f.sheet->SelectPage(1));
  f.sheet->SetAttribute(L"select", L"1");
  EXPECT_EQ(0, f.sheet->GetCurSel());
  EXPECT_TRUE(f.log.lines.empty());
  // A press where the tab would have been hits the neighbour or nothing, never the disabled page.
  Send(f.sheet, UIEVENT_BUTTONDOWN, 45, 20);
  EXPECT_EQ(2, f.sheet->GetCurSel());
}

TEST(PageSheet, RemovingPagesKeepsASensibleSelection) {
  CSheetFixture f;
  f.sheet->SelectPage(1);
  f.sheet->Remove(f.pages[0]);
  EXPECT_EQ(0, f.sheet->GetCurSel());
  EXPECT_EQ(f.pages[1], f.sheet->GetCurPage());
  f.sheet->Remove(f.pages[1]);
  EXPECT_EQ(f.pages[2], f.sheet->GetCurPage()) << "the following page takes the place";
  f.sheet->Remove(f.pages[2]);
  EXPECT_EQ(-1, f.sheet->GetCurSel());
  EXPECT_EQ(nullptr, f.sheet->GetCurPage());
  f.Relayout();
  EXPECT_FALSE(f.sheet->SelectPage(0));
  auto* again = new CUIPageOption();
  f.sheet->Add(again);
  EXPECT_EQ(0, f.sheet->GetCurSel());
}

}  // namespace
}  // namespace vorlix
