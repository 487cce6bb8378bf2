// The window wrapper with real windows: class registration and superclassing, the link between window
// and object, the end of a window's life, subclassing, the modal loop and window placement.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {
namespace {

constexpr UINT kEcho = WM_APP + 40;  // answered by the test windows with lParam + 1

class CRecordingWnd : public CWindowWnd {
 public:
  const wchar_t* GetWindowClassName() const override { return L"VorlixHostsTestWnd"; }
  UINT GetClassStyle() const override { return CS_DBLCLKS; }
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(uMsg);
    if (uMsg == kEcho) return lParam + 1;
    if (uMsg == WM_NCCREATE && refuseCreation) return FALSE;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
  }
  void OnFinalMessage(HWND hWnd) override {
    finalWindow = hWnd;
    handleAtFinal = m_hWnd;
    if (deleted != nullptr) {
      *deleted = true;
      delete this;
    }
  }
  bool Saw(UINT msg) const {
    for (UINT m : messages)
      if (m == msg) return true;
    return false;
  }

  std::vector<UINT> messages;
  HWND finalWindow = nullptr;
  HWND handleAtFinal = reinterpret_cast<HWND>(1);
  bool refuseCreation = false;
  bool* deleted = nullptr;
};

class CEditSuperclass : public CRecordingWnd {
 public:
  const wchar_t* GetWindowClassName() const override { return L"VorlixHostsTestEdit"; }
  const wchar_t* GetSuperClassName() const override { return L"Edit"; }
};

std::wstring WindowText(HWND hWnd) {
  wchar_t buf[128] = {};
  GetWindowTextW(hWnd, buf, 128);
  return buf;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

TEST(WindowWnd, PlainClassKeepsTheObjectInUserDataAndRoutesMessages) {
  CRecordingWnd a;
  CRecordingWnd b;
  HWND ha = a.Create(nullptr, L"a", WS_POPUP, 0, 10, 10, 100, 80);
  // The second window finds the class already registered.
  HWND hb = b.Create(nullptr, L"b", WS_POPUP, 0, 10, 10, 100, 80);
  ASSERT_NE(ha, nullptr);
  ASSERT_NE(hb, nullptr);
  EXPECT_EQ(a.GetHWND(), ha);
  EXPECT_EQ(GetWindowLongPtrW(ha, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&a));
  EXPECT_EQ(GetPropW(ha, kWindowObjectProperty), nullptr);
  EXPECT_TRUE(a.Saw(WM_NCCREATE));
  EXPECT_TRUE(a.Saw(WM_CREATE));
  EXPECT_EQ(SendMessageW(ha, kEcho, 0, 41), 42);
  EXPECT_EQ(SendMessageW(hb, kEcho, 0, 1), 2);

  wchar_t cls[64] = {};
  GetClassNameW(ha, cls, 64);
  EXPECT_STREQ(cls, L"VorlixHostsTestWnd");
  EXPECT_EQ(GetClassLongPtrW(ha, GCL_STYLE) & CS_DBLCLKS, static_cast<ULONG_PTR>(CS_DBLCLKS));
  LOGBRUSH lb = {};
  ASSERT_NE(GetObjectW(reinterpret_cast<HBRUSH>(GetClassLongPtrW(ha, GCLP_HBRBACKGROUND)), sizeof(lb), &lb), 0);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(lb.lbColor, RGB(0x80, 0x80, 0x80));
  // Unhandled messages reach the default procedure: the title is stored and read back.
  SetWindowTextW(ha, L"标题");
  EXPECT_EQ(WindowText(ha), L"标题");
  DestroyWindow(ha);
  DestroyWindow(hb);
}

TEST(WindowWnd, RefusedCreationReturnsNull) {
  CRecordingWnd w;
  w.refuseCreation = true;
  EXPECT_EQ(w.Create(nullptr, L"x", WS_POPUP, 0, 0, 0, 10, 10), nullptr);
  EXPECT_EQ(w.GetHWND(), nullptr);
}

TEST(WindowWnd, SuperclassUsesTheWindowPropertyAndTheSystemProcedure) {
  CEditSuperclass edit;
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND h = edit.Create(host, L"", WS_CHILD | WS_VISIBLE, 0, 5, 5, 150, 24);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GetPropW(h, kWindowObjectProperty), static_cast<HANDLE>(&edit));
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), 0);
  // The system edit still does its job behind the object.
  SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  EXPECT_EQ(WindowText(h), L"abc");
  EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0) > 0, true);
  EXPECT_TRUE(edit.Saw(WM_SETTEXT));
  EXPECT_EQ(SendMessageW(h, kEcho, 0, 9), 10);
  DestroyWindow(host);
  EXPECT_EQ(edit.finalWindow, h);
  EXPECT_EQ(edit.GetHWND(), nullptr);
}

