// The skinned dialog in real windows: its tree, the add-control operations, what happens to keys,
// the thread loop's filters, the modal run, the window shape and the layer that follows a disabled
// dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostsTestSupport.h"
#include "ui/controls/CUIVScrollBar.h"
#include "ui/extra/CUIEdit.h"
#include "ui/extra/CUILabelLine.h"
#include "ui/extra/CUIList.h"
#include "ui/extra/CUIMenuButton.h"
#include "ui/extra/CUIPageSheet.h"
#include "ui/extra/CUISliderctrl.h"
#include "ui/hosts/CSkinDialog.h"
#include "ui/layout/CUIGroup.h"

namespace vorlix {
namespace {

using test::Key;
using test::Pump;
using test::PumpUntil;

// A focusable control that records the key events it gets.
class CKeyProbe : public CUIControl {
 public:
  std::vector<int> keyDowns;
  const wchar_t* GetClass() const override { return L"KeyProbeUI"; }
  unsigned GetControlFlags() const override { return UIFLAG_TABSTOP; }
  UISize GetDesiredSize(UISize) override { return UISize{}; }
  void Paint(IUIPainter&, const UIRect&) override {}
  void Event(UIEvent& e) override {
    if (e.Type == UIEVENT_KEYDOWN) keyDowns.push_back(static_cast<int>(e.wParam));
    CUIControl::Event(e);
  }
};

class CTestDialog : public CSkinDialog {
 public:
  CTestDialog() : CSkinDialog(IDD_EMPTY_203) {}
  int filterCalls = 0;
  int layerTimerTicks = 0;
  int clicks = 0;
  bool rootAtBuild = false;
  BOOL OnInitDialog() override {
    CSkinDialog::OnInitDialog();
    SetWindowPos(m_hWnd, nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    BuildUI();
    return TRUE;
  }
  void BuildUI() override { rootAtBuild = GetRoot() != nullptr && GetRoot()->GetManager() == &GetManager(); }
  BOOL PreTranslateMessage(MSG*) override {
    ++filterCalls;
    return FALSE;
  }
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override {
    if (uMsg == WM_TIMER && wParam == kLayerRetryTimer) ++layerTimerTicks;
    return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
  }
  void Notify(const UINotification& msg) override {
    if (msg.Type == UINOTIFY_CLICK && msg.pSender != nullptr && msg.pSender->GetId() == 1001) {
      ++clicks;
      Close(42);
    }
  }
};

class SkinDialog : public ::testing::Test {
 protected:
  void SetUp() override { test::ApplyProductSkin(); }
};

TEST_F(SkinDialog, InitBuildsTheTreeAndAddOperationsPlaceNamedControls) {
  CTestDialog dlg;
  EXPECT_EQ(dlg.GetControl(1001), nullptr);  // before the window exists
  RECT rc = {10, 10, 96, 40};
  EXPECT_EQ(dlg.AddButton(1001, rc, L"x"), nullptr);
  ASSERT_NE(dlg.Create(nullptr), nullptr);
  EXPECT_TRUE(dlg.rootAtBuild);
  ASSERT_NE(dlg.GetRoot(), nullptr);
  EXPECT_STREQ(dlg.GetRoot()->GetClass(), L"DialogLayoutUI");

  CUIButton* ok = dlg.AddButton(1001, rc, L"确定");
  RECT rcLabel = {10, 50, 200, 70};
  CUILabel* label = dlg.AddLabel(1002, rcLabel, L"标签", true);  // no groups: the root
  RECT rcCombo = {10, 80, 200, 104};
  CUIComboBox* combo = dlg.AddCombo(1003, rcCombo);
  RECT rcBar = {10, 110, 200, 120};
  CUIProgressBar* bar = dlg.AddProgress(1004, rcBar);
  ASSERT_NE(ok, nullptr);
  ASSERT_NE(label, nullptr);
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(ok->GetName(), CStdString(L"1001"));
  EXPECT_EQ(ok->GetText(), CStdString(L"确定"));
  EXPECT_EQ(ok->GetPos(), MakeUIRect(10, 10, 96, 40));
  EXPECT_EQ(label->GetParent(), dlg.GetRoot());
  EXPECT_EQ(combo->GetText(), CStdString(L""));  // no text given: none set
  EXPECT_EQ(dlg.GetControl(1001), ok);
  EXPECT_EQ(dlg.GetControl(1004), bar);
  EXPECT_EQ(dlg.GetControl(1999), nullptr);
  EXPECT_EQ(dlg.GetRoot()->GetCount(), 4);

  UINativeEditRecord record;
  record.id = 1010;
  record.rc = RECT{10, 130, 200, 160};
  record.placeholder = L"请输入手机号";
  record.paddingX = 5;
  record.paddingY = 4;
  CUINEdit* edit = dlg.AddNativeEdit(record);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(dlg.FindNativeEdit(1010), edit);
  EXPECT_EQ(dlg.FindNativeEdit(1011), nullptr);
  EXPECT_EQ(GetParent(edit->GetHWND()), dlg.GetHWND());
  RECT er;
  GetWindowRect(edit->GetHWND(), &er);
  MapWindowPoints(nullptr, dlg.GetHWND(), reinterpret_cast<POINT*>(&er), 2);
  EXPECT_EQ(er.left, 15);
  EXPECT_EQ(er.top, 134);
  EXPECT_EQ(er.right, 195);
  EXPECT_EQ(er.bottom, 156);
  EXPECT_EQ(dlg.GetRoot()->GetCount(), 5);  // the placeholder label joined the tree
  EXPECT_EQ(GetWindowLongW(edit->GetHWND(), GWL_STYLE) & ES_MULTILINE, 0);
}

TEST_F(SkinDialog, GroupsTakeControlsAddedIntoThemAndTheOtherClassesGoWhereTheySay) {
  CTestDialog dlg;
  ASSERT_NE(dlg.Create(nullptr), nullptr);
  CUIGroup* group = dlg.AddGroup(1100, RECT{100, 20, 280, 180}, L"分组");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetParent(), dlg.GetRoot());
  struct Case {
    CUIControl* control;
    const wchar_t* cls;
    CUIControl* parent;
  };
  const RECT inside = {110, 50, 200, 70};
  const RECT across = {50, 50, 200, 70};
  const Case cases[] = {
      {dlg.AddButton(1101, inside, L"a", true), L"ButtonUI", group},
      {dlg.AddButton(1102, inside, L"b", false), L"ButtonUI", dlg.GetRoot()},  // not asked for
      {dlg.AddLabel(1103, across, L"c", true), L"LabelPanelUI", dlg.GetRoot()},  // not contained
      {dlg.AddEdit(1104, inside, L"d", true), L"EditUI", group},
      {dlg.AddLabelLine(1105, inside, true), L"LabelLinelUI", group},
      {dlg.AddList(1106, inside, true), L"ListUI", group},
      {dlg.AddSlider(1107, inside, true), L"SliderCtrlUI", group},
      {dlg.AddVScrollBar(1108, inside, true), L"SliderCtrlUI", group},
      {dlg.AddMenuButton(1109, inside, L"菜单"), L"MenuButtonUI", dlg.GetRoot()},
      {dlg.AddTabFolder(1110, inside), L"TabFolderUI", dlg.GetRoot()},
      {dlg.AddGroup(1111, inside, L"内"), L"GroupUI", dlg.GetRoot()},  // groups never nest
  };
  int id = 1101;
  for (const Case& c : cases) {
    ASSERT_NE(c.control, nullptr) << id;
    EXPECT_STREQ(c.control->GetClass(), c.cls) << id;
    EXPECT_EQ(c.control->GetParent(), c.parent) << id;
    EXPECT_EQ(c.control->GetName(), CStdString(std::to_wstring(id).c_str()));
    EXPECT_EQ(dlg.GetControl(id), c.control) << id;
    ++id;
  }
  // The first group containing the rectangle wins, in the order the groups were added.
  EXPECT_EQ(dlg.AddButton(1120, RECT{120, 60, 130, 70}, L"e", true)->GetParent(), group);
}

TEST_F(SkinDialog, ArrowKeysNeverReachTheFocusedControl) {
  CTestDialog dlg;
  ASSERT_NE(dlg.Create(nullptr), nullptr);
  auto* probe = new CKeyProbe;
  probe->SetPos(10, 10, 100, 40);
  ASSERT_TRUE(dlg.GetRoot()->Add(probe));
  dlg.ShowWindow();
  SetForegroundWindow(dlg.GetHWND());
  ::SetFocus(dlg.GetHWND());
  Pump();
  dlg.GetManager().SetFocus(probe);
  ASSERT_EQ(dlg.GetManager().GetFocus(), probe);
  ASSERT_EQ(GetFocus(), dlg.GetHWND());

  for (int vk : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, int('A'), VK_DOWN, VK_HOME}) Key(static_cast<WORD>(vk));
  PumpUntil([&] { return probe->keyDowns.size() >= 2; }, 1500);
  Pump(100);
  EXPECT_EQ(probe->keyDowns, (std::vector<int>{'A', VK_HOME}));
}

TEST_F(SkinDialog, FilterAndIdleHandlerFollowTheWindow) {
  CMessageLoop loop;
  ASSERT_TRUE(Module().AddMessageLoop(&loop));
  {
    CTestDialog dlg;
    ASSERT_NE(dlg.Create(nullptr), nullptr);
    MSG msg = {};
    msg.message = WM_NULL;
    EXPECT_FALSE(loop.PreTranslateMessage(&msg));
    EXPECT_EQ(dlg.filterCalls, 1);
    DestroyWindow(dlg.GetHWND());
    EXPECT_EQ(dlg.GetHWND(), nullptr);
    loop.PreTranslateMessage(&msg);
    EXPECT_EQ(dlg.filterCalls, 1);  // gone with its window
  }
  Module().RemoveMessageLoop();
}

// Drives a modal dialog from a thread timer inside its loop.
struct ModalDriver {
  CTestDialog* dlg = nullptr;
  HWND owner = nullptr;
  bool ownerDisabled = false;
  enum { Click, CloseMessage } action = Click;
};
ModalDriver g_driver;

void CALLBACK DriveModal(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_driver.ownerDisabled = !IsWindowEnabled(g_driver.owner);
  HWND hWnd = g_driver.dlg->GetHWND();
  if (g_driver.action == ModalDriver::CloseMessage) {
    PostMessageW(hWnd, WM_CLOSE, 0, 0);
  } else {
    test::ClickAt(test::ClientPointToScreen(hWnd, 40, 20));
  }
}

TEST_F(SkinDialog, DoModalEndsWithTheResultOfClose) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr,
                               nullptr, nullptr);
  // The button's Click closes with 42; a close request ends it as cancelled.
  const std::pair<bool, INT_PTR> cases[] = {{true, 42}, {false, IDCANCEL}};
  for (const auto& c : cases) {
    // The button is added once the window exists, the way screens do in BuildUI.
    struct CClickDialog : CTestDialog {
      void BuildUI() override {
        CTestDialog::BuildUI();
        RECT rc = {10, 10, 96, 40};
        AddButton(1001, rc, L"确定");
      }
    } dlg;
    g_driver = ModalDriver();
    g_driver.dlg = &dlg;
    g_driver.owner = owner;
    g_driver.action = c.first ? ModalDriver::Click : ModalDriver::CloseMessage;
    SetTimer(nullptr, 0, 200, &DriveModal);
    EXPECT_EQ(dlg.DoModal(owner), c.second);
    // No thread loop runs here: only the modal run itself can have offered them.
    EXPECT_GT(dlg.filterCalls, 0) << "the dialog's own filter sees the messages of its modal run";
    EXPECT_TRUE(g_driver.ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dlg.GetHWND(), nullptr);
    EXPECT_FALSE(dlg.IsModal());
  }
  DestroyWindow(owner);
}

