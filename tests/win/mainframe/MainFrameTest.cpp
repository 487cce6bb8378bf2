// The main window as the program makes it, in this process: created through its start-up against the
// development service, its control tree read while it lives, driven by real window messages and, where
// the system's own state matters (the mouse button, the shell), by real input and the real shell calls.
// Modal screens it opens (login, message boxes) are handled from a second thread while this one runs them.
#include <gtest/gtest.h>

#include "win/ui_hosts/HostsTestSupport.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/TextConv.h"
#include "config/Settings.h"
#include "net/PLObject.h"
#include "recording/win32/CMainFrame.h"
#include "screens/main/MainWindowIds.h"
#include "shell/WindowMessages.h"
#include "shell/win32/MessageLoop.h"
#include "support/DevServiceClient.h"
#include "ui/hosts/DlgMessgeBox.h"
#include "ui/hosts/UIMessageBoxLayout.h"

namespace vorlix {
namespace {

using namespace vorlix::test;
using Clock = std::chrono::steady_clock;

constexpr int kSessionSeconds = 2592000;

bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (Clock::now() > end) return false;
    Sleep(20);
  }
  return true;
}

int32_t Now() { return static_cast<int32_t>(std::time(nullptr)); }

struct ThreadWindows {
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND h, LPARAM l) {
  auto* t = reinterpret_cast<ThreadWindows*>(l);
  if (h != t->except && IsWindowVisible(h)) t->found.push_back(h);
  return TRUE;
}

// Visible top-level windows of a thread other than the given one (login screen, message boxes).
std::vector<HWND> OtherWindows(DWORD thread, HWND except) {
  ThreadWindows t{except, {}};
  EnumThreadWindows(thread, &CollectVisible, reinterpret_cast<LPARAM>(&t));
  return t.found;
}

// A skinned message box: a dialog (its translucent layer has the same size but is no dialog).
DlgMessgeBox* MessageBoxOf(HWND h) {
  wchar_t cls[32] = {};
  GetClassNameW(h, cls, 32);
  if (std::wstring(cls) != L"#32770") return nullptr;
  return static_cast<DlgMessgeBox*>(reinterpret_cast<CSkinDialog*>(GetWindowLongPtrW(h, DWLP_USER)));
}

// Waits for a message box of the thread and reads its text; empty when none came.
std::wstring ReadAndCloseMessageBox(DWORD thread, HWND mainWindow) {
  HWND box = nullptr;
  WaitFor([&] {
    for (HWND o : OtherWindows(thread, mainWindow)) {
      if (MessageBoxOf(o) != nullptr) box = o;
    }
    return box != nullptr;
  });
  if (box == nullptr) return std::wstring();
  Sleep(200);
  std::wstring text;
  if (CUIControl* t = MessageBoxOf(box)->GetControl(kMsgBoxTextId)) text = t->GetText().GetData();
  PostMessageW(box, WM_CLOSE, 0, 0);
  return text;
}

// What the window shows, into VORLIX_SCREENSHOT_DIR when it is set (docs/screenshots is made so).
void Screenshot(HWND h, const wchar_t* name) {
  wchar_t dir[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"VORLIX_SCREENSHOT_DIR", dir, MAX_PATH) == 0) return;
  Pump(300);
  SaveWindowPng(h, std::wstring(dir) + L"\\" + name);
}

SIZE ClientSize(HWND h) {
  RECT rc{};
  GetClientRect(h, &rc);
  return SIZE{rc.right, rc.bottom};
}

// The service's recorded requests after a given id, by route.
std::vector<std::string> RoutesSince(int since) {
  Json::Value all = Control("GET", "requests?since=" + std::to_string(since));
  std::vector<std::string> routes;
  for (const Json::Value& r : all["requests"]) routes.push_back(r["route"].asString());
  return routes;
}

int LastRequestId() {
  Json::Value all = Control("GET", "requests");
  int last = 0;
  for (const Json::Value& r : all["requests"]) last = std::max(last, r["id"].asInt());
  return last;
}

void WriteSession(int32_t loginTime) {
  DeleteFileW(GetConfigPath().c_str());
  SetLoginTime(loginTime);
  SetUserName(L"tester");
  SetUserId(L"100001");
}

class MainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&s_gdiplus, &input, nullptr);
    Module().Init(GetModuleHandleW(nullptr));
    Module().AddMessageLoop(&s_loop);
  }
  static void TearDownTestSuite() {
    Module().RemoveMessageLoop();
    Gdiplus::GdiplusShutdown(s_gdiplus);
  }

  void SetUp() override {
    ASSERT_FALSE(ServiceUrl().empty()) << "VORLIX_SERVICE_URL names the development service";
    plHttp::GetPLObject().SetSession(plHttp::SessionValues{});
    WriteSession(Now());
  }

  void TearDown() override {
    if (m_frame != nullptr && m_frame->GetHwnd() != nullptr && IsWindow(m_frame->GetHwnd())) {
      DestroyWindow(m_frame->GetHwnd());
    }
    m_frame.reset();
    // What the frame posted for the loop (its quit message) stays with this test.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // Creates the window as the entry does and shows it; false when its start-up refused to make it.
  bool Start() {
    m_frame = std::make_unique<CMainFrame>();
    if (!m_frame->CreateMainWindow()) return false;
    ::ShowWindow(m_frame->GetHwnd(), SW_SHOWNORMAL);
    Pump(300);
    return true;
  }

  // Runs body on this thread while script looks at the other windows from a second one; whatever the
  // script leaves open is closed so that a failed check never hangs the run.
  void WithDriver(const std::function<void()>& body, const std::function<void(DWORD thread)>& script) {
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::thread driver([&] {
      script(thread);
      for (HWND left : OtherWindows(thread, m_frame ? m_frame->GetHwnd() : nullptr)) {
        PostMessageW(left, WM_CLOSE, 0, 0);
      }
      done = true;
    });
    body();
    PumpUntil([&] { return done.load(); }, 20000);
    driver.join();
  }

  CUIControl* Control(int id) { return m_frame->GetControl(id); }

  std::unique_ptr<CMainFrame> m_frame;
  static CMessageLoop s_loop;
  static ULONG_PTR s_gdiplus;
};

CMessageLoop MainWindow::s_loop;
ULONG_PTR MainWindow::s_gdiplus = 0;

TEST_F(MainWindow, StartUpAsksTheServiceInOrderAndForgetsTheLastGame) {
  SetGameTitle(L"Some Game Of The Last Run");
  const int since = LastRequestId();
  ASSERT_TRUE(Start());
  std::vector<std::string> routes;
  std::set<std::string> seen;
  ASSERT_TRUE(WaitFor([&] {
    Pump(20);
    routes = RoutesSince(since);
    seen = std::set<std::string>(routes.begin(), routes.end());
    return seen.count("device_report") != 0 && seen.count("update_check") != 0;
  }, 10000)) << "device report and update check";
  std::vector<std::string> order;
  for (const std::string& r : routes) {
    if ((r == "event" || r == "games" || r == "update_check" || r == "device_report") &&
        std::find(order.begin(), order.end(), r) == order.end()) {
      order.push_back(r);
    }
  }
  // The update check and the device report run on their own threads, after the first two.
  ASSERT_GE(order.size(), 4u);
  EXPECT_EQ(order[0], "event");
  EXPECT_EQ(order[1], "games");
  EXPECT_EQ(std::set<std::string>(order.begin() + 2, order.end()),
            (std::set<std::string>{"update_check", "device_report"}));
  EXPECT_EQ(GetGameTitle(), L"");
  wchar_t title[64] = {};
  GetWindowTextW(m_frame->GetHwnd(), title, 64);
  EXPECT_EQ(std::wstring(title), L"Tavro一键回录");
  EXPECT_EQ(ClientSize(m_frame->GetHwnd()).cx, 552);
  EXPECT_EQ(ClientSize(m_frame->GetHwnd()).cy, 304);
}

TEST_F(MainWindow, ThirtyDaysAfterTheLoginTheLoginScreenComesFirst) {
  struct Row {
    int age;
    bool loginShown;
  };
  // The second-exact boundary is the settings rule's own test; here a few seconds of margin keep the
  // younger row younger while the start-up runs.
  for (const Row row : {Row{kSessionSeconds, true}, Row{kSessionSeconds - 5, false}, Row{kSessionSeconds + 86400, true}}) {
    SCOPED_TRACE(row.age);
    WriteSession(Now() - row.age);
    bool created = false;
    std::atomic<bool> loginSeen{false};
    WithDriver([&] { created = Start(); },
               [&](DWORD thread) {
                 // The login screen is 459 x 246; closing it refuses the login.
                 HWND login = nullptr;
                 WaitFor([&] {
                   for (HWND h : OtherWindows(thread, nullptr)) {
                     SIZE s = ClientSize(h);
                     if (s.cx == 459 && s.cy == 246) login = h;
                   }
                   return login != nullptr;
                 }, row.loginShown ? 8000 : 2500);
                 if (login != nullptr) {
                   loginSeen = true;
                   PostMessageW(login, WM_CLOSE, 0, 0);
                 }
               });
    EXPECT_EQ(loginSeen.load(), row.loginShown);
    // A refused login ends the program at start-up: no window.
    EXPECT_EQ(created, !row.loginShown);
    TearDown();
  }
}

