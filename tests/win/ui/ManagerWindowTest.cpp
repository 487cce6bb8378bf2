// The manager inside a real window under real window messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "unit/ui/UITestControls.h"
#include "win/ui/UIManagerHost.h"

namespace vorlix {
namespace {

using test::CManagerHost;
using test::CTestContainer;
using test::CTestControl;
using test::CTestListener;
using test::Journal;
using Lines = std::vector<std::string>;

constexpr UIColor kRed = UIRgb(220, 30, 30);
constexpr UIColor kGreen = UIRgb(30, 200, 60);
constexpr UIColor kBlue = UIRgb(40, 60, 230);
constexpr UIColor kGrey = UIRgb(200, 200, 200);

// Search order of this tree: root, n, c, b, a; tab stops c, b, a.
class ManagerWindow : public ::testing::Test {
 public:
  void SetUp() override {
    host = std::make_unique<CManagerHost>(60, 80, 400, 300);
    root = new CTestContainer(&j, L"root", UIRect(), 0, kGrey);
    a = root->Add(new CTestControl(&j, L"a", MakeUIRect(10, 10, 110, 40), UIFLAG_TABSTOP | UIFLAG_SETCURSOR, kRed));
    b = root->Add(new CTestControl(&j, L"b", MakeUIRect(10, 50, 110, 80), UIFLAG_TABSTOP, kGreen));
    c = root->Add(new CTestControl(&j, L"c", MakeUIRect(10, 90, 110, 120), UIFLAG_TABSTOP, kBlue));
    n = root->Add(new CTestControl(&j, L"n", MakeUIRect(200, 10, 300, 40), 0, kRed));
    for (CTestControl* leaf : {a, b, c, n}) leaf->m_bHandlesAll = true;  // like real controls, keep input
    a->SetToolTip(L"tip A");
    a->SetText(L"A");
    host->m_manager.AddNotifier(&listener);
    host->m_manager.AttachRoot(root);
    UpdateWindow(host->m_hWnd);
    j.Clear();
  }
  void TearDown() override { host.reset(); }

  CUIManager& M() { return host->m_manager; }
  void PostKey(UINT msg, WPARAM key) { PostMessageW(host->m_hWnd, msg, key, 1); }
  void Pump() { CManagerHost::Pump(60); }

  Journal j;
  CTestListener listener{&j, ""};
  std::unique_ptr<CManagerHost> host;
  CTestContainer* root = nullptr;
  CTestControl* a = nullptr;
  CTestControl* b = nullptr;
  CTestControl* c = nullptr;
  CTestControl* n = nullptr;
};

COLORREF PixelOf(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return color;
}

// Saves the client area as a 24-bit BMP next to the test, as evidence of what the window showed.
void SaveClientBitmap(HWND hwnd, const char* path) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  int w = rc.right;
  int h = rc.bottom;
  HDC dc = GetDC(hwnd);
  HDC mem = CreateCompatibleDC(dc);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, dc, 0, 0, SRCCOPY);
  GdiFlush();
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
  if (FILE* f = std::fopen(path, "wb")) {
    std::fwrite(&fh, sizeof(fh), 1, f);
    std::fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f);
    std::fwrite(bits, static_cast<std::size_t>(stride), static_cast<std::size_t>(h), f);
    std::fclose(f);
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(hwnd, dc);
}

TEST_F(ManagerWindow, FirstPaintLaysOutNotifiesWindowInitOnceAndDrawsTheTree) {
  EXPECT_EQ(MakeUIRect(0, 0, 400, 300), root->GetPos());
  EXPECT_FALSE(M().IsUpdateNeeded());
  // The first paint also placed the focus on the first tab stop in search order.
  EXPECT_EQ(c, M().GetFocus());
  // WindowInit came once; a later layout does not repeat it.
  M().NeedUpdate();
  UpdateWindow(host->m_hWnd);
  EXPECT_TRUE(j.Only({"listener:root:16"}).empty());
  struct Probe {
    int x, y;
    UIColor color;
  } probes[] = {{15, 15, kRed}, {60, 65, kGreen}, {60, 105, kBlue}, {300, 200, kGrey}, {250, 30, kRed}};
  for (const Probe& p : probes) EXPECT_EQ(p.color, PixelOf(host->m_hWnd, p.x, p.y)) << p.x << "," << p.y;
  SaveClientBitmap(host->m_hWnd, "ui_manager_paint.bmp");
}

