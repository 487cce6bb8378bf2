// The skinned message box run modally, driven by real keyboard and mouse input from a timer inside its
// loop: results per button, Enter and Escape, the close button, the size that follows the text, and
// (with VORLIX_SCREENSHOT_DIR set) a picture of each kind of box.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "HostsTestSupport.h"
#include "ui/hosts/DlgMessgeBox.h"

namespace vorlix {
namespace {

enum Action { kEnter, kEscape, kClickClose, kClick4, kClick5, kClick6, kClick7, kCloseRequest };

struct Driver {
  DlgMessgeBox* box = nullptr;  // null: the active window is the box
  std::vector<Action> actions;
  std::size_t next = 0;
  RECT rcWindow = {};
  bool hadIcon = false;
  std::wstring screenshot;  // saved before the first action
  UINT_PTR timer = 0;
};
Driver g_drv;

HWND BoxWindow() { return g_drv.box != nullptr ? g_drv.box->GetHWND() : GetActiveWindow(); }

void ClickControl(HWND hWnd, int id) {
  const UIMessageBoxLayout& l = g_drv.box->GetLayout();
  UIRect rc = id == kMsgBoxCloseId ? l.rcClose : UIRect();
  for (const UIMessageBoxButton& b : l.buttons)
    if (b.id == id) rc = b.rc;
  test::ClickAt(test::ClientPointToScreen(hWnd, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
}

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD) {
  HWND hWnd = BoxWindow();
  if (hWnd == nullptr) return;
  if (g_drv.next == 0) {
    GetWindowRect(hWnd, &g_drv.rcWindow);
    g_drv.hadIcon = g_drv.box != nullptr && g_drv.box->GetControl(kMsgBoxIconId) != nullptr;
    if (!g_drv.screenshot.empty()) test::SaveWindowPng(hWnd, g_drv.screenshot);
  }
  if (g_drv.next >= g_drv.actions.size()) {
    PostMessageW(hWnd, WM_CLOSE, 0, 0);  // nothing closed it: end the box so the test goes on
    return;
  }
  switch (g_drv.actions[g_drv.next++]) {
    case kEnter: test::Key(VK_RETURN); break;
    case kEscape: test::Key(VK_ESCAPE); break;
    case kClickClose: ClickControl(hWnd, kMsgBoxCloseId); break;
    case kClick4: ClickControl(hWnd, kMsgBoxOkId); break;
    case kClick5: ClickControl(hWnd, kMsgBoxCancelId); break;
    case kClick6: ClickControl(hWnd, kMsgBoxYesId); break;
    case kClick7: ClickControl(hWnd, kMsgBoxNoId); break;
    case kCloseRequest: PostMessageW(hWnd, WM_CLOSE, 0, 0); break;
  }
}

class SkinMessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ApplyProductSkin();
    m_owner = CreateWindowExW(0, L"STATIC", L"主窗口", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 800, nullptr, nullptr,
                              nullptr, nullptr);
    SetForegroundWindow(m_owner);
  }
  void TearDown() override { DestroyWindow(m_owner); }

  int Run(const wchar_t* text, UINT type, std::vector<Action> actions, const std::wstring& shot = L"") {
    const UIMessageBoxStyle& s = GetMessageBoxStyle();
    DlgMessgeBox box(text, L"提示", type, static_cast<UINT>(s.nTemplateId), nullptr, nullptr);
    g_drv = Driver();
    g_drv.box = &box;
    g_drv.actions = std::move(actions);
    g_drv.screenshot = shot;
    g_drv.timer = SetTimer(nullptr, 0, shot.empty() ? 150 : 400, &Drive);
    INT_PTR r = box.DoModal(m_owner);
    KillTimer(nullptr, g_drv.timer);
    EXPECT_EQ(r, box.GetResult());
    return box.GetResult();
  }

