#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls/UIButtonDraw.h"
#include "ui/extra/CUIList.h"
#include "ui/extra/CUIListHeader.h"
#include "ui/extra/CUIListHeaderItem.h"
#include "ui/extra/CUIListTextElement.h"
#include "ui/layout/CUIContainer.h"
#include "unit/ui_controls/ControlsTestSupport.h"
#include "unit/ui_layout/LayoutTestControls.h"

namespace vorlix {
namespace test {
int CTestScrollBar::alive = 0;
}  // namespace test

namespace {

using test::CControlsFixture;
using test::CRecordingPainter;
using test::Send;

constexpr wchar_t kUp = 0x26, kDown = 0x28, kPageUp = 0x21, kPageDown = 0x22, kHome = 0x24, kEnd = 0x23,
                  kReturn = 0x0D;

// A list (id 9) at (0, 0, 200, 120) with the columns "Name" (80 wide) and "Size" (the rest) and rows
// of 20 pixels (font 1 + 6) with ids 100 + index. The header takes the top 20 pixels, so the body
// shows five rows.
struct CListFixture : CControlsFixture {
  CUIList* list = new CUIList();
  CUIListHeaderItem* columns[2];
  std::vector<CUIListTextElement*> rows;

  explicit CListFixture(int count, std::vector<int> disabled = {}) {
    CUIContainer::SetScrollBarFactory(&test::CTestScrollBar::Create);
    const wchar_t* titles[2] = {L"Name", L"Size"};
    for (int i = 0; i < 2; ++i) {
      columns[i] = new CUIListHeaderItem();
      columns[i]->SetId(50 + i);
      columns[i]->SetText(titles[i]);
      list->Add(columns[i]);
    }
    columns[0]->SetAttribute(L"width", L"80");
    for (int i = 0; i < count; ++i) AddRow(i);
    for (int i : disabled) rows[static_cast<std::size_t>(i)]->SetEnabled(false);
    Add(list, 9, MakeUIRect(0, 0, 200, 120));
  }
  ~CListFixture() { CUIContainer::SetScrollBarFactory(nullptr); }

