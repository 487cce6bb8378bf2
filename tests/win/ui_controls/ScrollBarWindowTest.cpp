// A scrolling vertical layout in a real window: the bar appears on the first paint, real mouse and
// wheel messages move it, and the held arrow repeats through the window's timer.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls/CUIListLabelElement.h"
#include "ui/controls/CUIVScrollBar.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "win/ui/UIManagerHost.h"

namespace vorlix {
namespace {

using test::CManagerHost;

TEST(ScrollBarWindow, RealMessagesScrollAVerticalLayout) {
  RegisterStandardControls();
  CManagerHost host(0, 0, 200, 120);
  auto* root = new CVerticalLayoutUI();
  root->EnableScrollBar(true);
  std::vector<CUIListLabelElement*> rows;
  for (int i = 0; i < 12; ++i) {
    auto* row = new CUIListLabelElement();
    row->SetFixedHeight(20);
    row->SetText((L"row " + std::to_wstring(i)).c_str());
    root->Add(row);
    rows.push_back(row);
  }
  host.m_manager.AttachRoot(root);
  UpdateWindow(host.m_hWnd);
  CManagerHost::Pump(100);
  auto* bar = dynamic_cast<CUIVScrollBar*>(root->GetScrollBar());
  ASSERT_NE(nullptr, bar);
  const UIRect rcBar = bar->GetPos();
  EXPECT_EQ(120, rcBar.GetHeight());
  EXPECT_EQ(20, bar->GetLineSize());

  // A press on the down arrow moves one line at once; held, the 500 ms repeat moves again.
  const int x = (rcBar.left + rcBar.right) / 2, y = rcBar.bottom - 3;
  host.Mouse(WM_MOUSEMOVE, x, y);
  host.Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  EXPECT_EQ(20, root->GetScrollPos());
  EXPECT_EQ(-20, rows[0]->GetPos().top);
  EXPECT_TRUE(CManagerHost::PumpUntil([&] { return root->GetScrollPos() >= 40; }, 2000));
  host.Mouse(WM_LBUTTONUP, x, y);
  const int afterRepeat = root->GetScrollPos();
  CManagerHost::Pump(700);
  EXPECT_EQ(afterRepeat, root->GetScrollPos());  // released: the repeat stopped

  // The bar has the focus now; a wheel notch toward the user is one line down, away one line up.
  host.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(x, y));
  EXPECT_EQ(afterRepeat + 20, root->GetScrollPos());
  host.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(x, y));
  EXPECT_EQ(afterRepeat, root->GetScrollPos());

  // End goes to the last page and no further: 12 rows of 20 in 120 pixels.
  UIEvent end;
  end.Type = UIEVENT_KEYDOWN;
  end.chKey = VK_END;
  root->Event(end);
  EXPECT_EQ(120, root->GetScrollPos());
  EXPECT_EQ(100, rows[11]->GetPos().top);
}

}  // namespace
}  // namespace vorlix