TEST(ManagerWindowInit, WindowInitComesOnceAfterTheFirstLayout) {
  Journal j;
  CTestListener listener(&j, "");
  CManagerHost host(60, 80, 200, 150);
  host.m_manager.AddNotifier(&listener);
  host.m_manager.AttachRoot(new CTestContainer(&j, L"root", UIRect()));
  EXPECT_TRUE(j.Only({"listener:root:16"}).empty());
  UpdateWindow(host.m_hWnd);
  InvalidateRect(host.m_hWnd, nullptr, FALSE);
  host.m_manager.NeedUpdate();
  UpdateWindow(host.m_hWnd);
  EXPECT_EQ((Lines{"own:root:16", "listener:root:16=0"}), j.Only({"own:root:16", "listener:root:16"}));
}

TEST_F(ManagerWindow, HoverEnterAndLeaveInOrder) {
  host->Mouse(WM_MOUSEMOVE, 20, 20);
  host->Mouse(WM_MOUSEMOVE, 30, 20);
  host->Mouse(WM_MOUSEMOVE, 20, 60);
  host->Mouse(WM_MOUSEMOVE, 300, 250);
  EXPECT_EQ((Lines{"enter:a<--", "move:a@20,20", "move:a@30,20", "leave:a<-b", "enter:b<-a",
                   "move:b@20,60", "leave:b<-root", "enter:root<-b", "move:root@300,250"}),
            j.Only({"enter", "leave", "move"}));
  EXPECT_EQ(root, M().GetHover());
  EXPECT_EQ(300, M().GetMousePos().x);
}

TEST_F(ManagerWindow, CaptureKeepsMouseEventsAndButtonUpOutside) {
  host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_EQ(host->m_hWnd, GetCapture());
  EXPECT_EQ(a, M().GetCapture());
  EXPECT_EQ(a, M().GetFocus());
  host->Mouse(WM_MOUSEMOVE, 20, 60, MK_LBUTTON);  // over b, still to a
  host->Mouse(WM_LBUTTONUP, 500, -20);            // released outside the window
  EXPECT_EQ(nullptr, GetCapture());
  EXPECT_EQ(nullptr, M().GetCapture());
  EXPECT_EQ((Lines{"down:a@20,20", "move:a@20,60", "up:a@500,-20"}), j.Only({"down", "move", "up"}));
  EXPECT_TRUE(j.Only({"activate"}).empty());  // released outside: no click
  j.Clear();
  host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  host->Mouse(WM_LBUTTONUP, 21, 21);
  EXPECT_EQ((Lines{"activate:a", "own:a:0", "listener:a:0=0"}), j.Only({"activate", "own:a:0", "listener:a:0"}));
}

TEST_F(ManagerWindow, PressOnTheRootNeitherCapturesNorFocuses) {
  host->Mouse(WM_LBUTTONDOWN, 300, 250, MK_LBUTTON);
  EXPECT_EQ(nullptr, M().GetCapture());
  EXPECT_EQ(c, M().GetFocus());
  EXPECT_TRUE(j.Only({"down"}).empty());
}

TEST_F(ManagerWindow, ClickMovesFocusWithNotifications) {
  host->Mouse(WM_LBUTTONDOWN, 20, 60, MK_LBUTTON);
  host->Mouse(WM_LBUTTONUP, 20, 60);
  EXPECT_EQ(b, M().GetFocus());
  EXPECT_EQ((Lines{"killfocus:c<-b", "own:c:4", "listener:c:4=0", "setfocus:b", "own:b:3", "listener:b:3=0",
                   "down:b@20,60"}),
            j.Only({"killfocus", "setfocus", "own:c:4", "listener:c:4", "own:b:3", "listener:b:3", "down"}));
  EXPECT_TRUE(b->IsFocused());
  EXPECT_FALSE(c->IsFocused());
}

