// The skinned frame ("Moskin") in a real window: its tree, its place among the thread loop's filters
// (the toolkit's pre-translation, nothing more) and keys that stay away from the tree.
#include <gtest/gtest.h>

#include <vector>

#include "HostsTestSupport.h"
#include "ui/hosts/CSkinFrame.h"

namespace vorlix {
namespace {

class CKeyLog : public CUIControl {
 public:
  int keyDowns = 0;
  const wchar_t* GetClass() const override { return L"KeyLogUI"; }
  unsigned GetControlFlags() const override { return UIFLAG_TABSTOP; }
  UISize GetDesiredSize(UISize) override { return UISize{}; }
  void Paint(IUIPainter&, const UIRect&) override {}
  void Event(UIEvent& e) override {
    if (e.Type == UIEVENT_KEYDOWN) ++keyDowns;
    CUIControl::Event(e);
  }
};

class CTestFrame : public CSkinFrame {
 public:
  int clicks = 0;
  CKeyLog* keys = nullptr;
  void BuildUI() override {
    CUIButton* ok = AddButton(1001, RECT{10, 10, 96, 40}, L"确定");
    ok->SetName(L"ok");
    keys = new CKeyLog;
    keys->SetPos(10, 50, 100, 80);
    GetRoot()->Add(keys);
  }
  void Notify(const UINotification& msg) override {
    if (msg.Type == UINOTIFY_CLICK && msg.pSender != nullptr && msg.pSender->GetId() == 1001) ++clicks;
  }
};

MSG KeyMessage(HWND hWnd, WPARAM vk) {
  MSG msg = {};
  msg.hwnd = hWnd;
  msg.message = WM_KEYDOWN;
  msg.wParam = vk;
  return msg;
}

TEST(SkinFrame, PreTranslatesForTheToolkitOnlyAndKeepsKeysFromTheTree) {
  test::ApplyProductSkin();
  CMessageLoop loop;
  ASSERT_TRUE(Module().AddMessageLoop(&loop));
  {
    CTestFrame frame;
    HWND hWnd = frame.Create(nullptr, L"Tavro一键回录", WS_POPUP | WS_CLIPCHILDREN, 0, 100, 100, 400, 300);
    ASSERT_NE(hWnd, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(hWnd, cls, 32);
    EXPECT_STREQ(cls, L"Moskin");
    ASSERT_NE(frame.GetManager().FindControlByName(L"ok"), nullptr);
    frame.ShowWindow();
    test::Pump();
    frame.GetManager().SetFocus(frame.keys);

    // Enter with an "ok" button: the loop's filter consumes it and presses the button.
    MSG enter = KeyMessage(hWnd, VK_RETURN);
    EXPECT_TRUE(loop.PreTranslateMessage(&enter));
    EXPECT_EQ(frame.clicks, 1);
    // Any other key is left for the loop to translate and dispatch.
    MSG letter = KeyMessage(hWnd, 'A');
    EXPECT_FALSE(loop.PreTranslateMessage(&letter));
    // Dispatched key downs go to the window's own procedure, never to the tree.
    SendMessageW(hWnd, WM_KEYDOWN, 'A', 0);
    SendMessageW(hWnd, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(frame.keys->keyDowns, 0);

    DestroyWindow(hWnd);
    EXPECT_FALSE(loop.PreTranslateMessage(&enter));  // the filter left with the window
    EXPECT_EQ(frame.clicks, 1);
  }
  Module().RemoveMessageLoop();
}

}  // namespace
}  // namespace vorlix
