// Controls in a real window: mouse messages go through the window's manager, text is measured and
// drawn with the system's fonts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls/CUIButton.h"
#include "ui/controls/CUILabel.h"
#include "ui/controls/CUIProgressBar.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/render/UIStyle.h"
#include "ui/render/win32/CGdiRenderPainter.h"
#include "unit/ui_render/CRecordingPainter.h"
#include "win/ui/NotifyLog.h"
#include "win/ui/UIManagerHost.h"

namespace vorlix {
namespace {

using test::CManagerHost;
using test::CNotifyLog;


// A 32-bit memory surface for painting controls with the system's fonts.
class CMemorySurface {
 public:
  CMemorySurface(int w, int h) {
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bmp);
  }
  ~CMemorySurface() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bmp);
    DeleteDC(m_dc);
  }
  HDC dc() const { return m_dc; }

 private:
  HDC m_dc;
  HBITMAP m_bmp;
  HGDIOBJ m_old;
};

template <class T>
T* Place(CVerticalLayoutUI* root, T* control, int id) {
  control->SetId(id);
  control->SetName(std::to_wstring(id).c_str());
  root->Add(control);
  return control;
}

void Click(CManagerHost& host, const UIRect& rc) {
  int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
  host.Mouse(WM_MOUSEMOVE, x, y);
  host.Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  host.Mouse(WM_LBUTTONUP, x, y);
}

TEST(ControlsWindow, RadioGroupThroughRealMouseMessages) {
  CManagerHost host(0, 0, 300, 300);
  CNotifyLog log;
  host.m_manager.AddNotifier(&log);
  auto* root = new CVerticalLayoutUI();
  host.m_manager.AttachRoot(root);
  CUIButton* radios[3];
  for (int i = 0; i < 3; ++i) {
    radios[i] = Place(root, new CUIButton(), 201 + i);
    radios[i]->SetText(L"choice");
    radios[i]->SetCheckStyle(UICHECKSTYLE_RADIO);
    radios[i]->SetRadioGroup(201, 204);
  }
  UpdateWindow(host.m_hWnd);
  CManagerHost::Pump(100);
  for (auto* r : radios) ASSERT_FALSE(r->GetPos().IsEmpty());

  Click(host, radios[2]->GetPos());
  EXPECT_EQ(1, radios[2]->GetCheck());
  EXPECT_EQ(1, log.Count(UINOTIFY_CLICK, 203));

  // Joins the group after the first clicks.
  auto* late = Place(root, new CUIButton(), 204);
  late->SetCheckStyle(UICHECKSTYLE_RADIO);
  late->SetRadioGroup(201, 204);
  late->SetCheck(1);
  EXPECT_EQ(0, radios[2]->GetCheck());

  Click(host, radios[0]->GetPos());
  EXPECT_EQ(1, radios[0]->GetCheck());
  EXPECT_EQ(0, late->GetCheck());
  EXPECT_EQ(0, radios[1]->GetCheck());
  host.m_manager.RemoveNotifier(&log);
}

TEST(ControlsWindow, OneLinkLabelClickableAcrossItsWidthWithSystemFonts) {
  CManagerHost host(0, 0, 300, 100);
  CNotifyLog log;
  host.m_manager.AddNotifier(&log);
  auto* root = new CVerticalLayoutUI();
  host.m_manager.AttachRoot(root);
  auto* label = Place(root, new CUILabel(), 301);
  label->SetText(L"<a>i</a>");
  UpdateWindow(host.m_hWnd);
  CManagerHost::Pump(100);
  const UIRect rc = label->GetPos();
  ASSERT_GT(rc.GetWidth(), 100);

  CMemorySurface surface(400, 200);
  {
    CGdiRenderPainter painter(surface.dc());
    label->Paint(painter, rc);
  }
  ASSERT_EQ(1, label->GetLinkCount());
  EXPECT_EQ(rc.left, label->GetLinkRect(0).left);
  EXPECT_EQ(rc.right, label->GetLinkRect(0).right);

  const UIRect link = label->GetLinkRect(0);
  const int x = rc.right - 3, y = (link.top + link.bottom) / 2;
  host.Mouse(WM_MOUSEMOVE, x, y);
  host.Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  host.Mouse(WM_LBUTTONUP, x, y);
  EXPECT_EQ(1, log.Count(UINOTIFY_LINK, 301));
  EXPECT_EQ(CStdString(L"i"), label->GetClickedLinkText());
  host.m_manager.RemoveNotifier(&log);
}

TEST(ControlsWindow, ButtonMeasuresWithTheSystemFont) {
  CManagerHost host(0, 0, 300, 100);
  auto* root = new CVerticalLayoutUI();
  host.m_manager.AttachRoot(root);
  auto* b = Place(root, new CUIButton(), 401);
  b->SetText(L"Confirm and continue");
  UISize wide = b->GetDesiredSize(UISize());
  b->SetText(L"OK");
  UISize narrow = b->GetDesiredSize(UISize());
  EXPECT_GT(wide.cx, narrow.cx + 40);
  EXPECT_GT(narrow.cx, 8);  // more than the padding
  EXPECT_GT(narrow.cy, 10);
  EXPECT_EQ(narrow.cy, wide.cy);
}

TEST(ControlsWindow, ProgressTimerRunsInTheWindow) {
  CManagerHost host(0, 0, 300, 100);
  auto* root = new CVerticalLayoutUI();
  host.m_manager.AttachRoot(root);
  auto* bar = Place(root, new CUIProgressBar(), 501);
  bar->SetAnimationInterval(10);
  bar->SetAnimationImage(std::make_shared<test::CFakeImage>(10, 30), 3);
  EXPECT_TRUE(bar->IsAnimating());
  EXPECT_TRUE(CManagerHost::PumpUntil([&] { return bar->GetCurrentFrame() == 2; }, 3000));
  bar->StartAnimation(false);
  EXPECT_FALSE(bar->IsAnimating());
}

}  // namespace
}  // namespace vorlix