TEST_F(ManagerWindow, TabMovesOnKeyUpForwardAndWithShiftBackward) {
  ASSERT_EQ(c, M().GetFocus());
  PostKey(WM_KEYDOWN, VK_TAB);
  Pump();
  EXPECT_EQ(c, M().GetFocus()) << "Tab acts on key-up only";
  EXPECT_EQ((Lines{"keydown:c=9"}), j.Only({"keydown"}));
  struct Step {
    bool shift;
    CUIControl* expected;
  } steps[] = {{false, b}, {false, a}, {false, c}, {true, a}, {true, b}, {true, c}, {true, a}};
  BYTE keys[256];
  for (const Step& s : steps) {
    GetKeyboardState(keys);
    keys[VK_SHIFT] = s.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostKey(WM_KEYUP, VK_TAB);
    Pump();
    EXPECT_EQ(s.expected, M().GetFocus()) << test::Label(s.expected);
  }
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(M().GetShowAccelerators());
  EXPECT_TRUE(j.Only({"keyup"}).empty()) << "the Tab key-up is consumed";
}

TEST_F(ManagerWindow, TabSkipsHiddenAndDisabledControls) {
  b->SetEnabled(false);
  PostKey(WM_KEYUP, VK_TAB);
  Pump();
  EXPECT_EQ(a, M().GetFocus());
  c->SetVisible(false);
  PostKey(WM_KEYUP, VK_TAB);
  Pump();
  EXPECT_EQ(a, M().GetFocus()) << "the only tab stop left";
}

TEST_F(ManagerWindow, EnterPressesOkUnlessAbsentFocusedOrWanted) {
  struct Case {
    const char* what;
    const wchar_t* okName;  // which control is named "ok" (null: none)
    CTestControl* ManagerWindow::*focus;
    unsigned focusFlags;
    bool pressed;
  } cases[] = {
      {"no ok control: reaches the focused control", nullptr, &ManagerWindow::c, UIFLAG_TABSTOP, false},
      {"ok elsewhere is pressed", L"a", &ManagerWindow::c, UIFLAG_TABSTOP, true},
      {"ok itself focused: not consumed", L"a", &ManagerWindow::a, UIFLAG_TABSTOP, false},
      {"focused control wants Return", L"a", &ManagerWindow::c, UIFLAG_TABSTOP | UIFLAG_WANTRETURN, false},
  };
  for (const Case& k : cases) {
    SetUp();
    if (k.okName != nullptr) {
      (std::wstring(k.okName) == L"a" ? a : b)->SetName(L"ok");
      M().InitControls(root);  // the index sees the new name
    }
    CTestControl* focus = this->*k.focus;
    focus->m_uFlags = k.focusFlags;
    focus->SetFocus();
    j.Clear();
    PostKey(WM_KEYDOWN, VK_RETURN);
    Pump();
    EXPECT_EQ(k.pressed, !j.Only({"activate"}).empty()) << k.what;
    EXPECT_EQ(!k.pressed, !j.Only({"keydown:" + test::Label(focus) + "=13"}).empty()) << k.what;
    TearDown();
  }
}

TEST_F(ManagerWindow, EscapeActivatesCancel) {
  PostKey(WM_KEYDOWN, VK_ESCAPE);
  Pump();
  EXPECT_EQ((Lines{"keydown:c=27"}), j.Only({"keydown", "activate"})) << "no cancel control: not consumed";
  b->SetName(L"cancel");
  M().InitControls(root);
  j.Clear();
  PostKey(WM_KEYDOWN, VK_ESCAPE);
  Pump();
  EXPECT_EQ((Lines{"activate:cancel"}), j.Only({"keydown", "activate"}));
}