  CUIListTextElement* AddRow(int i) {
    auto* row = new CUIListTextElement();
    row->SetId(100 + i);
    row->SetColumnText(0, (L"row " + std::to_wstring(i)).c_str());
    row->SetColumnText(1, std::to_wstring(i * 10).c_str());
    list->Add(row);
    rows.push_back(row);
    return row;
  }
  void Relayout() { list->SetPos(0, 0, 200, 120); }
  void Key(wchar_t vk) {
    UIEvent e;
    e.Type = UIEVENT_KEYDOWN;
    e.chKey = vk;
    list->Event(e);
  }
  static std::vector<std::string> SelectionNotes(int row) { return {"8:" + std::to_string(100 + row), "10:9"}; }
};

TEST(List, KeysMoveTheSelectionOverSelectableRows) {
  struct Case {
    const char* what;
    int start;  // -1: nothing selected
    wchar_t key;
    int expected;
  } cases[] = {
      {"down from none", -1, kDown, 0},        {"up from none", -1, kUp, 0},
      {"up at the top", 0, kUp, 0},            {"down skips a disabled row", 2, kDown, 4},
      {"up skips a disabled row", 4, kUp, 2},  {"page down", 0, kPageDown, 10},
      {"page up", 15, kPageUp, 5},             {"page up near the top", 5, kPageUp, 0},
      {"page down near the end", 25, kPageDown, 28},  // row 29 is disabled
      {"down at the last selectable", 28, kDown, 28}, {"home", 12, kHome, 0},
      {"end", 12, kEnd, 28},                   {"other key", 12, L'X', 12},
  };
  for (const Case& c : cases) {
    CListFixture f(30, {3, 29});
    if (c.start >= 0) {
      ASSERT_TRUE(f.list->SelectItem(c.start));
    }
    f.log.lines.clear();
    f.Key(c.key);
    EXPECT_EQ(c.expected, f.list->GetCurSel()) << c.what;
    const std::vector<std::string> none;
    EXPECT_EQ(c.expected != c.start ? CListFixture::SelectionNotes(c.expected) : none, f.log.lines) << c.what;
    for (int i = 0; i < 30; ++i) {
      EXPECT_EQ(i == c.expected, f.rows[static_cast<std::size_t>(i)]->IsSelected()) << c.what << " row " << i;
    }
  }
}

TEST(List, EnterActivatesTheSelectedRowAndTheRowsForwardTheirKeys) {
  CListFixture f(5);
  f.Key(kReturn);
  EXPECT_TRUE(f.log.lines.empty()) << "nothing selected, nothing to activate";
  f.list->SelectItem(2);
  f.log.lines.clear();
  f.Key(kReturn);
  EXPECT_EQ(std::vector<std::string>{"9:102"}, f.log.lines);

  // Keys pressed while a row has the focus reach the list.
  UIEvent down;
  down.Type = UIEVENT_KEYDOWN;
  down.chKey = kDown;
  f.rows[2]->Event(down);
  EXPECT_EQ(3, f.list->GetCurSel());
}

TEST(List, MouseOnRowsSelectsThenNotifiesInOrder) {
  CListFixture f(5);
  const UIRect row1 = f.rows[1]->GetPos();
  EXPECT_EQ(MakeUIRect(0, 40, 200, 60), row1);

  Send(f.rows[1], UIEVENT_BUTTONDOWN, 10, 45);
  EXPECT_EQ(CListFixture::SelectionNotes(1), f.log.lines);
  f.log.lines.clear();
  Send(f.rows[1], UIEVENT_BUTTONDOWN, 10, 45);
  EXPECT_TRUE(f.log.lines.empty()) << "the selected row again";

  Send(f.rows[3], UIEVENT_DBLCLICK, 10, 85);
  std::vector<std::string> expected = CListFixture::SelectionNotes(3);
  expected.push_back("9:103");  // ItemActivate from the row
  expected.push_back("1:9");    // DblClick from the list
  EXPECT_EQ(expected, f.log.lines);

  f.log.lines.clear();
  Send(f.rows[0], UIEVENT_CONTEXTMENU, 10, 25);
  expected = CListFixture::SelectionNotes(0);
  expected.push_back("2:9");  // Menu
  EXPECT_EQ(expected, f.log.lines);

  // A disabled row is neither selected nor activated; the previous selection goes.
  f.log.lines.clear();
  f.rows[4]->SetEnabled(false);
  Send(f.rows[4], UIEVENT_DBLCLICK, 10, 105);
  EXPECT_EQ(std::vector<std::string>{"1:9"}, f.log.lines);
  EXPECT_EQ(0, f.list->GetCurSel());
  EXPECT_FALSE(f.list->SelectItem(4));
  EXPECT_EQ(-1, f.list->GetCurSel());
  EXPECT_FALSE(f.rows[0]->IsSelected());
}

TEST(List, SelectionScrollsIntoViewAndTheWheelScrolls) {
  CListFixture f(30);
  ASSERT_NE(nullptr, f.list->GetList()->GetScrollBar());
  EXPECT_EQ(30, f.list->GetCount()) << "the scroll bar is not a row";
  f.Key(kEnd);
  EXPECT_EQ(29, f.list->GetCurSel());
  EXPECT_EQ(500, f.list->GetList()->GetScrollPos());
  EXPECT_EQ(MakeUIRect(0, 100, 189, 120), f.rows[29]->GetPos());
  f.Key(kHome);
  EXPECT_EQ(0, f.list->GetList()->GetScrollPos());

  UIEvent wheel;
  wheel.Type = UIEVENT_SCROLLWHEEL;
  wheel.wParam = 1;  // toward the user: down
  f.list->Event(wheel);
  EXPECT_EQ(60, f.list->GetList()->GetScrollPos());
  EXPECT_EQ(0, f.list->GetCurSel()) << "the wheel scrolls without selecting";
  wheel.wParam = 0;
  f.list->Event(wheel);
  f.list->Event(wheel);
  EXPECT_EQ(0, f.list->GetList()->GetScrollPos());

  // Rows added after the scroll bar are still rows, in order.
  CUIListTextElement* late = f.AddRow(30);
  f.Relayout();
  EXPECT_EQ(31, f.list->GetCount());
  EXPECT_EQ(late, f.list->GetItem(30));
  EXPECT_EQ(30, late->GetIndex());
}

TEST(List, RemovingRowsKeepsIndicesAndSelection) {
  CListFixture f(6);
  f.list->SelectItem(4);
  f.list->Remove(f.rows[1]);
  EXPECT_EQ(3, f.list->GetCurSel());
  EXPECT_EQ(f.rows[4], f.list->GetItem(3));
  for (int i = 0; i < f.list->GetCount(); ++i) {
    EXPECT_EQ(i, static_cast<IListItemUI*>(f.list->GetItem(i)->GetInterface(L"ListItem"))->GetIndex());
  }
  f.list->Remove(f.rows[4]);
  EXPECT_EQ(-1, f.list->GetCurSel());
  f.list->RemoveAll();
  EXPECT_EQ(0, f.list->GetCount());
  EXPECT_FALSE(f.list->SelectItem(0));
  EXPECT_EQ(2, f.list->GetHeader()->GetCount()) << "the columns stay";
}

TEST(List, InterfacesAndTheHiddenHeader) {
  CListFixture f(3);
  EXPECT_STREQ(L"ListUI", f.list->GetClass());
  EXPECT_EQ(static_cast<IUIList*>(f.list), f.list->GetInterface(L"List"));
  EXPECT_EQ(static_cast<IUIListOwner*>(f.list), f.list->GetInterface(L"ListOwner"));
  EXPECT_EQ(static_cast<IContainerUI*>(f.list), f.list->GetInterface(L"Container"));
  EXPECT_EQ(f.list->GetHeader(), f.list->GetHeader()->GetInterface(L"ListHeader"));
  EXPECT_STREQ(L"ListHeaderUI", f.list->GetHeader()->GetClass());
  EXPECT_EQ(f.rows[0]->GetOwner(), static_cast<IUIListOwner*>(f.list));

  // A press between the rows lands on the list itself.
  EXPECT_EQ(f.list, f.manager.FindControlAt(MakeUIPoint(50, 110)));
  EXPECT_EQ(f.rows[1], f.manager.FindControlAt(MakeUIPoint(50, 45)));

  f.list->SetAttribute(L"header", L"hidden");
  f.Relayout();
  EXPECT_FALSE(f.list->GetHeader()->IsVisible());
  EXPECT_EQ(MakeUIRect(0, 0, 200, 20), f.rows[0]->GetPos());
  // The rows keep their columns.
  CRecordingPainter p;
  f.rows[0]->Paint(p, MakeUIRect(0, 0, 200, 120));
  ASSERT_GE(p.runs.size(), 2u);
  EXPECT_EQ(L"0", p.runs.back().text);
  EXPECT_EQ(84, p.runs.back().x);

  // Showing the header again leaves a column hidden on purpose hidden.
  f.columns[1]->SetVisible(false);
  f.list->SetAttribute(L"header", L"shown");
  f.Relayout();
  EXPECT_TRUE(f.list->GetHeader()->IsVisible());
  EXPECT_FALSE(f.columns[1]->IsVisible());
  EXPECT_TRUE(f.columns[0]->IsVisible());
  EXPECT_EQ(MakeUIRect(0, 20, 200, 40), f.rows[0]->GetPos());
}

TEST(ListHeaderItem, WidthAttributeClickAndGripDrag) {
  CListFixture f(1);
  EXPECT_EQ(80, f.columns[0]->GetFixedWidth());
  EXPECT_EQ(80, f.columns[0]->GetDesiredSize(UISize()).cx);
  EXPECT_EQ(MakeUIRect(0, 0, 80, 20), f.columns[0]->GetPos());
  EXPECT_EQ(MakeUIRect(80, 0, 200, 20), f.columns[1]->GetPos()) << "a column without width takes the rest";
  EXPECT_EQ(MakeUIRect(76, 0, 80, 20), f.columns[0]->GetGripRect());

  struct Case {
    const char* what;
    int downX, upX;
    std::vector<std::string> notes;
  } cases[] = {
      {"click", 30, 40, {"13:50"}},
      {"released outside", 30, 300, {}},
      {"grip drag", 78, 100, {"14:50", "15:50"}},
  };
  for (const Case& c : cases) {
    f.log.lines.clear();
    f.columns[0]->SetFixedWidth(80);
    f.Relayout();
    Send(f.columns[0], UIEVENT_BUTTONDOWN, c.downX, 10);
    Send(f.columns[0], UIEVENT_MOUSEMOVE, c.upX, 10);
    Send(f.columns[0], UIEVENT_BUTTONUP, c.upX, 10);
    EXPECT_EQ(c.notes, f.log.lines) << c.what;
    EXPECT_FALSE(f.columns[0]->IsDragging()) << c.what;
    EXPECT_EQ(0u, f.columns[0]->GetState() & (UISTATE_PUSHED | UISTATE_CAPTURED)) << c.what;
  }
  // The drag moved the right edge with the pointer: 80 + (100 - 78).
  EXPECT_EQ(102, f.columns[0]->GetFixedWidth());
  f.Relayout();
  EXPECT_EQ(102, f.columns[1]->GetPos().left);

  // A drag never makes the column narrower than the minimum.
  Send(f.columns[0], UIEVENT_BUTTONDOWN, 100, 10);
  Send(f.columns[0], UIEVENT_MOUSEMOVE, -500, 10);
  EXPECT_EQ(CUIListHeaderItem::kMinWidth, f.columns[0]->GetFixedWidth());
  Send(f.columns[0], UIEVENT_BUTTONUP, -500, 10);
}

TEST(ListTextElement, ColumnsFollowTheHeaderAndLinksNotify) {
  CListFixture f(2);
  f.rows[1]->SetColumnText(1, L"see <a>more</a>");
  EXPECT_EQ(unsigned(UIFLAG_WANTRETURN | UIFLAG_SETCURSOR), f.rows[1]->GetControlFlags());
  EXPECT_EQ(unsigned(UIFLAG_WANTRETURN), f.rows[0]->GetControlFlags());
  EXPECT_EQ(L"row 1", std::wstring(f.rows[1]->GetText()));

  CRecordingPainter p;
  f.rows[1]->Paint(p, MakeUIRect(0, 0, 200, 120));
  std::vector<int> xs;
  for (const auto& run : p.runs) xs.push_back(run.x);
  ASSERT_FALSE(xs.empty());
  EXPECT_EQ(4, xs.front()) << "first column text 4 pixels in";
  EXPECT_EQ(1, f.rows[1]->GetLinkCount());
  const UIRect link = f.rows[1]->GetLinkRect(0);
  EXPECT_GE(link.left, 84) << "the link is in the second column";

  f.log.lines.clear();
  const int x = (link.left + link.right) / 2, y = (link.top + link.bottom) / 2;
  Send(f.rows[1], UIEVENT_BUTTONDOWN, x, y);
  Send(f.rows[1], UIEVENT_BUTTONUP, x, y);
  std::vector<std::string> expected = CListFixture::SelectionNotes(1);
  expected.push_back("5:101");
  EXPECT_EQ(expected, f.log.lines);
  EXPECT_EQ(0, f.rows[1]->GetClickedLink());
  // A release beside the link is no Link.
  f.log.lines.clear();
  Send(f.rows[1], UIEVENT_BUTTONUP, 10, y);
  EXPECT_TRUE(f.log.lines.empty());
}

}  // namespace
}  // namespace vorlix
namespace vorlix {
namespace {

TEST(List, PaintsTheHeaderThenEveryRowWithTheSelectionFill) {
  CListFixture f(3);
  f.list->SelectItem(1);
  CRecordingPainter p;
  f.list->Paint(p, MakeUIRect(0, 0, 400, 400));
  std::vector<std::wstring> texts;
  for (const auto& run : p.runs) texts.push_back(run.text);
  EXPECT_EQ((std::vector<std::wstring>{L"Name", L"Size", L"row 0", L"0", L"row 1", L"10", L"row 2", L"20"}), texts);
  ASSERT_FALSE(p.fills.empty());
  EXPECT_EQ(MakeUIRect(0, 40, 200, 60), p.fills.back().rc) << "the selected row, after the header's gradient";
  EXPECT_EQ(CUIStyleTable::GetColor(17), p.fills.back().color);
  EXPECT_EQ(CUIStyleTable::GetColor(27), p.runs[4].color) << "selected text colour";
  EXPECT_EQ(CUIStyleTable::GetColor(26), p.runs[2].color);
}

}  // namespace
}  // namespace vorlix