TEST(WindowWnd, FinalMessageComesAfterTheLinkIsGoneAndMayDeleteTheObject) {
  bool deleted = false;
  auto* w = new CRecordingWnd;
  w->deleted = &deleted;
  HWND h = w->Create(nullptr, L"popup", WS_POPUP, 0, 0, 0, 50, 50);
  ASSERT_NE(h, nullptr);
  DestroyWindow(h);
  EXPECT_TRUE(deleted);

  CRecordingWnd kept;
  HWND hk = kept.Create(nullptr, L"kept", WS_POPUP, 0, 0, 0, 50, 50);
  DestroyWindow(hk);
  EXPECT_EQ(kept.finalWindow, hk);
  EXPECT_EQ(kept.handleAtFinal, nullptr);
  EXPECT_EQ(kept.GetHWND(), nullptr);
  // After its final message the object is no longer asked about anything.
  EXPECT_FALSE(kept.Saw(WM_NCDESTROY));
  EXPECT_TRUE(kept.Saw(WM_DESTROY));
}

TEST(WindowWnd, SubclassRoutesAForeignWindowAndUnsubclassRestoresIt) {
  HWND h = CreateWindowExW(0, L"STATIC", L"old", WS_POPUP, 0, 0, 80, 30, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  LONG_PTR original = GetWindowLongPtrW(h, GWLP_WNDPROC);
  SetWindowLongPtrW(h, GWLP_USERDATA, 1234);  // the owner's own value stays untouched

  CRecordingWnd w;
  ASSERT_EQ(w.Subclass(h), h);
  EXPECT_TRUE(w.IsSubclassed());
  EXPECT_EQ(w.GetHWND(), h);
  EXPECT_EQ(GetPropW(h, kWindowObjectProperty), static_cast<HANDLE>(&w));
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), 1234);
  EXPECT_EQ(SendMessageW(h, kEcho, 0, 5), 6);
  SetWindowTextW(h, L"new");  // through the static's own procedure
  EXPECT_EQ(WindowText(h), L"new");
  // A second subclass of the same object is refused.
  EXPECT_EQ(w.Subclass(h), nullptr);

  w.Unsubclass();
  EXPECT_FALSE(w.IsSubclassed());
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), original);
  EXPECT_EQ(GetPropW(h, kWindowObjectProperty), nullptr);
  w.messages.clear();
  EXPECT_EQ(SendMessageW(h, kEcho, 0, 5), 0);
  EXPECT_TRUE(w.messages.empty());

  // Destroyed while subclassed: the final message still arrives and the link is undone.
  CRecordingWnd again;
  ASSERT_EQ(again.Subclass(h), h);
  DestroyWindow(h);
  EXPECT_EQ(again.finalWindow, h);
  EXPECT_FALSE(again.IsSubclassed());
  EXPECT_EQ(again.GetHWND(), nullptr);
}

// Closes the modal window from inside the loop and records the owner's state while it runs.
struct ModalProbe {
  HWND owner = nullptr;
  HWND modal = nullptr;
  bool ownerEnabledDuringLoop = true;
  bool quit = false;
};
ModalProbe g_probe;

void CALLBACK CloseModal(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_probe.ownerEnabledDuringLoop = IsWindowEnabled(g_probe.owner) != FALSE;
  if (g_probe.quit)
    PostQuitMessage(77);
  else
    PostMessageW(g_probe.modal, WM_CLOSE, 0, 0);
}