TEST_F(ManagerWindow, KeysGoToFocusAndKeyUpToTheKeyDownTarget) {
  PostKey(WM_KEYDOWN, 'Q');  // the pump's TranslateMessage makes the character message
  Pump();
  b->SetFocus();
  PostKey(WM_KEYUP, 'Q');
  PostKey(WM_KEYUP, 'W');  // nobody pressed it
  Pump();
  EXPECT_EQ((Lines{"keydown:c=81", "char:c=113", "keyup:c=81"}), j.Only({"keydown", "keyup", "char"}));
}

TEST_F(ManagerWindow, AltShortcutFocusesAndActivates) {
  n->m_uFlags = 0;
  n->SetShortcut(L'S');
  PostMessageW(host->m_hWnd, WM_SYSKEYDOWN, VK_MENU, 0x20000000);
  Pump();
  EXPECT_TRUE(M().GetShowAccelerators());
  EXPECT_EQ((Lines{"syskey:c=18"}), j.Only({"syskey"}));
  j.Clear();
  PostMessageW(host->m_hWnd, WM_SYSCHAR, L's', 0x20000000);
  Pump();
  EXPECT_EQ(n, M().GetFocus());
  EXPECT_EQ((Lines{"activate:n"}), j.Only({"activate"}));
  // A label hands its shortcut on: here the control added before it, which the search meets next.
  b->m_sClass = L"LabelPanelUI";
  b->SetShortcut(L'L');
  j.Clear();
  PostMessageW(host->m_hWnd, WM_SYSCHAR, L'l', 0x20000000);
  Pump();
  EXPECT_EQ(a, M().GetFocus());
  EXPECT_EQ((Lines{"activate:a"}), j.Only({"activate"}));
}

TEST_F(ManagerWindow, WheelGivesOneScrollWheelAndAVScrollPerStarted40Units) {
  struct Case {
    bool registered;
    int delta;
    Lines expected;
  } cases[] = {
      {false, 120, {"wheel:c=0", "vscroll:c=0", "vscroll:c=0", "vscroll:c=0"}},
      {false, -120, {"wheel:c=1", "vscroll:c=1", "vscroll:c=1", "vscroll:c=1"}},
      {false, 41, {"wheel:c=0", "vscroll:c=0", "vscroll:c=0"}},
      {true, -240, {"wheel:c=1", "vscroll:c=1", "vscroll:c=1", "vscroll:c=1", "vscroll:c=1", "vscroll:c=1", "vscroll:c=1"}},
      {true, 40, {"wheel:c=0", "vscroll:c=0"}},
  };
  UINT rollMsg = RegisterWindowMessageW(L"MSWHEEL_ROLLMSG");
  for (const Case& k : cases) {
    j.Clear();
    if (k.registered) {
      host->Send(rollMsg, static_cast<WPARAM>(static_cast<INT_PTR>(k.delta)), MAKELPARAM(20, 20));
    } else {
      host->Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(k.delta))), MAKELPARAM(20, 20));
    }
    EXPECT_EQ(k.expected, j.Only({"wheel", "vscroll"})) << k.delta;
  }
}

TEST_F(ManagerWindow, RightClickOnTheRootIsHandledAndSilent) {
  host->Mouse(WM_RBUTTONDOWN, 300, 250, MK_RBUTTON);
  EXPECT_TRUE(host->m_bLastHandled);
  EXPECT_TRUE(j.lines.empty());
  host->Mouse(WM_RBUTTONDOWN, 20, 60, MK_RBUTTON);
  EXPECT_FALSE(host->m_bLastHandled);
  EXPECT_EQ(b, M().GetFocus());
  EXPECT_EQ(b, M().GetCapture());
  EXPECT_EQ((Lines{"contextmenu:b"}), j.Only({"contextmenu"}));
}

