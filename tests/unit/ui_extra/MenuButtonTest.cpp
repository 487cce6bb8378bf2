#include <gtest/gtest.h>

#include "ui/extra/CUIMenuButton.h"
#include "ui/extra/CUISubMenu.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;
using test::Send;

// Without a window system the drop-down never opens, so these cover the button and the picking; the
// drop-down window itself is tested under Wine.
TEST(MenuButton, ItemsTakeIdsFromTheButtonAndPickingNotifiesItemThenButton) {
  CControlsFixture f;
  auto* button = f.Add(new CUIMenuButton(), 7, MakeUIRect(10, 10, 110, 40));
  CUISubMenu* items[3];
  for (int i = 0; i < 3; ++i) items[i] = button->AddItem((L"item " + std::to_wstring(i)).c_str());
  EXPECT_EQ(71, items[1]->GetId());
  EXPECT_EQ(L"71", std::wstring(items[1]->GetName()));
  EXPECT_EQ(static_cast<IUIListOwner*>(button), items[1]->GetOwner());
  EXPECT_EQ(&f.manager, items[1]->GetManager());
  EXPECT_EQ(-1, button->GetCurSel());

  // The press is the Click; with no drop-down to open there is no DropDown.
  Send(button, UIEVENT_BUTTONDOWN, 20, 20);
  Send(button, UIEVENT_BUTTONUP, 20, 20);
  EXPECT_EQ(std::vector<std::string>{"0:7"}, f.log.lines);
  EXPECT_FALSE(button->IsDropDownOpen());

  struct Case {
    const char* what;
    int index;
    bool accepted;
    int selAfter;
    std::vector<std::string> notes;
  } cases[] = {
      {"pick", 2, true, 2, {"8:72", "10:7"}},
      {"pick the same again", 2, true, 2, {"8:72", "10:7"}},
      {"disabled item", 1, false, 2, {}},
      {"out of range", 3, false, 2, {}},
  };
  items[1]->SetEnabled(false);
  for (const Case& c : cases) {
    f.log.lines.clear();
    EXPECT_EQ(c.accepted, button->SelectItem(c.index)) << c.what;
    EXPECT_EQ(c.selAfter, button->GetCurSel()) << c.what;
    EXPECT_EQ(c.notes, f.log.lines) << c.what;
  }

  // An item picks itself on the release over it, not on the press.
  f.log.lines.clear();
  items[0]->SetPos(10, 40, 110, 62);
  Send(items[0], UIEVENT_BUTTONDOWN, 20, 50);
  EXPECT_TRUE(f.log.lines.empty());
  Send(items[0], UIEVENT_BUTTONUP, 20, 50);
  EXPECT_EQ((std::vector<std::string>{"8:70", "10:7"}), f.log.lines);
  f.log.lines.clear();
  Send(items[0], UIEVENT_BUTTONUP, 300, 50);
  EXPECT_TRUE(f.log.lines.empty());
}

TEST(MenuButton, ClassFlagsAndItemLook) {
  CControlsFixture f;
  auto* button = f.Add(new CUIMenuButton(), 7, MakeUIRect(10, 10, 110, 40));
  CUISubMenu* item = button->AddItem(L"open");
  EXPECT_STREQ(L"MenuButtonUI", button->GetClass());
  EXPECT_STREQ(L"ListMenuLabelElementUI", item->GetClass());
  EXPECT_EQ(unsigned(UIFLAG_TABSTOP | UIFLAG_SETCURSOR), button->GetControlFlags());
  EXPECT_EQ(static_cast<IUIListOwner*>(button), button->GetInterface(L"ListOwner"));
  EXPECT_EQ(14 + 8, item->GetDesiredSize(UISize()).cy);

  item->SetPos(0, 0, 100, 22);
  CRecordingPainter plain;
  item->Paint(plain, MakeUIRect(0, 0, 400, 400));
  EXPECT_TRUE(plain.fills.empty());
  ASSERT_FALSE(plain.runs.empty());
  EXPECT_EQ(8, plain.runs.front().x);
  Send(item, UIEVENT_MOUSEENTER, 5, 5);
  CRecordingPainter hot;
  item->Paint(hot, MakeUIRect(0, 0, 400, 400));
  ASSERT_EQ(1u, hot.fills.size());
  EXPECT_EQ(CUIStyleTable::GetColor(20), hot.fills[0].color);
}

}  // namespace
}  // namespace vorlix
