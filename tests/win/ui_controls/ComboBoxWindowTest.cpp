// The combo box's drop-down as a real popup window: opened by a real click, driven by real key and
// mouse messages, closed by Escape or a click on an item.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/controls/CUIComboBox.h"
#include "ui/controls/CUIVScrollBar.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "win/ui/NotifyLog.h"
#include "win/ui/ScreenBmp.h"
#include "win/ui/UIManagerHost.h"

namespace vorlix {
namespace {

using test::CManagerHost;
using test::CNotifyLog;


// With VORLIX_SCREENSHOT set, the screen goes to that file as a 24-bit BMP, to look at by eye.
void SaveScreen() {
  const char* path = std::getenv("VORLIX_SCREENSHOT");
  if (path != nullptr) test::SaveScreenBmp(path, 0, 0, 400, 300);
}

struct ComboWindow {
  CManagerHost host{0, 0, 300, 240};
  CNotifyLog log;
  CUIComboBox* combo = new CUIComboBox();
  ComboWindow() {
    RegisterStandardControls();
    host.m_manager.AddNotifier(&log);
    auto* root = new CVerticalLayoutUI();
    root->SetInset(10, 10);
    combo->SetId(30);
    root->Add(combo);
    root->Add(new CVerticalLayoutUI());  // takes the rest
    const wchar_t* texts[] = {L"1080p", L"", L"720p", L"540p"};
    for (int i = 0; i < 4; ++i) combo->AddItem(i, texts[i]);
    host.m_manager.AttachRoot(root);
    SetForegroundWindow(host.m_hWnd);
    UpdateWindow(host.m_hWnd);
    CManagerHost::Pump(100);
  }
  HWND Open() {
    const UIRect rc = combo->GetPos();
    host.Mouse(WM_MOUSEMOVE, rc.left + 20, rc.top + 5);
    host.Mouse(WM_LBUTTONDOWN, rc.left + 20, rc.top + 5, MK_LBUTTON);
    host.Mouse(WM_LBUTTONUP, rc.left + 20, rc.top + 5);
    HWND popup = FindWindowW(L"DropDownWnd", nullptr);
    CManagerHost::Pump(100);
    return popup;
  }
  static bool Gone() { return FindWindowW(L"DropDownWnd", nullptr) == nullptr; }
};

TEST(ComboBoxWindow, EscapeRestoresTheEarlierSelectionAndStillReportsIt) {
  ComboWindow w;
  ASSERT_TRUE(w.combo->SelectItem(0));
  HWND popup = w.Open();
  ASSERT_NE(nullptr, popup);
  EXPECT_TRUE(w.combo->IsDroppedDown());
  EXPECT_EQ(1, w.log.Count(UINOTIFY_DROPDOWN, 30));
  EXPECT_EQ(popup, GetFocus());
  RECT rcPopup, rcHost;
  GetWindowRect(popup, &rcPopup);
  GetWindowRect(w.host.m_hWnd, &rcHost);
  EXPECT_EQ(rcHost.top + w.combo->GetPos().bottom, rcPopup.top);
  EXPECT_EQ(w.combo->GetPos().GetWidth(), rcPopup.right - rcPopup.left);

  // Down skips the empty (disabled) item.
  PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
  CManagerHost::Pump(100);
  EXPECT_EQ(2, w.combo->GetCurSel());
  SaveScreen();

  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(CManagerHost::PumpUntil(&ComboWindow::Gone));
  CManagerHost::Pump(50);
  EXPECT_FALSE(w.combo->IsDroppedDown());
  EXPECT_EQ(0, w.combo->GetCurSel());
  EXPECT_STREQ(L"1080p", w.combo->GetText().GetData());
  EXPECT_EQ(1, w.log.Count(UINOTIFY_ITEMSELECT, 300));
  EXPECT_EQ(1, w.log.Count(UINOTIFY_SELECTCHANGED, 30));
  EXPECT_EQ(w.combo, w.host.m_manager.GetFocus());
}

TEST(ComboBoxWindow, ClickOnAnItemSelectsButTheEmptyItemCannot) {
  ComboWindow w;
  HWND popup = w.Open();
  ASSERT_NE(nullptr, popup);
  // Rows are laid out inside the popup: press on the disabled one first.
  const UIRect rcEmpty = w.combo->GetItem(1)->GetPos();
  const int ye = (rcEmpty.top + rcEmpty.bottom) / 2;
  SendMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(20, ye));
  SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, ye));
  EXPECT_EQ(-1, w.combo->GetCurSel());
  SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(20, ye));
  EXPECT_TRUE(CManagerHost::PumpUntil(&ComboWindow::Gone));
  EXPECT_EQ(-1, w.combo->GetCurSel());
  EXPECT_EQ(0, w.log.Count(UINOTIFY_SELECTCHANGED, 30));

  popup = w.Open();
  ASSERT_NE(nullptr, popup);
  const UIRect rc = w.combo->GetItem(3)->GetPos();
  const int y = (rc.top + rc.bottom) / 2;
  SendMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(20, y));
  SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, y));
  SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(20, y));
  EXPECT_TRUE(CManagerHost::PumpUntil(&ComboWindow::Gone));
  CManagerHost::Pump(50);
  EXPECT_EQ(3, w.combo->GetCurSel());
  EXPECT_EQ(1, w.log.Count(UINOTIFY_ITEMSELECT, 303));
  EXPECT_EQ(1, w.log.Count(UINOTIFY_SELECTCHANGED, 30));
}

}  // namespace
}  // namespace vorlix