TEST_F(ManagerWindow, DoubleClickGoesToTheControlUnderTheMouse) {
  host->Mouse(WM_LBUTTONDBLCLK, 20, 20, MK_LBUTTON);
  EXPECT_EQ((Lines{"dblclick:a"}), j.Only({"dblclick"}));
  EXPECT_EQ(a, M().GetCapture());
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ManagerWindow, SizeMarksLayoutAndTellsTheFocus) {
  host->Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
  EXPECT_TRUE(host->m_bLastHandled);
  EXPECT_TRUE(M().IsUpdateNeeded());
  EXPECT_EQ((Lines{"size:c"}), j.Only({"size"}));
  EXPECT_EQ(1, host->Send(WM_ERASEBKGND, 0, 0));
  MINMAXINFO info = {};
  M().SetMinMaxInfo(320, 240);
  host->Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_FALSE(host->m_bLastHandled);
  EXPECT_EQ(320, info.ptMinTrackSize.x);
  EXPECT_EQ(240, info.ptMinTrackSize.y);
}

class CTimerLog : public IUIMessageFilter {
 public:
  UILResult MessageFilter(unsigned uMsg, UIWParam wParam, UILParam, bool& bHandled) override {
    if (uMsg == WM_TIMER) ids.push_back(static_cast<unsigned>(wParam));
    bHandled = false;
    return 0;
  }
  std::vector<unsigned> ids;
};

TEST_F(ManagerWindow, TimersUseNativeIdsFrom17AndReachTheControl) {
  CTimerLog log;
  M().AddMessageFilter(&log);
  ASSERT_TRUE(a->SetTimer(2006, 10));
  ASSERT_TRUE(CManagerHost::PumpUntil([&] { return !j.Only({"listener:a:17"}).empty(); }));
  EXPECT_FALSE(log.ids.empty());
  EXPECT_EQ(17u, log.ids.front());
  EXPECT_EQ("timer:a=2006", j.Only({"timer"}).front());
  EXPECT_EQ("listener:a:17=2006", j.Only({"listener:a:17"}).front());
  EXPECT_TRUE(a->KillTimer(2006));
  EXPECT_FALSE(a->KillTimer(2006));
  CManagerHost::Pump(30);
  j.Clear();
  CManagerHost::Pump(60);
  EXPECT_TRUE(j.Only({"timer"}).empty());
  M().RemoveMessageFilter(&log);
}

TEST_F(ManagerWindow, TimerIdsWrapWithin0To254) {
  // 17 was the first; after 254 the counter wraps to 0.
  for (unsigned expected = 17; expected <= 254; ++expected) {
    ASSERT_TRUE(b->SetTimer(1, 100000));
    ASSERT_TRUE(b->KillTimer(1));
  }
  CTimerLog log;
  M().AddMessageFilter(&log);
  bool granted = b->SetTimer(2, 5);
  ASSERT_TRUE(c->SetTimer(3, 5));
  ASSERT_TRUE(CManagerHost::PumpUntil([&] { return !j.Only({"timer:c"}).empty(); }));
  b->KillTimer(2);
  c->KillTimer(3);
  M().RemoveMessageFilter(&log);
  for (unsigned id : log.ids) EXPECT_LE(id, 1u);
  EXPECT_EQ("timer:c=3", j.Only({"timer:c"}).front()) << "native id 1 belongs to c's timer 3";
  if (granted) {
    EXPECT_FALSE(j.Only({"timer:b=2"}).empty()) << "native id 0";
  }
}

