// The native edit in a real parent window: real focus changes and typed characters reach the parent as
// the three edit messages, and the placeholder label of the tree hides while the box is focused.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "ui/controls/CUILabel.h"
#include "ui/controls/win32/CUINEdit.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "win/ui/UIManagerHost.h"

namespace vorlix {
namespace {

using test::CManagerHost;

// Records the edit messages as the parent's manager sees them.
class CEditMessages : public IUIMessageFilter {
 public:
  std::vector<std::pair<UINT, WPARAM>> got;
  UILResult MessageFilter(unsigned uMsg, UIWParam wParam, UILParam, bool& bHandled) override {
    if (uMsg >= kNEditMsgKillFocus && uMsg <= kNEditMsgChanged) got.emplace_back(uMsg, wParam);
    bHandled = false;
    return 0;
  }
  int Count(UINT msg) const {
    int n = 0;
    for (const auto& m : got) n += m.first == msg ? 1 : 0;
    return n;
  }
};

TEST(NativeEditWindow, FocusAndTypingReachTheParentAndTogglePlaceholder) {
  CManagerHost host(0, 0, 300, 200);
  CEditMessages messages;
  host.m_manager.AddMessageFilter(&messages);
  auto* root = new CVerticalLayoutUI();
  host.m_manager.AttachRoot(root);
  auto* hint = new CUILabel();
  hint->SetText(L"phone number");
  root->Add(hint);
  SetForegroundWindow(host.m_hWnd);

  CUINEdit edit;
  RECT rc = {10, 10, 200, 40};
  ASSERT_NE(nullptr, edit.Create(host.m_hWnd, rc, L"", 0, 1205));
  edit.SetPlaceholderLabel(hint);
  edit.SetPadding(4, 6);
  edit.SetPos(rc);
  RECT rcWnd;
  GetWindowRect(edit.GetHWND(), &rcWnd);
  EXPECT_EQ(190 - 8, rcWnd.right - rcWnd.left);
  EXPECT_EQ(30 - 12, rcWnd.bottom - rcWnd.top);
  HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 60, 100, 20, host.m_hWnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);

  // Gaining the focus is posted: it arrives through the queue.
  SetFocus(edit.GetHWND());
  EXPECT_FALSE(hint->IsVisible());
  EXPECT_TRUE(CManagerHost::PumpUntil([&] { return messages.Count(kNEditMsgSetFocus) == 1; }));
  EXPECT_EQ(1205u, messages.got.back().second);

  // Typed characters change the text; the parent's manager reflects EN_CHANGE back to the edit.
  SendMessageW(edit.GetHWND(), WM_CHAR, L'4', 1);
  SendMessageW(edit.GetHWND(), WM_CHAR, L'2', 1);
  EXPECT_EQ(2, messages.Count(kNEditMsgChanged));
  EXPECT_STREQ(L"42", edit.GetText().GetData());

  // Losing the focus is sent at once; with text in the box the placeholder stays hidden.
  SetFocus(other);
  EXPECT_EQ(1, messages.Count(kNEditMsgKillFocus));
  EXPECT_FALSE(hint->IsVisible());

  // Emptied and left again: the placeholder comes back.
  SetFocus(edit.GetHWND());
  edit.SetText(L"");
  SetFocus(other);
  EXPECT_EQ(2, messages.Count(kNEditMsgKillFocus));
  EXPECT_TRUE(hint->IsVisible());
  CManagerHost::Pump(50);
  EXPECT_EQ(2, messages.Count(kNEditMsgSetFocus));

  // The colour request is answered with the edit's own brush and colours.
  edit.SetTextColor(RGB(0x27, 0x30, 0x4a));
  HDC hdc = GetDC(edit.GetHWND());
  LRESULT brush = SendMessageW(host.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc),
                               reinterpret_cast<LPARAM>(edit.GetHWND()));
  EXPECT_NE(0, brush);
  EXPECT_EQ(RGB(0x27, 0x30, 0x4a), GetTextColor(hdc));
  EXPECT_EQ(RGB(0xfe, 0xfe, 0xfe), GetBkColor(hdc));
  edit.SetReadOnly(true);
  SendMessageW(host.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(edit.GetHWND()));
  EXPECT_EQ(RGB(0xa7, 0xa6, 0xaa), GetTextColor(hdc));
  ReleaseDC(edit.GetHWND(), hdc);
  host.m_manager.RemoveMessageFilter(&messages);
}

}  // namespace
}  // namespace vorlix
