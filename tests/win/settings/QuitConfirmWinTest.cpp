// The quit confirmation run modally over a stand-in main window and answered with real clicks: the three
// results, the two settings it writes, and what it starts from.
#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "screens/dialogs/win32/CDlgQuitConfirm.h"
#include "win/settings/ScreensTestSupport.h"

namespace vorlix {
namespace {

using test::CModalDriver;

// Centres of the dialog's controls in its client area.
POINT Centre(int id) {
  switch (id) {
    case CDlgQuitConfirm::kCloseId: return {376, 18};
    case CDlgQuitConfirm::kOkId: return {251, 154};
    case CDlgQuitConfirm::kCancelId: return {336, 154};
    case CDlgQuitConfirm::kMinimizeId: return {90, 75};
    case CDlgQuitConfirm::kExitId: return {90, 95};
    case CDlgQuitConfirm::kDontRemindId: return {30, 162};
    default: return {0, 0};
  }
}

class QuitConfirmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ApplyProductSkin();
    RemoveFile(GetConfigPath());
    m_owner = CreateWindowExW(0, L"STATIC", L"主窗口", WS_POPUP | WS_VISIBLE, 100, 100, 552, 304, nullptr, nullptr,
                              nullptr, nullptr);
    SetForegroundWindow(m_owner);
  }
  void TearDown() override {
    DestroyWindow(m_owner);
    RemoveFile(GetConfigPath());
  }

  // Clicks the controls in order (waiting for the dialog first) and returns the dialog's result.
  int Run(const std::vector<int>& clicks, bool* sawPreselection = nullptr, int preselected = 0) {
    CDlgQuitConfirm dlg;
    std::vector<CModalDriver::Step> steps;
    steps.push_back([&dlg, sawPreselection, preselected] {
      if (dlg.GetHWND() == nullptr || !IsWindowVisible(dlg.GetHWND())) return false;
      if (sawPreselection != nullptr) {
        auto* c = static_cast<IUIChecked*>(dlg.GetControl(preselected)->GetInterface(L"UIChecked"));
        *sawPreselection = c->GetCheck() != 0;
      }
      return true;
    });
    for (int id : clicks)
      steps.push_back([&dlg, id] {
        POINT p = Centre(id);
        test::ClickClient(dlg.GetHWND(), p.x, p.y);
        return true;
      });
    CModalDriver driver(steps, 120, 8000);
    driver.SetWindowToClose([&dlg] { return dlg.GetHWND(); });
    int result = static_cast<int>(dlg.DoModal(m_owner));
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(IsWindowEnabled(m_owner));
    return result;
  }

  HWND m_owner = nullptr;
};

TEST_F(QuitConfirmTest, ConfirmingGivesTheChosenResultAndWritesBothSettings) {
  struct Case {
    const char* what;
    std::vector<int> clicks;
    int result;
    int minimizeOnClose;
    int confirmQuit;
  } cases[] = {
      {"minimise, the default", {CDlgQuitConfirm::kOkId}, 1, 1, 1},
      {"quit", {CDlgQuitConfirm::kExitId, CDlgQuitConfirm::kOkId}, 0, 0, 1},
      {"minimise, do not ask again", {CDlgQuitConfirm::kDontRemindId, CDlgQuitConfirm::kOkId}, 1, 1, 0},
      {"quit, do not ask again",
       {CDlgQuitConfirm::kExitId, CDlgQuitConfirm::kDontRemindId, CDlgQuitConfirm::kOkId},
       0,
       0,
       0},
  };
  for (const Case& c : cases) {
    RemoveFile(GetConfigPath());
    EXPECT_EQ(Run(c.clicks), c.result) << c.what;
    EXPECT_EQ(GetMinimizeOnClose(), c.minimizeOnClose) << c.what;
    EXPECT_EQ(GetConfirmQuit(), c.confirmQuit) << c.what;
  }
}

TEST_F(QuitConfirmTest, DismissingGivesTwoAndWritesNothing) {
  for (int id : {CDlgQuitConfirm::kCloseId, CDlgQuitConfirm::kCancelId}) {
    // Choices made before dismissing are not kept either.
    EXPECT_EQ(Run({CDlgQuitConfirm::kExitId, CDlgQuitConfirm::kDontRemindId, id}), 2) << id;
    EXPECT_FALSE(FileExists(GetConfigPath())) << id;
  }
}

TEST_F(QuitConfirmTest, TheStoredChoiceIsPreselected) {
  bool checked = false;
  SetMinimizeOnClose(false);
  EXPECT_EQ(Run({CDlgQuitConfirm::kOkId}, &checked, CDlgQuitConfirm::kExitId), 0);
  EXPECT_TRUE(checked);
  SetMinimizeOnClose(true);
  EXPECT_EQ(Run({CDlgQuitConfirm::kOkId}, &checked, CDlgQuitConfirm::kMinimizeId), 1);
  EXPECT_TRUE(checked);
}

TEST_F(QuitConfirmTest, ShowQuitConfirmRunsOverTheOwnerWithItsSize) {
  RECT rc = {};
  HWND owner = m_owner;
  std::vector<CModalDriver::Step> steps = {[&rc, owner] {
    HWND dlg = test::FindOwnedDialog(owner);
    if (dlg == nullptr) return false;
    GetWindowRect(dlg, &rc);
    test::ClickClient(dlg, Centre(CDlgQuitConfirm::kCancelId).x, Centre(CDlgQuitConfirm::kCancelId).y);
    return true;
  }};
  CModalDriver driver(steps, 120, 8000);
  driver.SetWindowToClose([owner] { return test::FindOwnedDialog(owner); });
  EXPECT_EQ(ShowQuitConfirm(m_owner), 2);
  EXPECT_EQ(rc.right - rc.left, CDlgQuitConfirm::kWidth);
  EXPECT_EQ(rc.bottom - rc.top, CDlgQuitConfirm::kHeight);
  // Centred on the owner (100, 100, 552 x 304).
  EXPECT_NEAR((rc.left + rc.right) / 2, 100 + 552 / 2, 1);
  EXPECT_NEAR((rc.top + rc.bottom) / 2, 100 + 304 / 2, 1);
}

TEST_F(QuitConfirmTest, Screenshot) {
  const std::wstring dir = test::ScreenshotDir();
  if (dir.empty()) GTEST_SKIP() << "VORLIX_SCREENSHOT_DIR not set";
  CDlgQuitConfirm dlg;
  bool saved = false;
  CModalDriver driver({[&] {
                         if (dlg.GetHWND() == nullptr || !IsWindowVisible(dlg.GetHWND())) return false;
                         SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
                         test::Pump(300);
                         saved = test::SaveScreenOfWindowPng(dlg.GetHWND(), dir + L"quit-confirm.png");
                         return true;
                       }},
                      200, 8000);
  driver.SetWindowToClose([&dlg] { return dlg.GetHWND(); });
  dlg.DoModal(m_owner);
  EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace vorlix
