#include <gtest/gtest.h>

#include "ui/controls/CUIComboBox.h"
#include "ui/controls/CUIComboDropDown.h"
#include "ui/controls/CUIListLabelElement.h"
#include "ui/controls/CUIVScrollBar.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::Send;

// A windowless drop-down over the portable rules: its own headless manager, closed by the test.
class CHeadlessPopup : public IUIComboPopup {
 public:
  static CHeadlessPopup* s_open;
  static UIRect s_rc;
  CUIManager manager;
  CUIComboDropDown dropDown;

  CHeadlessPopup(CUIComboBox& combo, const UIRect& rc) : dropDown(combo) {
    CUIControl* root = dropDown.BuildTree();
    manager.AttachRoot(root);
    dropDown.Attach(manager);
    root->SetPos(0, 0, rc.GetWidth(), rc.GetHeight());
    dropDown.OnFirstLayout();
  }
  static IUIComboPopup* Open(CUIComboBox& combo, const UIRect& rc) {
    s_rc = rc;
    s_open = new CHeadlessPopup(combo, rc);
    return s_open;
  }
  void Close() override {
    dropDown.ReturnItems();
    s_open = nullptr;
    dropDown.Finish();
    delete this;
  }
  void Abandon() override {
    dropDown.Abandon();
    s_open = nullptr;
    delete this;
  }
  void Key(wchar_t key) {
    if (dropDown.OnKeyDown(key)) Close();
  }
};
CHeadlessPopup* CHeadlessPopup::s_open = nullptr;
UIRect CHeadlessPopup::s_rc;

struct ComboFixture {
  CControlsFixture f;
  CUIComboBox* combo;
  explicit ComboFixture(std::initializer_list<const wchar_t*> texts) {
    RegisterStandardControls();
    CUIComboBox::SetPopupFactory(&CHeadlessPopup::Open);
    combo = f.Add(new CUIComboBox(), 12, MakeUIRect(10, 20, 110, 44));
    int i = 0;
    for (const wchar_t* t : texts) combo->AddItem(i++, t);
  }
  ~ComboFixture() {
    if (CHeadlessPopup::s_open != nullptr) CHeadlessPopup::s_open->Close();
    CUIComboBox::SetPopupFactory(nullptr);
  }
  CUIControl* Item(int i) { return combo->GetItem(i); }
};

TEST(ComboBox, AddItemIdsNamesAndEmptyItemsDisabled) {
  ComboFixture c({L"a", L"", L"c"});
  ASSERT_EQ(3, c.combo->GetCount());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i + 120, c.Item(i)->GetId());
    EXPECT_STREQ(std::to_wstring(i + 120).c_str(), c.Item(i)->GetName().GetData());
    auto* item = static_cast<IListItemUI*>(c.Item(i)->GetInterface(L"ListItem"));
    EXPECT_EQ(i, item->GetIndex());
    EXPECT_EQ(static_cast<IUIListOwner*>(c.combo), item->GetOwner());
  }
  EXPECT_FALSE(c.Item(1)->IsEnabled());
  EXPECT_FALSE(c.combo->SelectItem(1));
  EXPECT_EQ(-1, c.combo->GetCurSel());
  EXPECT_EQ(c.f.manager.FindControlByName(L"122"), c.Item(2));
}

TEST(ComboBox, SelectItemRules) {
  struct Case {
    int first;   // selected before (-1 none)
    int index;   // asked for
    bool result;
    int curSel;  // afterwards
  } cases[] = {
      {0, 0, true, 0},     // same index
      {0, 2, true, 2},
      {0, 9, true, 3},     // clamped to the last
      {0, -5, true, 0},    // clamped to the first
      {2, 1, false, -1},   // disabled: nothing stays selected
      {-1, 3, true, 3},
  };
  for (const Case& k : cases) {
    ComboFixture c({L"a", L"", L"c", L"d"});
    if (k.first >= 0) {
      ASSERT_TRUE(c.combo->SelectItem(k.first));
    }
    EXPECT_EQ(k.result, c.combo->SelectItem(k.index)) << k.first << "->" << k.index;
    EXPECT_EQ(k.curSel, c.combo->GetCurSel()) << k.first << "->" << k.index;
    for (int i = 0; i < 4; ++i) {
      auto* item = static_cast<IListItemUI*>(c.Item(i)->GetInterface(L"ListItem"));
      EXPECT_EQ(i == k.curSel, item->IsSelected()) << i;
    }
    EXPECT_STREQ(k.curSel >= 0 ? c.combo->GetItemText(k.curSel).GetData() : L"", c.combo->GetText().GetData());
  }
  ComboFixture empty({});
  EXPECT_FALSE(empty.combo->SelectItem(0));
}