TEST_F(SkinDialog, WindowShapeNeedsFivePoints) {
  CTestDialog dlg;
  ASSERT_NE(dlg.Create(nullptr), nullptr);
  dlg.SetLayerAlpha(0);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  dlg.SetWindowShape({POINT{0, 0}}, {POINT{0, 0}}, {POINT{0, 0}}, {POINT{0, 0}});
  EXPECT_EQ(GetWindowRgn(dlg.GetHWND(), probe), ERROR);  // four points: untouched
  EXPECT_EQ(dlg.GetLayerWindow(), nullptr);
  // A cut top-left corner: five points.
  dlg.SetWindowShape({POINT{0, 10}, POINT{10, 0}}, {POINT{0, 0}}, {POINT{0, 0}}, {POINT{0, 0}});
  ASSERT_NE(GetWindowRgn(dlg.GetHWND(), probe), ERROR);
  EXPECT_FALSE(PtInRegion(probe, 2, 2));
  EXPECT_TRUE(PtInRegion(probe, 150, 100));
  RECT box;
  GetRgnBox(probe, &box);
  EXPECT_EQ(box.right, 300);
  EXPECT_EQ(box.bottom, 200);
  EXPECT_EQ(dlg.GetLayerWindow(), nullptr);  // alpha 0: no layer
  DeleteObject(probe);
}

