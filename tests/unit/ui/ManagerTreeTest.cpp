// The manager's tree-side rules, run without a window.
#include <gtest/gtest.h>

#include <string>

#include "ui/core/CUIManager.h"
#include "unit/ui/UITestControls.h"

namespace vorlix {
namespace {

using test::CTestContainer;
using test::CTestControl;
using test::CTestListener;
using test::Journal;

TEST(UIManagerTree, NameLookupOnNamelessTreesReturnsNull) {
  // Sizes around the n + n/10 boundary: with fewer than ten controls every slot can be taken.
  for (int children : {0, 1, 8, 9, 10, 25}) {
    CUIManager manager;
    auto* root = new CTestContainer(nullptr, L"", MakeUIRect(0, 0, 10, 10));
    for (int i = 0; i < children; ++i) root->Add(new CTestControl(nullptr, L"", UIRect()));
    manager.AttachRoot(root);
    EXPECT_EQ(nullptr, manager.FindControlByName(L"ok")) << children;
    EXPECT_EQ(nullptr, manager.FindControlByName(L"")) << children;
    EXPECT_EQ(nullptr, manager.FindControlById(1000)) << children;
  }
}

TEST(UIManagerTree, NameLookupInAFullTableFindsEveryNameAndMissesOthers) {
  for (int children : {1, 5, 9, 40}) {
    CUIManager manager;
    auto* root = new CTestContainer(nullptr, L"root", UIRect());
    std::vector<CUIControl*> all;
    for (int i = 0; i < children; ++i) {
      CStdString name;
      name.Format(L"%d", 1000 + i);
      all.push_back(root->Add(new CTestControl(nullptr, name, UIRect())));
    }
    manager.AttachRoot(root);
    for (int i = 0; i < children; ++i) EXPECT_EQ(all[i], manager.FindControlById(1000 + i)) << children;
    EXPECT_EQ(root, manager.FindControlByName(L"root"));
    EXPECT_EQ(nullptr, manager.FindControlById(999));
    EXPECT_EQ(nullptr, manager.FindControlByName(L"Root"));  // case-sensitive
  }
}

TEST(UIManagerTree, NameIndexIsRebuiltAfterTheTreeChanges) {
  CUIManager manager;
  auto* root = new CTestContainer(nullptr, L"root", UIRect());
  manager.AttachRoot(root);
  EXPECT_EQ(nullptr, manager.FindControlByName(L"late"));
  auto* late = root->Add(new CTestControl(nullptr, L"late", UIRect()));  // InitControls empties the index
  EXPECT_EQ(late, manager.FindControlByName(L"late"));
  EXPECT_EQ(&manager, late->GetManager());
  EXPECT_EQ(root, late->GetParent());
}

TEST(UIManagerTree, SenderHearsItsNotificationBeforeListenersInOrder) {
  Journal j;
  CUIManager manager;
  CTestListener first(&j, "1");
  CTestListener second(&j, "2");
  EXPECT_TRUE(manager.AddNotifier(&first));
  EXPECT_TRUE(manager.AddNotifier(&second));
  EXPECT_FALSE(manager.AddNotifier(&first));  // once only
  auto* root = new CTestContainer(&j, L"root", UIRect());
  auto* button = root->Add(new CTestControl(&j, L"b", UIRect()));
  manager.AttachRoot(root);
  manager.SendNotify(button, UINOTIFY_CLICK, 5, 6);
  EXPECT_EQ((std::vector<std::string>{"own:b:0", "listener1:b:0=5", "listener2:b:0=5"}), j.lines);
  j.Clear();
  EXPECT_TRUE(manager.RemoveNotifier(&first));
  EXPECT_FALSE(manager.RemoveNotifier(&first));
  manager.SendNotify(button, UINOTIFY_MENU);
  EXPECT_EQ((std::vector<std::string>{"own:b:2", "listener2:b:2=0"}), j.lines);
}

TEST(UIManagerTree, FocusChangesNotifyOldThenNew) {
  Journal j;
  CUIManager manager;
  CTestListener listener(&j, "");
  manager.AddNotifier(&listener);
  auto* root = new CTestContainer(&j, L"root", UIRect());
  auto* a = root->Add(new CTestControl(&j, L"a", UIRect()));
  auto* b = root->Add(new CTestControl(&j, L"b", UIRect()));
  auto* hidden = root->Add(new CTestControl(&j, L"hidden", UIRect()));
  hidden->SetVisible(false);
  manager.AttachRoot(root);
  a->SetFocus();
  EXPECT_EQ(a, manager.GetFocus());
  EXPECT_TRUE(a->IsFocused());
  j.Clear();
  b->SetFocus();
  EXPECT_EQ((std::vector<std::string>{"killfocus:a<-b", "own:a:4", "listener:a:4=0", "setfocus:b", "own:b:3",
                                      "listener:b:3=0"}),
            j.lines);
  EXPECT_FALSE(a->IsFocused());
  j.Clear();
  manager.SetFocus(b);        // already focused
  manager.SetFocus(nullptr);  // ignored
  EXPECT_TRUE(j.lines.empty());
  // A control that cannot take the focus still takes it away from the old holder.
  hidden->SetFocus();
  EXPECT_EQ(nullptr, manager.GetFocus());
  EXPECT_EQ((std::vector<std::string>{"killfocus:b<-hidden", "own:b:4", "listener:b:4=0"}), j.lines);
  // Clearing tells the holder, without a successor.
  a->SetFocus();
  j.Clear();
  manager.ClearFocus();
  EXPECT_EQ(nullptr, manager.GetFocus());
  EXPECT_FALSE(a->IsFocused());
  EXPECT_EQ((std::vector<std::string>{"killfocus:a<--", "own:a:4", "listener:a:4=0"}), j.lines);
  j.Clear();
  manager.ClearFocus();
  EXPECT_TRUE(j.lines.empty());
  // A control of another tree never takes it.
  CUIManager other;
  auto* foreign = new CTestControl(&j, L"f", UIRect());
  other.AttachRoot(foreign);
  manager.SetFocus(foreign);
  EXPECT_EQ(nullptr, manager.GetFocus());
}

TEST(UIManagerTree, FindControlAtPicksTheTopmostDeepestOpaqueControl) {
  CUIManager manager;
  auto* root = new CTestContainer(nullptr, L"root", MakeUIRect(0, 0, 200, 200));
  auto* under = root->Add(new CTestControl(nullptr, L"under", MakeUIRect(0, 0, 100, 100)));
  auto* group = root->Add(new CTestContainer(nullptr, L"group", MakeUIRect(50, 50, 150, 150)));
  auto* inner = group->Add(new CTestControl(nullptr, L"inner", MakeUIRect(60, 60, 80, 80)));
  auto* glass = group->Add(new CTestControl(nullptr, L"glass", MakeUIRect(50, 50, 150, 150)));
  glass->SetMouseTransparent(true);
  auto* off = root->Add(new CTestControl(nullptr, L"off", MakeUIRect(0, 150, 40, 200)));
  off->SetEnabled(false);
  manager.AttachRoot(root);
  struct Case {
    int x, y;
    CUIControl* expected;
  } cases[] = {{10, 10, under}, {70, 70, inner}, {90, 90, group}, {55, 10, under},
               {10, 160, root}, {199, 199, root}, {200, 10, nullptr}, {-1, -1, nullptr}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, manager.FindControlAt(MakeUIPoint(c.x, c.y))) << c.x << "," << c.y;
  }
}

TEST(UIManagerTree, AltShortcutSearch) {
  struct Spec {
    const wchar_t* name;
    const wchar_t* cls;
    wchar_t shortcut;
  };
  struct Case {
    const char* what;
    std::vector<Spec> children;  // in insertion order; the search visits them last first
    wchar_t key;
    const wchar_t* expected;
  } cases[] = {
      {"plain match, case folded", {{L"a", L"ButtonUI", L'S'}, {L"b", L"ButtonUI", L'x'}}, L'X', L"b"},
      {"topmost of two", {{L"a", L"ButtonUI", L'S'}, {L"b", L"ButtonUI", L's'}}, L's', L"b"},
      {"label hands over to the next one found", {{L"edit", L"EditUI", 0}, {L"lbl", L"LabelPanelUI", L'n'}}, L'N', L"edit"},
      // The containing root is visited after its children, so it is the next control found.
      {"a label searched last hands over to its container", {{L"lbl", L"LabelPanelUI", L'n'}}, L'n', L"root"},
      {"a menu label cancels the hand-over",
       {{L"edit", L"EditUI", 0}, {L"menu", L"ListMenuLabelElementUI", 0}, {L"lbl", L"LabelPanelUI", L'n'}}, L'n', nullptr},
      {"no match", {{L"a", L"ButtonUI", L'q'}}, L'z', nullptr},
  };
  for (const Case& c : cases) {
    CUIManager manager;
    auto* root = new CTestContainer(nullptr, L"root", UIRect());
    for (const Spec& s : c.children) {
      auto* ctl = root->Add(new CTestControl(nullptr, s.name, UIRect()));
      ctl->m_sClass = s.cls;
      ctl->SetShortcut(s.shortcut);
    }
    manager.AttachRoot(root);
    CUIControl* found = manager.FindShortcut(c.key);
    if (c.expected == nullptr) {
      EXPECT_EQ(nullptr, found) << c.what;
    } else {
      ASSERT_NE(nullptr, found) << c.what;
      EXPECT_TRUE(found->GetName() == c.expected) << c.what;
    }
  }
}

TEST(UIManagerTree, DestroyedControlsLeaveNoDanglingReferences) {
  Journal j;
  CUIManager manager;
  auto* root = new CTestContainer(&j, L"root", UIRect());
  auto* a = root->Add(new CTestControl(&j, L"a", UIRect()));
  manager.AttachRoot(root);
  a->SetFocus();
  ASSERT_EQ(a, manager.GetFocus());
  root->m_children.clear();
  delete a;
  EXPECT_EQ(nullptr, manager.GetFocus());
  EXPECT_EQ(nullptr, manager.FindControlByName(L"a"));
}

TEST(UIManagerTree, AttachRootSchedulesTheOldTreeAndKeepsItAlive) {
  bool oldGone = false;
  {
    CUIManager manager;
    auto* first = new CTestContainer(nullptr, L"first", UIRect());
    first->m_pDestroyed = &oldGone;
    manager.AttachRoot(first);
    manager.AttachRoot(first);  // the same root again is not scheduled
    manager.AttachRoot(new CTestContainer(nullptr, L"second", UIRect()));
    EXPECT_FALSE(oldGone);  // without a window nothing delivers the deletion message
    EXPECT_EQ(nullptr, manager.FindControlByName(L"first"));
  }
  EXPECT_TRUE(oldGone);  // the manager's destructor cleans up what was pending
}

TEST(UIManagerTree, TimersNeedAWindow) {
  CUIManager manager;
  auto* root = new CTestContainer(nullptr, L"root", UIRect());
  manager.AttachRoot(root);
  EXPECT_FALSE(root->SetTimer(1, 10));
  EXPECT_FALSE(root->KillTimer(1));
}

TEST(UIManagerTree, Defaults) {
  CUIManager manager;
  EXPECT_EQ(-1, manager.GetMousePos().x);
  EXPECT_EQ(-1, manager.GetMousePos().y);
  EXPECT_EQ(140, manager.GetMinMaxInfo().cx);
  EXPECT_EQ(200, manager.GetMinMaxInfo().cy);
  EXPECT_FALSE(manager.GetShowAccelerators());
  manager.SetMinMaxInfo(300, 400);
  EXPECT_EQ(400, manager.GetMinMaxInfo().cy);
}

}  // namespace
}  // namespace vorlix
