// The extras that own native windows, in a real host window: the edit's editor and the menu button's
// drop-down, driven by real focus changes, typed characters and mouse messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/controls/CUIButton.h"
#include "ui/extra/CUIEdit.h"
#include "ui/extra/CUIMenuButton.h"
#include "ui/extra/CUILabelLine.h"
#include "ui/extra/CUIList.h"
#include "ui/extra/CUIListHeaderItem.h"
#include "ui/extra/CUIListTextElement.h"
#include "ui/extra/CUIPageOption.h"
#include "ui/extra/CUIPageSheet.h"
#include "ui/extra/CUISliderctrl.h"
#include "ui/extra/CUISubMenu.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "win/ui/NotifyLog.h"
#include "win/ui/ScreenBmp.h"
#include "win/ui/UIManagerHost.h"

namespace vorlix {
namespace {

using test::CManagerHost;
using test::CNotifyLog;


template <class T>
T* Place(CVerticalLayoutUI* root, T* control, int id) {
  control->SetId(id);
  control->SetName(std::to_wstring(id).c_str());
  root->Add(control);
  return control;
}

void LayOut(CManagerHost& host) {
  InvalidateRect(host.m_hWnd, nullptr, FALSE);
  UpdateWindow(host.m_hWnd);
  CManagerHost::Pump(50);
}

void Press(HWND hwnd, UIPoint pt) {
  const LPARAM at = MAKELPARAM(pt.x, pt.y);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

UIPoint Centre(const UIRect& rc) { return MakeUIPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }

HWND FindEditor(HWND host) { return FindWindowExW(host, nullptr, L"SingleLineEditWnd", nullptr); }

BOOL CALLBACK FindDropDownProc(HWND hwnd, LPARAM param) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (std::wstring(name) != L"MenuButtonWnd") return TRUE;
  *reinterpret_cast<HWND*>(param) = hwnd;
  return FALSE;
}

// Popups of this thread only.
HWND FindDropDown() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindDropDownProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Writes the screen area of a window as a 24-bit BMP when VORLIX_EXTRA_SHOT names a file.
void Screenshot(HWND hwnd, const char* suffix) {
  const char* base = std::getenv("VORLIX_EXTRA_SHOT");
  if (base == nullptr) return;
  RECT rc;
  GetWindowRect(hwnd, &rc);
  test::SaveScreenBmp(std::string(base) + suffix + ".bmp", rc.left, rc.top, rc.right - rc.left,
                      rc.bottom - rc.top + 160);
}

struct CEditHost {
  CManagerHost host{40, 40, 300, 200};
  CNotifyLog log;
  CVerticalLayoutUI* root = new CVerticalLayoutUI();
  CUIEdit* edit;
  CUIButton* other;

