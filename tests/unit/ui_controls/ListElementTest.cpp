#include <gtest/gtest.h>

#include <vector>

#include "ui/controls/CUIListLabelElement.h"
#include "ui/layout/CUIContainer.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;
using test::Send;

// An owner that records what its items hand it.
class COwner : public CUIContainer, public IUIListOwner {
 public:
  std::vector<int> selected;
  std::vector<int> events;
  int GetCurSel() const override { return selected.empty() ? -1 : selected.back(); }
  bool SelectItem(int index) override {
    selected.push_back(index);
    return true;
  }
  void Event(UIEvent& event) override { events.push_back(event.Type); }
  void* GetInterface(const wchar_t* name) override {
    if (std::wcscmp(name, L"ListOwner") == 0) return static_cast<IUIListOwner*>(this);
    return CUIContainer::GetInterface(name);
  }
};

const UIRect kRc = MakeUIRect(0, 0, 100, 20);

TEST(ListLabelElement, EventsSelectThroughOwnerActivateOrReachOwner) {
  struct Case {
    int type;
    bool enabled;
    int selects;      // SelectItem calls on the owner
    int ownerEvents;  // events handed to the owner
    int activates;    // ItemActivate notifications
  } cases[] = {
      {UIEVENT_BUTTONDOWN, true, 1, 1, 0},  {UIEVENT_CONTEXTMENU, true, 1, 1, 0},
      {UIEVENT_DBLCLICK, true, 1, 0, 1},    {UIEVENT_BUTTONDOWN, false, 0, 1, 0},
      {UIEVENT_DBLCLICK, false, 0, 0, 0},   {UIEVENT_MOUSEMOVE, true, 0, 1, 0},
      {UIEVENT_BUTTONUP, true, 0, 1, 0},
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* owner = f.Add(new COwner(), 5, kRc);
    auto* item = new CUIListLabelElement();
    item->SetId(51);
    owner->Add(item);
    item->SetOwner(owner);
    item->SetIndex(3);
    item->SetEnabled(c.enabled);
    Send(item, c.type, 5, 5);
    EXPECT_EQ(c.selects, static_cast<int>(owner->selected.size())) << c.type << " " << c.enabled;
    if (c.selects > 0) {
      EXPECT_EQ(3, owner->selected[0]);
    }
    EXPECT_EQ(c.ownerEvents, static_cast<int>(owner->events.size())) << c.type << " " << c.enabled;
    EXPECT_EQ(c.activates, f.log.Count(UINOTIFY_ITEMACTIVATE, 51)) << c.type << " " << c.enabled;
  }
}

TEST(ListLabelElement, EnterActivatesAndWithoutOwnerEventsGoUpTheTree) {
  CControlsFixture f;
  auto* item = f.Add(new CUIListLabelElement(), 52, kRc);
  EXPECT_EQ(nullptr, item->GetOwner());
  // A plain container is no owner.
  item->SetOwner(f.root);
  EXPECT_EQ(nullptr, item->GetOwner());
  UIEvent e;
  e.Type = UIEVENT_KEYDOWN;
  e.chKey = 0x0D;
  item->Event(e);
  EXPECT_EQ(1, f.log.Count(UINOTIFY_ITEMACTIVATE, 52));
  EXPECT_EQ(static_cast<unsigned>(UIFLAG_WANTRETURN), item->GetControlFlags());
  EXPECT_EQ(static_cast<void*>(static_cast<IListItemUI*>(item)), item->GetInterface(L"ListItem"));
}

TEST(ListLabelElement, DesiredSizeNeverNegative) {
  CControlsFixture f;
  auto* item = f.Add(new CUIListLabelElement(), 53, kRc);
  EXPECT_EQ(0, item->GetDesiredSize(UISize()).cx);
  EXPECT_EQ(16, item->GetDesiredSize(UISize()).cy);  // font 1 (14) + 2
  item->SetFixedWidth(200);
  item->SetFixedHeight(30);
  EXPECT_EQ(120, item->GetDesiredSize(UISize()).cx);
  EXPECT_EQ(30, item->GetDesiredSize(UISize()).cy);
}

TEST(ListLabelElement, DrawItemColoursByStateAndOwnerState) {
  struct Case {
    bool enabled, selected, hot;
    unsigned ownerState;
    int text;  // style colour index of the text
    int back;  // style colour index of the fill, 0 = none
  } cases[] = {
      {true, false, false, 0, 26, 0},
      {true, true, false, 0, 27, 17},
      {true, false, true, 0, 26, 20},
      {true, true, false, UILISTOWNER_FOCUSED, 26, 16},
      {true, true, true, UILISTOWNER_HIGHLIGHT, 26, 20},
      {false, true, true, 0, 28, 18},
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* item = f.Add(new CUIListLabelElement(), 54, kRc);
    item->SetText(L"abc");
    item->SetEnabled(c.enabled);
    item->Select(c.selected);
    if (c.hot) Send(item, UIEVENT_MOUSEENTER, 1, 1);
    CRecordingPainter p;
    item->DrawItem(p, kRc, c.ownerState);
    if (c.back == 0) {
      EXPECT_TRUE(p.fills.empty());
    } else {
      ASSERT_EQ(1u, p.fills.size());
      EXPECT_EQ(CUIStyleTable::GetColor(c.back), p.fills[0].color);
    }
    ASSERT_EQ(1u, p.runs.size());
    EXPECT_EQ(L"abc", p.runs[0].text);
    EXPECT_EQ(4, p.runs[0].x);
    EXPECT_EQ(CUIStyleTable::GetColor(c.text), p.runs[0].color) << c.enabled << c.selected << c.hot;
  }
}

}  // namespace
}  // namespace vorlix