TEST_F(MainWindow, ControlsAtTheirRectanglesWithTheirFirstLook) {
  SetGameTitle(L"");
  ASSERT_TRUE(Start());
  struct Row {
    int id;
    UIRect rc;
    bool visible;
    bool enabled;
  };
  const Row rows[] = {
      {kIdCloseButton, {520, 10, 536, 26}, true, true},       {kIdMinimizeButton, {488, 10, 504, 26}, true, true},
      {kIdSettingsButton, {456, 10, 472, 26}, true, true},    {kIdUserIcon, {424, 10, 440, 26}, true, true},
      {kIdChatGroupLink, {120, 10, 230, 26}, true, true},     {kIdRecordButton, {340, 100, 390, 150}, true, true},
      {kIdRecordCaption, {325, 160, 405, 180}, true, true},   {kIdRecordHotkey, {325, 185, 405, 205}, true, true},
      {kIdReplayButton, {160, 100, 210, 150}, true, false},   {kIdReplayHotkey, {145, 185, 225, 205}, true, true},
      {kIdHoverTip, {55, 158, 315, 198}, false, true},        {kIdCloudLink, {44, 50, 144, 66}, true, true},
      {kIdVideoFolderLink, {220, 50, 350, 66}, true, true},   {kIdGuideLink, {450, 50, 520, 66}, true, true},
      {kIdStatusLine, {0, 235, 550, 251}, true, true},        {kIdCancelButton, {490, 267, 539, 290}, false, true},
      {kIdGameCombo, {15, 131, 506, 163}, true, true},        {kIdRefreshButton, {510, 135, 534, 159}, true, true},
      {kIdNoGameHint, {18, 137, 366, 153}, true, true},       {kIdStartButton, {196, 210, 356, 260}, true, true},
      {kIdStartHotkey, {330, 230, 490, 246}, true, true},     {kIdStartHint, {146, 270, 406, 286}, true, true},
      {kIdUserPanel, {405, 23, 554, 110}, false, true},       {kIdUserName, {405, 46, 554, 62}, false, true},
      {kIdLogoutLink, {405, 78, 554, 94}, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    CUIControl* c = Control(row.id);
    ASSERT_NE(c, nullptr);
    UIRect pos = c->GetPos();
    EXPECT_EQ(pos.left, row.rc.left);
    EXPECT_EQ(pos.top, row.rc.top);
    EXPECT_EQ(pos.right, row.rc.right);
    EXPECT_EQ(pos.bottom, row.rc.bottom);
    EXPECT_EQ(c->IsVisible(), row.visible);
    EXPECT_EQ(c->IsEnabled(), row.enabled);
  }
  EXPECT_EQ(std::wstring(Control(kIdRecordCaption)->GetText().GetData()), L"<c #9abecc>开始录制</c>");
  EXPECT_EQ(std::wstring(Control(kIdRecordHotkey)->GetText().GetData()), L"<c #9abecc>Shift+F11</c>");
  EXPECT_EQ(std::wstring(Control(kIdReplayHotkey)->GetText().GetData()), L"<c #9abecc>Shift+F10</c>");
  EXPECT_EQ(std::wstring(Control(kIdStartHotkey)->GetText().GetData()), L"<b><c #ffffff>(Shift+F11)</c></b>");
  EXPECT_EQ(std::wstring(Control(kIdUserName)->GetText().GetData()), L"<b>tester</b>");
  EXPECT_EQ(std::wstring(Control(kIdCloseButton)->GetToolTip().GetData()), L"退出..");
  Screenshot(m_frame->GetHwnd(), L"main-choosing.png");
}

TEST_F(MainWindow, TheUserPanelFollowsTheMouseAndTipsShowOverTheButtons) {
  ASSERT_TRUE(Start());
  HWND h = m_frame->GetHwnd();
  auto move = [&](int x, int y) {
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Pump(20);
  };
  move(432, 18);  // user icon
  EXPECT_TRUE(Control(kIdUserPanel)->IsVisible());
  EXPECT_TRUE(Control(kIdLogoutLink)->IsVisible());
  move(480, 100);  // on the panel itself
  EXPECT_TRUE(Control(kIdUserPanel)->IsVisible());
  Screenshot(h, L"main-user-panel.png");
  move(90, 58);  // the cloud link
  EXPECT_FALSE(Control(kIdUserPanel)->IsVisible());
  EXPECT_FALSE(Control(kIdLogoutLink)->IsVisible());

  // The buttons lie under the game panel while choosing; a session shows them, as does this.
  PostMessageW(h, WM_CUT_BEGIN, 1, 0);
  Pump(100);
  move(185, 125);  // replay button, disabled: its tip shows all the same, on the left
  CUIControl* tip = Control(kIdHoverTip);
  EXPECT_TRUE(tip->IsVisible());
  EXPECT_EQ(tip->GetPos().left, 57);
  Screenshot(h, L"main-tip-replay.png");
  move(365, 125);  // record button: the hardware-load tip on the right
  EXPECT_TRUE(tip->IsVisible());
  EXPECT_EQ(tip->GetPos().left, 237);
  Screenshot(h, L"main-tip-record.png");
  move(90, 58);
  EXPECT_FALSE(tip->IsVisible());
}

TEST_F(MainWindow, TheTrayMenuTogglesTheWindowAndQuits) {
  ASSERT_TRUE(Start());
  HWND h = m_frame->GetHwnd();
  SendMessageW(h, WM_COMMAND, 2100, 0);
  EXPECT_FALSE(IsWindowVisible(h));
  SendMessageW(h, WM_COMMAND, 2100, 0);
  EXPECT_TRUE(IsWindowVisible(h));
  // A left click on the icon brings a hidden window back in front.
  SendMessageW(h, WM_COMMAND, 2100, 0);
  SendMessageW(h, WM_TRAY_NOTIFY, 128, WM_LBUTTONUP);
  Pump(100);
  EXPECT_TRUE(IsWindowVisible(h));
  SendMessageW(h, WM_COMMAND, 2101, 0);
  EXPECT_FALSE(IsWindow(h));
  MSG msg;
  bool quit = false;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) quit = msg.wParam == 0;
  }
  EXPECT_TRUE(quit) << "the loop is asked to end with code 0";
}

