#pragma once
// The settings dialog's Wine tests: a private roaming folder for the recorder's files, a stand-in main
// window that records what the dialog sends it, and the dialog run modally with a driver.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "screens/settings/win32/CDlgSetting.h"
#include "shell/WindowMessages.h"
#include "shell/win32/MainWindowHandle.h"
#include "win/settings/ScreensTestSupport.h"

namespace vorlix {
namespace test {

// The recorder's folders below a roaming folder of the test's own (the paths are fixed on first use).
inline std::wstring Roaming() { return GetAppDirectory() + L"roaming_settings_test"; }
inline bool PointRoamingFolderHere() {
  _wputenv_s(L"APPDATA", Roaming().c_str());
  for (const wchar_t* sub : {L"", L"\\vorlix", L"\\vorlix\\basic", L"\\vorlix\\basic\\profiles",
                             L"\\vorlix\\basic\\profiles\\gamer", L"\\vorlix\\basic\\scenes"}) {
    const std::wstring dir = Roaming() + sub;
    if (!DirectoryExists(dir) && !CreateOneDirectory(dir)) return false;
  }
  return true;
}

inline std::string FileBytes(const std::wstring& path) {
  std::string bytes;
  vorlix::ReadWholeFile(path, bytes);
  return bytes;
}

// What the dialog sends the main window.
struct MainWindowLog {
  int startInstall = 0;
  std::vector<WPARAM> hotkeys;
};
inline MainWindowLog g_mainLog;

inline LRESULT CALLBACK StandInProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_START_INSTALL) ++g_mainLog.startInstall;
  if (m == WM_HOTKEY) g_mainLog.hotkeys.push_back(wp);
  return DefWindowProcW(w, m, wp, lp);
}

inline HWND CreateStandInMainWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &StandInProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VorlixMainStandIn";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"Vorlix", WS_POPUP | WS_VISIBLE, 60, 60, 552, 400, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

// Centres of the dialog's own controls, in its client area.
inline POINT TabCentre(int tabId) { return POINT{51, 73 + 35 * (tabId - CDlgSetting::kTabHotkeyId)}; }
inline POINT CloseCentre() { return POINT{474, 18}; }

inline bool PageVisible(CSkinDialog* page) {
  return page != nullptr && page->GetHWND() != nullptr && IsWindowVisible(page->GetHWND());
}
inline bool IsCheckedIn(CSkinDialog* page, int id) {
  CUIControl* c = page != nullptr ? page->GetControl(id) : nullptr;
  auto* checked = c != nullptr ? static_cast<IUIChecked*>(c->GetInterface(L"UIChecked")) : nullptr;
  return checked != nullptr && checked->GetCheck() != 0;
}
inline std::wstring TextOf(CSkinDialog* page, int id) {
  CUIControl* c = page != nullptr ? page->GetControl(id) : nullptr;
  return c != nullptr ? std::wstring(c->GetText().GetData()) : std::wstring();
}

// Runs the dialog over owner with the steps, after waiting for it to show its hotkey page; the dialog is
// asked to close after the last step (or when the time is up: a test waiting for the dialog to close
// itself ends with a step that never finishes).
inline INT_PTR RunSettings(CDlgSetting& dlg, HWND owner, std::vector<CModalDriver::Step> steps,
                           DWORD timeoutMs = 20000) {
  steps.insert(steps.begin(), [&dlg] { return dlg.GetHWND() != nullptr && IsWindowVisible(dlg.GetHWND()) &&
                                              PageVisible(dlg.HotkeyPage()); });
  CModalDriver driver(std::move(steps), 100, timeoutMs);
  driver.SetWindowToClose([&dlg] { return dlg.GetHWND(); });
  INT_PTR r = dlg.DoModal(owner);
  EXPECT_FALSE(driver.TimedOut()) << "waiting in step " << driver.StuckAt() << " (0: the dialog showing)";
  return r;
}

}  // namespace test
}  // namespace vorlix