TEST(WindowWnd, ShowModalDisablesTheOwnerUntilTheWindowIsGone) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
  CRecordingWnd w;
  ASSERT_NE(w.Create(owner, L"modal", WS_POPUP, 0, 20, 20, 100, 60), nullptr);
  g_probe = ModalProbe();
  g_probe.owner = owner;
  g_probe.modal = w.GetHWND();
  SetTimer(nullptr, 0, 30, &CloseModal);
  EXPECT_TRUE(w.ShowModal());
  EXPECT_FALSE(g_probe.ownerEnabledDuringLoop);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(w.GetHWND(), nullptr);
  EXPECT_TRUE(w.Saw(WM_CLOSE));

  // A quit request ends the modal loop and is handed on to the outer loop.
  CRecordingWnd q;
  ASSERT_NE(q.Create(owner, L"modal", WS_POPUP, 0, 20, 20, 100, 60), nullptr);
  g_probe.modal = q.GetHWND();
  g_probe.quit = true;
  SetTimer(nullptr, 0, 30, &CloseModal);
  EXPECT_FALSE(q.ShowModal());
  EXPECT_TRUE(IsWindowEnabled(owner));
  MSG msg;
  bool sawQuit = false;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message == WM_QUIT) sawQuit = msg.wParam == 77;
  EXPECT_TRUE(sawQuit);
  DestroyWindow(q.GetHWND());
  DestroyWindow(owner);
}

TEST(WindowWnd, CloseIsPostedAndShowWindowShowsOrHides) {
  CRecordingWnd w;
  HWND h = w.Create(nullptr, L"c", WS_POPUP, 0, 0, 0, 60, 40);
  ASSERT_NE(h, nullptr);
  w.ShowWindow(true, false);
  EXPECT_TRUE(IsWindowVisible(h));
  w.ShowWindow(false);
  EXPECT_FALSE(IsWindowVisible(h));
  w.Close();
  EXPECT_TRUE(IsWindow(h));  // posted, not sent
  Pump();
  EXPECT_FALSE(IsWindow(h));
  w.Close();  // no window: nothing happens
}

TEST(WindowWnd, CenterWindowOnTheOwnerOrTheWorkAreaAndResizeClient) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr, nullptr,
                               nullptr);
  struct Case {
    HWND owner;
    int w, h;
    int x, y;  // expected top-left
  };
  const int workW = work.right - work.left, workH = work.bottom - work.top;
  const Case cases[] = {
      {owner, 200, 100, 200, 200},                                                           // middle of the owner
      {nullptr, 200, 100, work.left + (workW / 2 - 100), work.top + (workH / 2 - 50)},     // middle of the work area
      {nullptr, workW + 300, 100, work.left, work.top + (workH / 2 - 50)},                  // wider than the area
  };
  for (const Case& c : cases) {
    CRecordingWnd w;
    HWND h = w.Create(c.owner, L"centred", WS_POPUP, 0, 0, 0, c.w, c.h);
    ASSERT_NE(h, nullptr);
    w.CenterWindow();
    RECT rc;
    GetWindowRect(h, &rc);
    EXPECT_EQ(rc.left, c.x) << c.w;
    EXPECT_EQ(rc.top, c.y) << c.w;
    EXPECT_EQ(rc.right - rc.left, c.w);  // never resized
    DestroyWindow(h);
  }
  // An owner near the corner: the window stays inside the work area.
  SetWindowPos(owner, nullptr, work.right - 50, work.bottom - 50, 100, 100, SWP_NOZORDER);
  CRecordingWnd corner;
  corner.Create(owner, L"corner", WS_POPUP, 0, 0, 0, 200, 100);
  corner.CenterWindow();
  RECT rc;
  GetWindowRect(corner.GetHWND(), &rc);
  EXPECT_EQ(rc.right, work.right);
  EXPECT_EQ(rc.bottom, work.bottom);

  CRecordingWnd framed;
  HWND hf = framed.Create(nullptr, L"framed", WS_OVERLAPPEDWINDOW, 0, 0, 0, 300, 200);
  framed.ResizeClient(250, 120);
  RECT client;
  GetClientRect(hf, &client);
  EXPECT_EQ(client.right, 250);
  EXPECT_EQ(client.bottom, 120);
  framed.ResizeClient(-1, 90);
  GetClientRect(hf, &client);
  EXPECT_EQ(client.right, 250);
  EXPECT_EQ(client.bottom, 90);
  DestroyWindow(hf);
  DestroyWindow(corner.GetHWND());
  DestroyWindow(owner);
}

TEST(WindowWnd, IconAndStringsComeFromTheResourceModule) {
  CRecordingWnd w;
  HWND h = w.Create(nullptr, L"icon", WS_POPUP, 0, 0, 0, 60, 40);
  w.SetIcon(IDI_VORLIX);
  EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(w.LoadString(7001), L"窗口标题");
  EXPECT_EQ(w.LoadString(7999), L"");
  DestroyWindow(h);
}

}  // namespace
}  // namespace vorlix