TEST_F(MainWindow, TaskbarCreatedAddsTheIconAgain) {
  ASSERT_TRUE(Start());
  NOTIFYICONDATAW probe{};
  probe.cbSize = NOTIFYICONDATAW_V3_SIZE;
  probe.hWnd = m_frame->GetHwnd();
  probe.uID = 128;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the icon is there after the start";
  // The shell forgets its icons when it restarts.
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe));
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
  SendMessageW(m_frame->GetHwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
}

TEST_F(MainWindow, OnlyTheTwoStripsDragAndOnlyWithTheButtonDown) {
  ASSERT_TRUE(Start());
  HWND h = m_frame->GetHwnd();
  auto hit = [&](int x, int y) {
    POINT pt = ClientPointToScreen(h, x, y);
    return SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  };
  auto button = [](bool down) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = AbsoluteX(2);
    in.mi.dy = AbsoluteY(GetSystemMetrics(SM_CYSCREEN) - 3);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInput(1, &in, sizeof(INPUT));
    WaitFor([&] { return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down; }, 1000);
  };
  button(true);
  EXPECT_EQ(hit(60, 15), HTCAPTION);
  EXPECT_EQ(hit(300, 30), HTCAPTION);
  EXPECT_EQ(hit(170, 18), HTCLIENT) << "the chat-group link between the strips";
  EXPECT_EQ(hit(60, 40), HTCLIENT);
  EXPECT_EQ(hit(350, 15), HTCLIENT);
  button(false);
  EXPECT_EQ(hit(60, 15), HTCLIENT);
}

TEST_F(MainWindow, TheGateWithoutAGameSaysSoAndStartsNothing) {
  SetGameTitle(L"");
  ASSERT_TRUE(Start());
  HWND h = m_frame->GetHwnd();
  std::wstring text;
  WithDriver([&] { SendMessageW(h, WM_HOTKEY, CMainFrame::HOTKEY_BEGIN_OR_STOP_SHOT, 0); },
             [&](DWORD thread) { text = ReadAndCloseMessageBox(thread, h); });
  EXPECT_EQ(text, L"当前未选中游戏，请选择游戏后再录制");
  EXPECT_FALSE(Control(kIdReplayButton)->IsEnabled());
  EXPECT_TRUE(Control(kIdSettingsButton)->IsEnabled());
  EXPECT_TRUE(Control(kIdStartButton)->IsVisible()) << "the game panel stays";
  EXPECT_EQ(std::wstring(Control(kIdRecordCaption)->GetText().GetData()), L"<c #9abecc>开始录制</c>");
}