TEST_F(SkinDialog, DisabledForegroundDialogRetriesTheLayerUntilSomethingElseIsInFront) {
  CTestDialog dlg;
  ASSERT_NE(dlg.Create(nullptr), nullptr);
  dlg.SetRoundCorners(10);
  HWND layer = dlg.GetLayerWindow();
  ASSERT_NE(layer, nullptr);
  wchar_t cls[32] = {};
  GetClassNameW(layer, cls, 32);
  EXPECT_STREQ(cls, L"LayerWnd");
  EXPECT_NE(GetWindowLongW(layer, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_FALSE(IsWindowEnabled(layer));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(layer, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 80);
  EXPECT_FALSE(IsWindowVisible(layer));

  dlg.ShowWindow();
  SetForegroundWindow(dlg.GetHWND());
  Pump();
  ASSERT_EQ(GetForegroundWindow(), dlg.GetHWND());
  EnableWindow(dlg.GetHWND(), FALSE);
  EXPECT_TRUE(dlg.IsLayerPending());
  PumpUntil([&] { return dlg.layerTimerTicks >= 3; }, 1000);
  EXPECT_GE(dlg.layerTimerTicks, 3);  // every 10 ms while it stays in front
  EXPECT_TRUE(dlg.IsLayerPending());
  EXPECT_FALSE(IsWindowVisible(layer));

  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 500, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  SetForegroundWindow(other);
  PumpUntil([&] { return !dlg.IsLayerPending(); }, 1000);
  EXPECT_FALSE(dlg.IsLayerPending());
  EXPECT_TRUE(IsWindowVisible(layer));
  RECT rd, rl;
  GetWindowRect(dlg.GetHWND(), &rd);
  GetWindowRect(layer, &rl);
  EXPECT_TRUE(EqualRect(&rd, &rl));
  EXPECT_EQ(GetWindow(dlg.GetHWND(), GW_HWNDNEXT), layer);  // directly behind the dialog
  EXPECT_EQ(GetForegroundWindow(), other);

  // Once nothing is pending the retry timer stops.
  int ticks = dlg.layerTimerTicks;
  Pump(100);
  EXPECT_LE(dlg.layerTimerTicks - ticks, 1);

  EnableWindow(dlg.GetHWND(), TRUE);
  EXPECT_FALSE(IsWindowVisible(layer));
  DestroyWindow(other);
  DestroyWindow(dlg.GetHWND());
  EXPECT_FALSE(IsWindow(layer));
}

struct LayerProbe {
  HWND layer = nullptr;
  bool visibleUnderBox = false;
};
LayerProbe g_layer;

void CALLBACK LookAndAnswer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_layer.visibleUnderBox = IsWindowVisible(g_layer.layer) != FALSE;
  test::Key(VK_RETURN);
}

TEST_F(SkinDialog, AMessageBoxOverTheDialogBringsUpItsLayer) {
  CTestDialog dlg;
  ASSERT_NE(dlg.Create(nullptr), nullptr);
  dlg.SetRoundCorners(8);
  dlg.ShowWindow();
  SetForegroundWindow(dlg.GetHWND());
  Pump();
  g_layer = LayerProbe();
  g_layer.layer = dlg.GetLayerWindow();
  ASSERT_NE(g_layer.layer, nullptr);
  SetTimer(nullptr, 0, 300, &LookAndAnswer);
  EXPECT_EQ(dlg.MessageBox(L"确定要退出吗？", nullptr, MB_OKCANCEL), IDOK);
  EXPECT_TRUE(g_layer.visibleUnderBox);
  EXPECT_FALSE(IsWindowVisible(g_layer.layer));  // enabled again: hidden
  EXPECT_TRUE(IsWindowEnabled(dlg.GetHWND()));
}

}  // namespace
}  // namespace vorlix