  HWND m_owner = nullptr;
};

struct ResultCase {
  UINT type;
  std::vector<Action> actions;
  int result;
};

TEST_F(SkinMessageBoxTest, ButtonsKeysAndCloseGiveTheirResults) {
  const ResultCase cases[] = {
      {MB_YESNO, {kClick6}, IDYES},
      {MB_YESNO, {kClick7}, IDNO},
      {MB_YESNO, {kEnter}, IDYES},
      {MB_YESNO, {kEscape}, IDNO},  // the no button is this box's "cancel"
      {MB_YESNO, {kClickClose}, IDCANCEL},
      {MB_OKCANCEL, {kClick4}, IDOK},
      {MB_OKCANCEL, {kEnter}, IDOK},
      {MB_OKCANCEL, {kEscape}, IDCANCEL},
      {MB_OKCANCEL | MB_ICONQUESTION, {kClick5}, IDCANCEL},
      {MB_YESNOCANCEL, {kClick5}, IDCANCEL},
      {MB_YESNOCANCEL, {kClick7}, IDNO},
      {MB_YESNOCANCEL, {kEnter}, IDYES},
      {MB_YESNOCANCEL, {kEscape}, IDCANCEL},  // the cancel button, as in the system's own box
      {MB_OK, {kEscape, kEnter}, IDOK},  // no "cancel" here: Escape leaves the box open
      {MB_OK | MB_ICONERROR, {kCloseRequest}, IDCANCEL},
  };
  for (const ResultCase& c : cases) {
    EXPECT_EQ(Run(L"确定要删除这段视频吗？", c.type, c.actions), c.result) << "type " << c.type << " first action "
                                                                       << c.actions[0];
    EXPECT_TRUE(IsWindowEnabled(m_owner));
  }
}

TEST_F(SkinMessageBoxTest, WidthFollowsALongLineButNeverFallsBelowTwoButtons) {
  const int floor = 3 * 25 + 2 * 86;
  Run(L"好", MB_OK, {kEnter});
  const int shortWidth = g_drv.rcWindow.right - g_drv.rcWindow.left;
  EXPECT_TRUE(g_drv.hadIcon);
  EXPECT_EQ(shortWidth, floor);
  EXPECT_EQ(Run(L"好", MB_YESNOCANCEL, {kEnter}), IDYES);
  EXPECT_EQ(g_drv.rcWindow.right - g_drv.rcWindow.left, floor + 55);

  const wchar_t* longText = L"上传失败，请检查网络连接后重新上传，或者稍后在云空间中查看已经上传成功的视频片段";
  Run(longText, MB_OK, {kEnter});
  const int longWidth = g_drv.rcWindow.right - g_drv.rcWindow.left;
  EXPECT_GT(longWidth, shortWidth + 400);  // 40 CJK characters on one line
  const int height = g_drv.rcWindow.bottom - g_drv.rcWindow.top;
  EXPECT_EQ(height, 30 + 75 + 30 + 32);  // still one line: the icon is the taller part

  // A line feed breaks the text: the box gets taller, not wider than its longest line.
  Run(L"第一行\n第二行\n第三行", MB_OK, {kEnter});
  EXPECT_EQ(g_drv.rcWindow.right - g_drv.rcWindow.left, floor);
  EXPECT_GT(g_drv.rcWindow.bottom - g_drv.rcWindow.top, 30 + 75 + 30 + 32);
}

TEST_F(SkinMessageBoxTest, SkinMessageBoxShowsOverTheActiveWindow) {
  g_drv = Driver();
  g_drv.actions = {kEscape};
  g_drv.timer = SetTimer(nullptr, 0, 200, &Drive);
  int r = SkinMessageBox(nullptr, L"是否退出？", L"提示", MB_YESNO);
  KillTimer(nullptr, g_drv.timer);
  EXPECT_EQ(r, IDNO);
  // The owner was the active window: centred on it.
  const int cx = (g_drv.rcWindow.left + g_drv.rcWindow.right) / 2;
  EXPECT_NEAR(cx, 640, 1);
}

// Pictures of each kind of box for the documentation: run with VORLIX_SCREENSHOT_DIR set.
TEST_F(SkinMessageBoxTest, Screenshots) {
  const char* dir = std::getenv("VORLIX_SCREENSHOT_DIR");
  if (dir == nullptr || *dir == 0) GTEST_SKIP() << "VORLIX_SCREENSHOT_DIR not set";
  std::wstring base;
  for (const char* p = dir; *p; ++p) base.push_back(static_cast<wchar_t>(*p));
  if (base.back() != L'\\' && base.back() != L'/') base.push_back(L'\\');
  struct Shot {
    const wchar_t* name;
    UINT type;
    const wchar_t* text;
  };
  const Shot shots[] = {
      {L"msgbox-ok.png", MB_OK, L"视频已保存至云空间"},
      {L"msgbox-okcancel.png", MB_OKCANCEL | MB_ICONQUESTION, L"确定要删除这段视频吗？"},
      {L"msgbox-yesno.png", MB_YESNO | MB_ICONQUESTION, L"上传成功，前往云空间查看"},
      {L"msgbox-yesnocancel.png", MB_YESNOCANCEL | MB_ICONEXCLAMATION, L"录制尚未结束，是否保存当前录像？"},
      {L"msgbox-long.png", MB_OK | MB_ICONERROR,
       L"上传失败，请检查网络连接后重新上传，或者稍后在云空间中查看已经上传成功的视频片段"},
  };
  // The display's pointer rests in the middle of the screen; boxes centred on a smaller owner in the
  // top-left quarter stay clear of it, so no button is drawn hovered.
  SetWindowPos(m_owner, nullptr, 0, 0, 640, 380, SWP_NOZORDER | SWP_NOACTIVATE);
  for (const Shot& s : shots) {
    std::wstring path = base + s.name;
    DeleteFileW(path.c_str());
    Run(s.text, s.type, {kCloseRequest}, path);
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << s.name;
  }
}

}  // namespace
}  // namespace vorlix
