// The clip tip as the main window keeps it: made hidden, shown for a while after a saved clip, never
// taking the focus or the mouse from the window the user works in.
#include <gtest/gtest.h>

#include "screens/dialogs/win32/CDlgShotTip.h"
#include "win/settings/ScreensTestSupport.h"

namespace vorlix {
namespace {

class ShotTipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ApplyProductSkin();
    // The window the user is in: it must stay the active, focused one throughout.
    m_owner = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 200, 200, 400, 200, nullptr,
                              nullptr, nullptr, nullptr);
    SetForegroundWindow(m_owner);
    SetFocus(m_owner);
    test::Pump(100);
  }
  void TearDown() override { DestroyWindow(m_owner); }
  HWND m_owner = nullptr;
};

TEST_F(ShotTipTest, MadeHiddenAtTheTopRightAndTopmost) {
  CDlgShotTip tip;
  ASSERT_TRUE(tip.Create(m_owner));
  HWND w = tip.GetHWND();
  test::Pump(100);
  EXPECT_FALSE(IsWindowVisible(w));
  RECT rc;
  GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, GetSystemMetrics(SM_CXFULLSCREEN) - CDlgShotTip::kWidth);
  EXPECT_EQ(rc.top, CDlgShotTip::kTop);
  EXPECT_EQ(rc.right - rc.left, CDlgShotTip::kWidth);
  EXPECT_EQ(rc.bottom - rc.top, CDlgShotTip::kHeight);
  EXPECT_NE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  CUIControl* text = tip.GetControl(1);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text->GetText().GetData(), L"<b>视频已保存至云空间</b>");
}

TEST_F(ShotTipTest, ShowsBrieflyWithoutTakingFocusOrClicks) {
  CDlgShotTip tip;
  ASSERT_TRUE(tip.Create(m_owner));
  HWND w = tip.GetHWND();
  test::Pump(100);
  ASSERT_EQ(GetForegroundWindow(), m_owner);
  const DWORD shownAt = GetTickCount();
  tip.ShowBriefly();
  test::Pump(300);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(GetForegroundWindow(), m_owner);
  EXPECT_EQ(GetFocus(), m_owner);

  const std::wstring dir = test::ScreenshotDir();
  if (!dir.empty()) {
    EXPECT_TRUE(test::SaveScreenOfWindowPng(w, dir + L"clip-tip.png"));
  }

  // A real click on it goes nowhere: the user's window stays active and focused.
  EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(GetSystemMetrics(SM_CXFULLSCREEN) - 120, 70)), HTNOWHERE);
  RECT rc;
  GetWindowRect(w, &rc);
  test::ClickAt(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
  test::Pump(300);
  EXPECT_EQ(GetForegroundWindow(), m_owner);
  EXPECT_EQ(GetFocus(), m_owner);
  EXPECT_TRUE(IsWindowVisible(w));

  ASSERT_TRUE(test::PumpUntil([w] { return !IsWindowVisible(w); }, 6000));
  const DWORD shownFor = GetTickCount() - shownAt;
  EXPECT_GE(shownFor, CDlgShotTip::kShowMs - 100);
  EXPECT_LT(shownFor, CDlgShotTip::kShowMs + 1500);
  EXPECT_TRUE(IsWindow(w)) << "the tip lives on, hidden, for the next clip";
  EXPECT_EQ(GetForegroundWindow(), m_owner);
}

}  // namespace
}  // namespace vorlix