TEST(ComboBox, KeysUpDownSkipDisabledAndF4Opens) {
  ComboFixture c({L"a", L"", L"c"});
  auto key = [&](wchar_t k) {
    UIEvent e;
    e.Type = UIEVENT_KEYDOWN;
    e.chKey = k;
    c.combo->Event(e);
  };
  key(0x28);
  EXPECT_EQ(0, c.combo->GetCurSel());
  key(0x28);
  EXPECT_EQ(2, c.combo->GetCurSel());
  key(0x28);
  EXPECT_EQ(2, c.combo->GetCurSel());
  key(0x26);
  EXPECT_EQ(0, c.combo->GetCurSel());
  EXPECT_FALSE(c.combo->IsDroppedDown());
  key(0x73);
  EXPECT_TRUE(c.combo->IsDroppedDown());
  EXPECT_EQ(1, c.f.log.Count(UINOTIFY_DROPDOWN, 12));
}

TEST(ComboBox, OpeningSizesTheDropDownAndRefusesChanges) {
  struct Case {
    int items;
    int height;
    bool scrolls;
  } cases[] = {
      {3, 3 * 16 + 6, false},  // rows of font 1 + 2, plus the canvas inset
      {9, 9 * 16 + 6, false},  // 150 exactly
      {10, 150, true},
  };
  for (const Case& k : cases) {
    ComboFixture c({});
    for (int i = 0; i < k.items; ++i) c.combo->AddItem(i, L"x");
    Send(c.combo, UIEVENT_BUTTONDOWN, 20, 30);
    ASSERT_TRUE(c.combo->IsDroppedDown());
    EXPECT_EQ(MakeUIRect(10, 44, 110, 44 + k.height), CHeadlessPopup::s_rc) << k.items;
    EXPECT_EQ(k.scrolls, c.combo->IsDropDownScrolling());
    EXPECT_EQ(1, c.f.log.Count(UINOTIFY_CLICK, 12));
    EXPECT_EQ(k.scrolls, CHeadlessPopup::s_open->dropDown.GetList()->GetScrollBar() != nullptr);
    // While open the item list is fixed.
    const int count = c.combo->GetCount();
    auto* late = new CUIListLabelElement();
    EXPECT_FALSE(c.combo->Add(late));
    delete late;
    EXPECT_EQ(nullptr, c.combo->AddItem(50, L"late"));
    c.combo->RemoveAll();
    EXPECT_EQ(count, c.combo->GetCount());
    // Pressing again does not open a second one.
    Send(c.combo, UIEVENT_BUTTONDOWN, 20, 30);
    EXPECT_EQ(1, c.f.log.Count(UINOTIFY_DROPDOWN, 12));
  }
}

TEST(ComboBox, ShortItemsAreRaisedToTheMinimumHeight) {
  ComboFixture c({L"a", L"b"});
  static_cast<CUIListLabelElement*>(c.Item(0))->SetFixedHeight(4);
  c.combo->SetDropDownSize(200, 0);
  c.combo->Activate();
  EXPECT_EQ(MakeUIRect(10, 44, 210, 44 + 10 + 16 + 6), CHeadlessPopup::s_rc);
  EXPECT_EQ(10, static_cast<CUIListLabelElement*>(c.Item(0))->GetFixedHeight());
}