TEST_F(ManagerWindow, ReplacingTheRootInClickKeepsTheOldTreeUntilTheDeletionMessage) {
  bool oldGone = false;
  a->m_pDestroyed = &oldGone;
  CTestContainer* fresh = nullptr;
  listener.m_onNotify = [&](const UINotification& msg) {
    if (msg.Type == UINOTIFY_CLICK && msg.pSender == a) {
      fresh = new CTestContainer(&j, L"fresh", UIRect(), 0, kBlue);
      fresh->Add(new CTestControl(&j, L"x", MakeUIRect(10, 10, 50, 50), UIFLAG_TABSTOP));
      M().AttachRoot(fresh);
      EXPECT_FALSE(oldGone);
      a->SetText(L"still here");  // the sender is usable inside its own handler
    }
  };
  ASSERT_TRUE(b->SetTimer(5, 10));  // a live timer and the focus go down with the old tree
  host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  host->Mouse(WM_LBUTTONUP, 20, 20);
  ASSERT_NE(nullptr, fresh);
  EXPECT_FALSE(oldGone) << "deletion waits for WM_APP + 1";
  EXPECT_EQ(fresh, M().GetRoot());
  EXPECT_EQ(nullptr, M().FindControlByName(L"a"));
  EXPECT_TRUE(CManagerHost::PumpUntil([&] { return oldGone; }));
  listener.m_onNotify = nullptr;
  j.Clear();
  CManagerHost::Pump(80);
  EXPECT_TRUE(j.Only({"timer"}).empty());
  UpdateWindow(host->m_hWnd);
  EXPECT_EQ(M().FindControlByName(L"x"), M().GetFocus()) << "the new tree gets the focus at its first paint";
  EXPECT_EQ(MakeUIRect(0, 0, 400, 300), fresh->GetPos());
}

BOOL CALLBACK FindTooltip(HWND hwnd, LPARAM out) {
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND ThreadTooltip() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(ManagerWindow, HoverShowsTheTooltipAndLeavingClearsHover) {
  host->Mouse(WM_MOUSEMOVE, 20, 20);
  j.Clear();
  host->Mouse(WM_MOUSEHOVER, 20, 20);
  EXPECT_TRUE(host->m_bLastHandled);
  EXPECT_EQ((Lines{"hover:a"}), j.Only({"hover"}));
  HWND tip = ThreadTooltip();
  ASSERT_NE(nullptr, tip);
  EXPECT_EQ(host->m_hWnd, GetWindow(tip, GW_OWNER));
  EXPECT_TRUE(IsWindowVisible(tip));
  wchar_t text[64] = {};
  TOOLINFOW ti = {};
  ti.cbSize = sizeof(ti);
  ti.hwnd = host->m_hWnd;
  ti.uId = reinterpret_cast<UINT_PTR>(host->m_hWnd);
  ti.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(std::wstring(L"tip A"), text);
  // Moving onto another control hides it.
  host->Mouse(WM_MOUSEMOVE, 20, 60);
  EXPECT_FALSE(IsWindowVisible(tip));
  // Hover over a control without a tooltip shows nothing.
  host->Mouse(WM_MOUSEHOVER, 20, 60);
  EXPECT_FALSE(IsWindowVisible(tip));
  // The mouse leaving the window while tracking clears the hovered control.
  host->Mouse(WM_MOUSEMOVE, 20, 62);
  j.Clear();
  host->Send(WM_MOUSELEAVE);
  EXPECT_EQ((Lines{"leave:b<--"}), j.Only({"leave", "enter"}));
  EXPECT_EQ(nullptr, M().GetHover());
}

bool RegionHas(HWND hwnd, int x, int y) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(hwnd, rgn, FALSE);
  bool in = PtInRegion(rgn, x, y) != FALSE;
  DeleteObject(rgn);
  return in;
}

TEST_F(ManagerWindow, MovingAControlInvalidatesWhereItWasAndWhereItGoes) {
  ValidateRect(host->m_hWnd, nullptr);
  n->SetPos(200, 200, 260, 240);
  EXPECT_TRUE(RegionHas(host->m_hWnd, 250, 20)) << "old place";
  EXPECT_TRUE(RegionHas(host->m_hWnd, 230, 220)) << "new place";
  EXPECT_FALSE(RegionHas(host->m_hWnd, 350, 120));
  UpdateWindow(host->m_hWnd);
  EXPECT_EQ(kGrey, PixelOf(host->m_hWnd, 250, 20));
  EXPECT_EQ(kRed, PixelOf(host->m_hWnd, 230, 220));
}