TEST_F(MainWindow, EnterAnswersAMessageBoxOverTheWindow) {
  SetGameTitle(L"");
  ASSERT_TRUE(Start());
  HWND h = m_frame->GetHwnd();
  bool closedByEnter = false;
  WithDriver([&] { SendMessageW(h, WM_HOTKEY, CMainFrame::HOTKEY_BEGIN_OR_STOP_SHOT, 0); },
             [&](DWORD thread) {
               HWND box = nullptr;
               WaitFor([&] {
                 for (HWND o : OtherWindows(thread, h))
                   if (MessageBoxOf(o) != nullptr) box = o;
                 return box != nullptr;
               });
               if (box == nullptr) return;
               Sleep(300);
               Key(VK_RETURN);
               closedByEnter = WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
             });
  EXPECT_TRUE(closedByEnter) << "Enter presses the box's button";
}

TEST_F(MainWindow, TheHotkeysRunARealSessionAndTheWindowFollowsIt) {
  // Any open window counts as the game; the recorder beside the test records the desktop.
  SetGameTitle(L"Tavro一键回录");
  ASSERT_TRUE(Start());
  HWND h = m_frame->GetHwnd();
  SetGameTitle(L"Tavro一键回录");  // the start-up forgot it
  SendMessageW(h, WM_HOTKEY, CMainFrame::HOTKEY_BEGIN_OR_STOP_SHOT, 0);
  Pump(300);
  EXPECT_TRUE(Control(kIdReplayButton)->IsEnabled());
  EXPECT_FALSE(Control(kIdSettingsButton)->IsEnabled());
  EXPECT_FALSE(Control(kIdStartButton)->IsVisible()) << "the game panel goes";
  EXPECT_EQ(std::wstring(Control(kIdRecordCaption)->GetText().GetData()), L"<c #9abecc>生成视频</c>");
  Screenshot(h, L"main-recording.png");

  // Stopped without a mark: nothing to cut, the panel comes back at once.
  SendMessageW(h, WM_HOTKEY, CMainFrame::HOTKEY_BEGIN_OR_STOP_SHOT, 0);
  PumpUntil([&] { return Control(kIdStartButton)->IsVisible(); }, 8000);
  EXPECT_TRUE(Control(kIdStartButton)->IsVisible());
  EXPECT_FALSE(Control(kIdReplayButton)->IsEnabled());
  EXPECT_TRUE(Control(kIdSettingsButton)->IsEnabled());
  EXPECT_EQ(std::wstring(Control(kIdRecordCaption)->GetText().GetData()), L"<c #9abecc>开始录制</c>");
  EXPECT_FALSE(Control(kIdCancelButton)->IsVisible());
}

TEST_F(MainWindow, ClipProcessingShowsTheBarAndEndsWithThePrompt) {
  ASSERT_TRUE(Start());
  HWND h = m_frame->GetHwnd();
  PostMessageW(h, WM_CUT_BEGIN, 4, 0);
  PostMessageW(h, WM_CUT_CLIP_INDEX, 2, 4);
  PostMessageW(h, WM_UPLOAD_PROGRESS, 50, 0);
  Pump(200);
  auto* bar = static_cast<CUIProgressBar*>(m_frame->GetManager().FindControlAt(UIPoint{200, 276}));
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetValue(), 37);
  EXPECT_TRUE(Control(kIdCancelButton)->IsVisible());
  EXPECT_FALSE(Control(kIdRecordButton)->IsEnabled());
  EXPECT_FALSE(Control(kIdStartButton)->IsVisible());
  EXPECT_NE(std::wstring(Control(kIdStatusLine)->GetText().GetData()).find(L"视频处理中"), std::wstring::npos);
  Screenshot(h, L"main-processing.png");

  struct Row {
    int uploaded, kept;
    const wchar_t* says;
  };
  for (const Row& row : {Row{4, 0, L"上传成功，前往云空间查看"}, Row{1, 3, L"3 个视频上传失败"}}) {
    std::wstring text;
    WithDriver([&] { SendMessageW(h, WM_CUT_FINISHED, row.uploaded, row.kept); },
               // Closed without confirming: no cloud page.
               [&](DWORD thread) { text = ReadAndCloseMessageBox(thread, h); });
    EXPECT_NE(text.find(row.says), std::wstring::npos) << WideToUtf8(text);
  }
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_FALSE(Control(kIdCancelButton)->IsVisible());
  EXPECT_TRUE(Control(kIdRecordButton)->IsEnabled());
  EXPECT_TRUE(Control(kIdStartButton)->IsVisible());
  EXPECT_EQ(std::wstring(Control(kIdStatusLine)->GetText().GetData()), L"");
}

}  // namespace
}  // namespace vorlix