TEST(ComboBox, ClosingReportsTheSelectionAndEscapeRestoresIt) {
  struct Case {
    int before;        // selection when it opens
    wchar_t key;       // what closes it (0: a click on an item)
    int after;
    bool notifies;     // ItemSelect + SelectChanged
  } cases[] = {
      {0, 0x1B, 0, true},   // Escape after moving down: back to the first, still reported
      {-1, 0x1B, -1, false},
      {0, 0x0D, 2, true},   // Enter keeps the move
      {0, 0, 3, true},      // an item pressed and released
  };
  for (const Case& k : cases) {
    ComboFixture c({L"a", L"", L"c", L"d"});
    if (k.before >= 0) c.combo->SelectItem(k.before);
    c.combo->Activate();
    CHeadlessPopup* popup = CHeadlessPopup::s_open;
    ASSERT_NE(nullptr, popup);
    // The items live in the drop-down's tree now.
    EXPECT_EQ(&popup->manager, c.Item(0)->GetManager());
    if (k.key != 0) {
      popup->Key(0x28);  // other keys reach the combo: Down
      if (k.before >= 0) {
        EXPECT_EQ(2, c.combo->GetCurSel());
      }
      EXPECT_EQ(c.Item(c.combo->GetCurSel()), popup->manager.GetFocus());
      popup->Key(k.key);
    } else {
      Send(c.Item(3), UIEVENT_BUTTONDOWN, 5, 5);
      EXPECT_TRUE(popup->dropDown.OnButtonUp(MakeUIPoint(5, 5), MakeUIRect(0, 0, 100, 70)));
      popup->Close();
    }
    EXPECT_FALSE(c.combo->IsDroppedDown());
    EXPECT_EQ(k.after, c.combo->GetCurSel()) << k.key;
    const int itemId = k.after >= 0 ? 120 + k.after : -1;
    EXPECT_EQ(k.notifies ? 1 : 0, c.f.log.Count(UINOTIFY_ITEMSELECT, itemId));
    EXPECT_EQ(k.notifies ? 1 : 0, c.f.log.Count(UINOTIFY_SELECTCHANGED, 12));
    if (k.notifies) {
      // ItemSelect comes before SelectChanged.
      EXPECT_EQ(std::to_string(UINOTIFY_SELECTCHANGED) + ":12", c.f.log.lines.back());
    }
    // Back in the combo's tree, and the combo has the focus.
    EXPECT_EQ(&c.f.manager, c.Item(0)->GetManager());
    EXPECT_EQ(c.combo, c.Item(0)->GetParent());
    EXPECT_EQ(c.combo, c.f.manager.GetFocus());
    EXPECT_EQ(0u, c.combo->GetState() & 0x10u);
  }
}

TEST(ComboBox, ReleaseOnTheScrollStripKeepsItOpenAndTheSelectionScrollsIntoView) {
  ComboFixture c({});
  for (int i = 0; i < 20; ++i) c.combo->AddItem(i, L"x");
  RegisterStandardControls();
  c.combo->SelectItem(15);
  c.combo->Activate();
  CHeadlessPopup* popup = CHeadlessPopup::s_open;
  CVerticalLayoutUI* list = popup->dropDown.GetList();
  ASSERT_NE(nullptr, list->GetScrollBar());
  const UIRect& rc = c.Item(15)->GetPos();
  EXPECT_LE(rc.bottom, list->GetPos().bottom);
  EXPECT_GE(rc.top, list->GetPos().top);
  EXPECT_GT(list->GetScrollPos(), 0);
  const UIRect client = MakeUIRect(0, 0, 100, 150);
  EXPECT_FALSE(popup->dropDown.OnButtonUp(MakeUIPoint(99, 50), client));
  EXPECT_TRUE(popup->dropDown.OnButtonUp(MakeUIPoint(50, 50), client));
  EXPECT_FALSE(popup->dropDown.OnButtonUp(MakeUIPoint(50, 160), client));
}

TEST(ComboBox, DestroyedWhileOpenTakesItsItemsBack) {
  auto* f = new CControlsFixture();
  CUIComboBox::SetPopupFactory(&CHeadlessPopup::Open);
  auto* combo = f->Add(new CUIComboBox(), 13, MakeUIRect(0, 0, 100, 24));
  combo->AddItem(0, L"a");
  combo->Activate();
  ASSERT_NE(nullptr, CHeadlessPopup::s_open);
  delete f;  // the tree, the combo and its items go; the popup with them
  EXPECT_EQ(nullptr, CHeadlessPopup::s_open);
  CUIComboBox::SetPopupFactory(nullptr);
}

}  // namespace
}  // namespace vorlix
