// Game detection and device facts against the real system: window filters on real windows, the scan and
// FindWindowA seeing another process's window, excluded hosts, and the version resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "win/ProcessRunner.h"
#include "base/FileSystem.h"
#include "config/Settings.h"
#include "probes/DeviceInfo.h"
#include "probes/GameDetection.h"

using namespace vorlix;
using vorlix::test::CChildProcess;

namespace {

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

class OwnWindow {
 public:
  OwnWindow(DWORD style, DWORD exStyle, int width, int height, HWND parent = nullptr, const wchar_t* title = L"own") {
    static ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = PlainProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VorlixProbeTestWindow";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    m_window = CreateWindowExW(exStyle, L"VorlixProbeTestWindow", title, style, 300, 200, width, height, parent,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~OwnWindow() { DestroyWindow(m_window); }
  HWND Get() const { return m_window; }
  WindowId Id() const { return reinterpret_cast<WindowId>(m_window); }

 private:
  HWND m_window;
};

bool Listed(const std::vector<WindowEntry>& entries, const std::wstring& title, std::wstring* exe = nullptr) {
  for (const WindowEntry& e : entries) {
    if (e.title == title) {
      if (exe) *exe = e.exeName;
      return true;
    }
  }
  return false;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

TEST(GameWindows, CandidateFiltersOnRealWindows) {
  OwnWindow normal(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 320, 240);
  OwnWindow hidden(WS_OVERLAPPEDWINDOW, 0, 320, 240);
  OwnWindow tool(WS_OVERLAPPEDWINDOW | WS_VISIBLE, WS_EX_TOOLWINDOW, 320, 240);
  OwnWindow empty(WS_POPUP | WS_VISIBLE, 0, 0, 0);
  OwnWindow child(WS_CHILD | WS_VISIBLE, 0, 100, 100, normal.Get());
  OwnWindow minimised(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 320, 240);
  ShowWindow(minimised.Get(), SW_MINIMIZE);
  Pump();
  IWindowSystem& system = SystemWindows();
  EXPECT_TRUE(IsCandidateWindow(system, normal.Id()));
  EXPECT_FALSE(IsCandidateWindow(system, hidden.Id()));
  EXPECT_FALSE(IsCandidateWindow(system, tool.Id()));
  EXPECT_FALSE(IsCandidateWindow(system, empty.Id()));
  EXPECT_FALSE(IsCandidateWindow(system, child.Id()));
  EXPECT_FALSE(IsCandidateWindow(system, minimised.Id()));
  ShowWindow(minimised.Get(), SW_RESTORE);
  Pump();
  EXPECT_TRUE(IsCandidateWindow(system, minimised.Id()));
}

TEST(GameWindows, ScanListsOtherProcessesButNeverOursOrExcludedHosts) {
  OwnWindow mine(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 320, 240, nullptr, L"Probe own window");
  std::wstring dir = test::FolderOf(WINDOW_HOST_PATH);
  std::wstring searchHost = dir + L"\\SEARCHUI.exe";
  ASSERT_TRUE(CopyFileW(WINDOW_HOST_PATH, searchHost.c_str(), FALSE));
  CChildProcess game, host;
  ASSERT_TRUE(game.Start(WINDOW_HOST_PATH, L"\"Probe Game \u6e38\u620f\""));
  ASSERT_TRUE(host.Start(searchHost, L"\"Probe Search Host\""));
  ASSERT_NE(test::WaitForWindow(L"VorlixTestGameWindow", L"Probe Game \u6e38\u620f", 10000), nullptr);
  ASSERT_NE(test::WaitForWindow(L"VorlixTestGameWindow", L"Probe Search Host", 10000), nullptr);

  std::vector<WindowEntry> entries = ScanCandidateWindows(SystemWindows());
  std::wstring exe;
  EXPECT_TRUE(Listed(entries, L"Probe Game \u6e38\u620f", &exe));
  EXPECT_EQ(exe, L"probes_window_host.exe");
  EXPECT_FALSE(Listed(entries, L"Probe Search Host"));
  EXPECT_FALSE(Listed(entries, L"Probe own window"));
  for (const WindowEntry& e : entries) EXPECT_FALSE(e.title.empty());

  // Automatic detection by exact title, in list order.
  GameList list{{L"No Such Game", L"", L"", L""}, {L"Probe Search Host", L"", L"", L""}};
  EXPECT_EQ(FindRunningGame(list, SystemWindows()), L"Probe Search Host");
  game.Kill();
  host.Kill();
  DeleteFileW(searchHost.c_str());
}

TEST(DeviceFacts, VersionResourceOfVorlixExeAndLiveProbes) {
  std::wstring target = GetAppDirectory() + L"Vorlix.exe";
  DeleteFileW(target.c_str());
  EXPECT_EQ(GetFileVersionText(), "");  // nothing to read: empty, and not cached
  ASSERT_TRUE(CopyFileW(WINDOW_HOST_PATH, target.c_str(), FALSE));
  EXPECT_EQ(GetFileVersionText(), "V1.8.0.1");
  DeleteFileW(target.c_str());
  EXPECT_EQ(GetFileVersionText(), "V1.8.0.1");  // cached for the life of the process

  std::wstring os = GetOsName();
  EXPECT_EQ(os.rfind(L"Microsoft Windows", 0), 0u) << std::string(os.begin(), os.end());
  EXPECT_GT(GetTotalMemoryMiB(), 0);
  std::wstring gpu = GetGpuNames();
  EXPECT_TRUE(gpu.empty() || (gpu.front() != L',' && gpu.back() != L','));
  EXPECT_EQ(GetCpuName(), GetCpuName());
}