TEST_F(ManagerWindow, SetCursorGoesToFlaggedControlsWhichShowTheArrow) {
  RECT wr;
  GetWindowRect(host->m_hWnd, &wr);
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  SetCursorPos(wr.left + 20, wr.top + 20);  // over a, which asks for SetCursor
  host->Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(host->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(host->m_bLastHandled);
  EXPECT_EQ((Lines{"setcursor:a"}), j.Only({"setcursor"}));
  EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), GetCursor());
  SetCursorPos(wr.left + 20, wr.top + 60);  // over b, which does not
  j.Clear();
  host->Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(host->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_FALSE(host->m_bLastHandled);
  EXPECT_TRUE(j.Only({"setcursor"}).empty());
  SetCursorPos(900, 700);
}

TEST_F(ManagerWindow, CloseEndsHoverAndCapture) {
  host->Mouse(WM_MOUSEMOVE, 20, 60);
  host->Mouse(WM_LBUTTONDOWN, 20, 60, MK_LBUTTON);
  j.Clear();
  host->Send(WM_CLOSE);
  EXPECT_FALSE(host->m_bLastHandled);
  EXPECT_EQ((Lines{"leave:b<--", "up:b@20,60"}), j.Only({"leave", "up"}));
  ReleaseCapture();
}

TEST_F(ManagerWindow, ChildWindowKeysArePreTranslatedByTheParentsManager) {
  b->SetName(L"cancel");
  M().InitControls(root);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 200, 200, 80, 20, host->m_hWnd, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_EQ((Lines{"activate:cancel"}), j.Only({"activate"}));
  DestroyWindow(edit);
}