  CEditHost() {
    host.m_manager.AddNotifier(&log);
    host.m_manager.AttachRoot(root);
    edit = Place(root, new CUIEdit(), 11);
    other = Place(root, new CUIButton(), 12);
    other->SetText(L"other");
    edit->SetText(L"start");
    SetForegroundWindow(host.m_hWnd);
    SetFocus(host.m_hWnd);
    LayOut(host);
    // The first layout focuses the first tab stop, the edit; start from an unfocused one.
    host.m_manager.ClearFocus();
    CManagerHost::PumpUntil([&] { return FindEditor(host.m_hWnd) == nullptr; });
    log.events.clear();
  }
};

TEST(ExtraWindow, EditShowsItsEditorWhileFocusedAndReportsTypingAndFocusLoss) {
  CEditHost h;
  ASSERT_FALSE(h.edit->GetPos().IsEmpty());
  EXPECT_EQ(nullptr, FindEditor(h.host.m_hWnd));

  Press(h.host.m_hWnd, Centre(h.edit->GetPos()));
  HWND editor = FindEditor(h.host.m_hWnd);
  ASSERT_NE(nullptr, editor);
  EXPECT_TRUE(IsWindowVisible(editor));
  EXPECT_TRUE(CManagerHost::PumpUntil([&] { return GetFocus() == editor; })) << "the editor has the keyboard";
  RECT rc;
  GetWindowRect(editor, &rc);
  MapWindowPoints(nullptr, h.host.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
  const UIRect text = h.edit->GetTextRect();
  EXPECT_EQ(text.left, rc.left);
  EXPECT_EQ(text.top, rc.top);
  EXPECT_EQ(text.right, rc.right);
  wchar_t shown[32] = {};
  GetWindowTextW(editor, shown, 32);
  EXPECT_EQ(std::wstring(L"start"), shown);

  // Typing replaces the selected text; each change is a TextChanged with the text already taken over.
  SendMessageW(editor, WM_CHAR, L'x', 1);
  SendMessageW(editor, WM_CHAR, L'y', 1);
  EXPECT_EQ(L"xy", std::wstring(h.edit->GetText()));
  EXPECT_EQ(2, h.log.Count(UINOTIFY_TEXTCHANGED, 11));
  Screenshot(h.host.m_hWnd, "-edit");

  // The keyboard goes back to the host window: the editor goes, and one KillFocus comes.
  SetFocus(h.host.m_hWnd);
  EXPECT_EQ(1, h.log.Count(UINOTIFY_KILLFOCUS, 11));
  EXPECT_EQ(nullptr, h.host.m_manager.GetFocus());
  EXPECT_TRUE(CManagerHost::PumpUntil([&] { return FindEditor(h.host.m_hWnd) == nullptr; }));
  EXPECT_EQ(1, h.log.Count(UINOTIFY_KILLFOCUS, 11));
  EXPECT_EQ(L"xy", std::wstring(h.edit->GetText()));
}

TEST(ExtraWindow, EditEditorClosesWhenAnotherControlTakesTheFocus) {
  CEditHost h;
  Press(h.host.m_hWnd, Centre(h.edit->GetPos()));
  ASSERT_NE(nullptr, FindEditor(h.host.m_hWnd));
  Press(h.host.m_hWnd, Centre(h.other->GetPos()));
  EXPECT_EQ(h.other, h.host.m_manager.GetFocus());
  EXPECT_TRUE(CManagerHost::PumpUntil([&] { return FindEditor(h.host.m_hWnd) == nullptr; }));
  EXPECT_EQ(1, h.log.Count(UINOTIFY_KILLFOCUS, 11));
  EXPECT_EQ(h.host.m_hWnd, GetFocus()) << "the keyboard is back with the window";

  // Read-only: no editor at all.
  h.edit->SetReadOnly(true);
  Press(h.host.m_hWnd, Centre(h.edit->GetPos()));
  EXPECT_EQ(h.edit, h.host.m_manager.GetFocus());
  EXPECT_EQ(nullptr, FindEditor(h.host.m_hWnd));
}

struct CMenuHost {
  CManagerHost host{40, 40, 300, 200};
  CNotifyLog log;
  CVerticalLayoutUI* root = new CVerticalLayoutUI();
  CUIMenuButton* button;

  CMenuHost() {
    host.m_manager.AddNotifier(&log);
    host.m_manager.AttachRoot(root);
    button = Place(root, new CUIMenuButton(), 7);
    button->SetText(L"menu");
    button->AddItem(L"first");
    button->AddItem(L"second");
    button->AddItem(L"third");
    // Filler below, so the button keeps its own height.
    Place(root, new CUIButton(), 8);
    SetForegroundWindow(host.m_hWnd);
    LayOut(host);
    log.events.clear();
  }
};

TEST(ExtraWindow, MenuButtonDropDownPicksAnItemThenNotifies) {
  CMenuHost h;
  Press(h.host.m_hWnd, Centre(h.button->GetPos()));
  HWND drop = FindDropDown();
  ASSERT_NE(nullptr, drop);
  EXPECT_TRUE(IsWindowVisible(drop));
  EXPECT_TRUE(h.button->IsDropDownOpen());
  // The press sends Click, then the drop-down opens.
  const std::vector<std::pair<int, int>> opened = {{0, 7}, {6, 7}};
  EXPECT_EQ(opened, h.log.events);
  EXPECT_EQ(1, h.log.Count(UINOTIFY_DROPDOWN, 7)) << "the release does not open it again";

  // Right below the button, as wide as it, tall enough for the three items and the menu's inset.
  RECT rc;
  GetWindowRect(drop, &rc);
  POINT origin = {h.button->GetPos().left, h.button->GetPos().bottom};
  ClientToScreen(h.host.m_hWnd, &origin);
  EXPECT_EQ(origin.x, rc.left);
  EXPECT_EQ(origin.y, rc.top);
  EXPECT_EQ(h.button->GetPos().GetWidth(), rc.right - rc.left);
  CUISubMenu* second = h.button->GetItem(1);
  EXPECT_EQ(3 * second->GetDesiredSize(UISize()).cy + 6, rc.bottom - rc.top);
  InvalidateRect(drop, nullptr, FALSE);
  UpdateWindow(drop);
  EXPECT_NE(second->GetManager(), &h.host.m_manager) << "the items live in the drop-down's tree";
  Screenshot(h.host.m_hWnd, "-menu");

  h.log.events.clear();
  Press(drop, Centre(second->GetPos()));
  EXPECT_TRUE(h.log.events.empty()) << "nothing before the drop-down is gone";
  ASSERT_TRUE(CManagerHost::PumpUntil([&] { return FindDropDown() == nullptr; }));
  ASSERT_EQ(2u, h.log.events.size());
  EXPECT_EQ(std::make_pair(8, 71), h.log.events[0]);   // ItemSelect from the item
  EXPECT_EQ(std::make_pair(10, 7), h.log.events[1]);   // SelectChanged from the button
  EXPECT_EQ(1, h.button->GetCurSel());
  EXPECT_FALSE(h.button->IsDropDownOpen());
  EXPECT_EQ(&h.host.m_manager, second->GetManager()) << "the items came back";
}

TEST(ExtraWindow, MenuButtonEscapeAndLostFocusCloseWithoutAPick) {
  CMenuHost h;
  struct Case {
    const char* what;
    bool escape;
  } cases[] = {{"escape", true}, {"focus to the host", false}};
  for (const Case& c : cases) {
    h.log.events.clear();
    Press(h.host.m_hWnd, Centre(h.button->GetPos()));
    HWND drop = FindDropDown();
    ASSERT_NE(nullptr, drop) << c.what;
    if (c.escape) {
      SendMessageW(drop, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
      SetFocus(h.host.m_hWnd);
    }
    EXPECT_TRUE(CManagerHost::PumpUntil([&] { return FindDropDown() == nullptr; })) << c.what;
    EXPECT_EQ(0, h.log.Count(UINOTIFY_ITEMSELECT, 70) + h.log.Count(UINOTIFY_ITEMSELECT, 71) +
                     h.log.Count(UINOTIFY_ITEMSELECT, 72))
        << c.what;
    EXPECT_EQ(0, h.log.Count(UINOTIFY_SELECTCHANGED, 7)) << c.what;
    EXPECT_EQ(-1, h.button->GetCurSel()) << c.what;
  }
  // Destroying the button while its drop-down is open takes the drop-down with it.
  Press(h.host.m_hWnd, Centre(h.button->GetPos()));
  ASSERT_NE(nullptr, FindDropDown());
  h.root->Remove(h.button);
  EXPECT_EQ(nullptr, FindDropDown());
}

TEST(ExtraWindow, TabFolderListAndSliderThroughWindowMessages) {
  CManagerHost host(40, 40, 320, 300);
  CNotifyLog log;
  host.m_manager.AddNotifier(&log);
  auto* root = new CVerticalLayoutUI();
  host.m_manager.AttachRoot(root);
  auto* slider = Place(root, new CUISliderctrl(), 20);
  Place(root, new CUILabelLine(), 21);
  auto* sheet = Place(root, new CUIPageSheet(), 30);
  auto* listPage = new CUIPageOption();
  listPage->SetText(L"列表");
  auto* otherPage = new CUIPageOption();
  otherPage->SetText(L"其他");
  sheet->Add(listPage);
  sheet->Add(otherPage);
  auto* list = new CUIList();
  list->SetId(40);
  listPage->Add(list);
  const wchar_t* titles[2] = {L"名称", L"大小"};
  for (int i = 0; i < 2; ++i) {
    auto* column = new CUIListHeaderItem();
    column->SetText(titles[i]);
    if (i == 0) column->SetAttribute(L"width", L"120");
    list->Add(column);
  }
  for (int i = 0; i < 4; ++i) {
    auto* row = new CUIListTextElement();
    row->SetId(100 + i);
    row->SetColumnText(0, (L"clip_" + std::to_wstring(i) + L".mp4").c_str());
    row->SetColumnText(1, (std::to_wstring(10 + i) + L" MB").c_str());
    list->Add(row);
  }
  slider->SetValue(40);
  SetForegroundWindow(host.m_hWnd);
  LayOut(host);
  log.events.clear();

  // A row pressed with the mouse, then Down typed on the keyboard.
  Press(host.m_hWnd, Centre(list->GetItem(1)->GetPos()));
  host.Send(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(2, list->GetCurSel());
  EXPECT_EQ(1, log.Count(UINOTIFY_ITEMSELECT, 101));
  EXPECT_EQ(1, log.Count(UINOTIFY_ITEMSELECT, 102));
  EXPECT_EQ(2, log.Count(UINOTIFY_SELECTCHANGED, 40));
  InvalidateRect(host.m_hWnd, nullptr, FALSE);
  UpdateWindow(host.m_hWnd);
  CManagerHost::Pump(200);
  Screenshot(host.m_hWnd, "-list");

  // The slider follows the pointer across its track.
  const UIRect track = slider->GetPos();
  const LPARAM at = MAKELPARAM(track.left + 5 + (track.GetWidth() - 10) / 4, (track.top + track.bottom) / 2);
  host.Send(WM_MOUSEMOVE, 0, at);
  host.Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
  host.Send(WM_LBUTTONUP, 0, at);
  EXPECT_EQ(25, slider->GetValue());
  EXPECT_EQ(1, log.Count(UINOTIFY_VALUECHANGED, 20));
  EXPECT_EQ(1, log.Count(UINOTIFY_CLICK, 20));

  // The second tab: Click, then SelectChanged; the list is out of reach afterwards.
  log.events.clear();
  LayOut(host);
  Press(host.m_hWnd, Centre(sheet->GetTabRect(1)));
  // (The press first moves the tree focus from the slider to the folder.)
  const std::vector<std::pair<int, int>> selected = {{4, 20}, {3, 30}, {0, 30}, {10, 30}};
  EXPECT_EQ(selected, log.events);
  LayOut(host);
  EXPECT_NE(list, host.m_manager.FindControlAt(Centre(sheet->GetPageRect())));
  CManagerHost::Pump(200);
  Screenshot(host.m_hWnd, "-tabs");
}

}  // namespace
}  // namespace vorlix