UINT g_lastReflected = 0;
LRESULT CALLBACK RecordReflection(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= 0x2000 && msg < 0x3000) {
    g_lastReflected = msg;
    return 77;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(ManagerWindow, NativeChildNotificationsAreReflectedToTheChild) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = RecordReflection;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VorlixReflectProbe";
  RegisterClassW(&wc);
  HWND child = CreateWindowExW(0, L"VorlixReflectProbe", L"", WS_CHILD, 0, 0, 10, 10, host->m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(1234)), wc.hInstance, nullptr);
  ASSERT_NE(nullptr, child);
  EXPECT_EQ(77, host->Send(WM_COMMAND, MAKEWPARAM(1234, EN_CHANGE), reinterpret_cast<LPARAM>(child)));
  EXPECT_TRUE(host->m_bLastHandled);
  EXPECT_EQ(static_cast<UINT>(WM_COMMAND + 0x2000), g_lastReflected);
  NMHDR hdr = {child, 1234, 0};
  EXPECT_EQ(77, host->Send(WM_NOTIFY, 1234, reinterpret_cast<LPARAM>(&hdr)));
  EXPECT_EQ(static_cast<UINT>(WM_NOTIFY + 0x2000), g_lastReflected);
  MEASUREITEMSTRUCT mis = {};
  mis.CtlID = 1234;
  EXPECT_EQ(77, host->Send(WM_MEASUREITEM, 1234, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_EQ(static_cast<UINT>(WM_MEASUREITEM + 0x2000), g_lastReflected);
  host->Send(WM_COMMAND, 0, 0);  // a menu command has no child: left alone
  EXPECT_FALSE(host->m_bLastHandled);
  DestroyWindow(child);
}

TEST_F(ManagerWindow, ScrollBarWindowsSpeakForTheControlInTheirProperty) {
  HWND bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, 0, 0, 10, 50, host->m_hWnd, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, bar);
  host->Send(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
  EXPECT_FALSE(host->m_bLastHandled) << "no property: not ours";
  SetPropW(bar, L"WndX", b);
  host->Send(WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ((Lines{"vscroll:b=3"}), j.Only({"vscroll"}));
  RemovePropW(bar, L"WndX");
  DestroyWindow(bar);
}

TEST_F(ManagerWindow, PostPaintBlitsRunOnceAfterTheTree) {
  // A 20 x 20 opaque white premultiplied bitmap, blended at half strength over the grey root.
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 20;
  bi.bmiHeader.biHeight = -20;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(nullptr, bmp);
  for (int i = 0; i < 400; ++i) static_cast<DWORD*>(bits)[i] = 0xFFFFFFFF;
  UIPostPaint blit;
  blit.hBitmap = bmp;
  blit.rcDest = MakeUIRect(300, 200, 320, 220);
  blit.alpha = 128;
  ASSERT_TRUE(M().AddPostPaint(blit));
  InvalidateRect(host->m_hWnd, nullptr, FALSE);
  UpdateWindow(host->m_hWnd);
  COLORREF blended = PixelOf(host->m_hWnd, 310, 210);
  EXPECT_NEAR(228, GetRValue(blended), 3);
  EXPECT_EQ(kGrey, PixelOf(host->m_hWnd, 330, 210));
  // The queue emptied: the next paint shows the tree alone.
  InvalidateRect(host->m_hWnd, nullptr, FALSE);
  UpdateWindow(host->m_hWnd);
  EXPECT_EQ(kGrey, PixelOf(host->m_hWnd, 310, 210));
  DeleteObject(bmp);
}

TEST_F(ManagerWindow, PrintClientPaintsTheTreeIntoTheGivenContext) {
  HDC screen = GetDC(host->m_hWnd);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 400, 300);
  HGDIOBJ old = SelectObject(mem, bmp);
  host->Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  EXPECT_TRUE(host->m_bLastHandled);
  EXPECT_EQ(kGreen, GetPixel(mem, 15, 65));
  EXPECT_EQ(kGrey, GetPixel(mem, 300, 200));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(host->m_hWnd, screen);
}

TEST_F(ManagerWindow, ControlsOfAnotherManagerAreIgnoredByTheMouse) {
  CUIManager other;
  auto* stranger = new CTestControl(&j, L"stranger", MakeUIRect(150, 150, 250, 250));
  stranger->m_bHandlesAll = true;
  other.AttachRoot(stranger);  // belongs to the other manager, yet sits in our tree's search path
  root->m_children.push_back(stranger);
  host->Mouse(WM_MOUSEMOVE, 200, 200);
  host->Mouse(WM_LBUTTONDOWN, 200, 200, MK_LBUTTON);
  host->Mouse(WM_LBUTTONUP, 200, 200);
  root->m_children.pop_back();
  EXPECT_TRUE(j.Only({"enter:stranger", "move:stranger", "down:stranger"}).empty());
  EXPECT_EQ(nullptr, M().GetCapture());
}

class CPaintCount : public IUIMessageFilter {
 public:
  UILResult MessageFilter(unsigned uMsg, UIWParam, UILParam, bool& bHandled) override {
    if (uMsg == WM_PAINT) ++paints;
    bHandled = false;
    return 0;
  }
  int paints = 0;
};

TEST(ManagerWindowEmpty, PaintingWithoutATreeDoesNotRepeat) {
  CManagerHost host(60, 80, 120, 90);
  CPaintCount count;
  host.m_manager.AddMessageFilter(&count);
  host.m_manager.NeedUpdate();
  CManagerHost::Pump(150);
  EXPECT_GE(count.paints, 1);
  EXPECT_LE(count.paints, 2);
  EXPECT_EQ(0, GetUpdateRect(host.m_hWnd, nullptr, FALSE));
  host.m_manager.RemoveMessageFilter(&count);
}

TEST(ManagerWindowless, NothingIsHandledWithoutALiveWindow) {
  CUIManager manager;
  LRESULT result = 0;
  EXPECT_FALSE(manager.MessageHandler(WM_ERASEBKGND, 0, 0, result));
  CManagerHost host(60, 80, 100, 100);
  HWND gone = host.m_hWnd;
  manager.Init(gone);
  EXPECT_TRUE(manager.MessageHandler(WM_ERASEBKGND, 0, 0, result));
  EXPECT_EQ(1, result);
  DestroyWindow(gone);
  EXPECT_FALSE(manager.MessageHandler(WM_ERASEBKGND, 0, 0, result));
}

}  // namespace
}  // namespace vorlix
