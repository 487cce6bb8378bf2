#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "win/ProcessRunner.h"

namespace vorlix {
namespace {

using test::CChildProcess;
using test::WaitFor;
using test::WaitForWindow;

constexpr wchar_t kTitle[] = L"Tavro一键回录";

BOOL CALLBACK CollectStaticText(HWND child, LPARAM p) {
  wchar_t cls[32], buf[256];
  GetClassNameW(child, cls, 32);
  if (std::wstring(cls) == L"Static" && GetWindowTextW(child, buf, 256) > 0) *reinterpret_cast<std::wstring*>(p) += buf;
  return TRUE;
}

std::wstring BoxText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

// A copy of the program with a session younger than 30 days, so it starts straight into its main window.
std::wstring ProgramWithFreshSession() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + L"vorlix-single-instance\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  CreateDirectoryW((dir + L"Config").c_str(), nullptr);
  std::wstring exe = dir + L"Vorlix.exe";
  CopyFileW(VORLIX_EXE_PATH, exe.c_str(), FALSE);
  std::wstring ini = dir + L"Config\\Config.ini";
  DeleteFileW(ini.c_str());
  WritePrivateProfileStringW(L"User", L"Date", std::to_wstring(std::time(nullptr)).c_str(), ini.c_str());
  return exe;
}

TEST(SingleInstance, SecondStartTellsTheUserRaisesTheHiddenFirstWindowAndExitsZero) {
  const std::wstring program = ProgramWithFreshSession();
  CChildProcess first;
  ASSERT_TRUE(first.Start(program));
  HWND main = WaitForWindow(nullptr, kTitle, 20000);
  ASSERT_NE(main, nullptr) << "the main window appears with its title";
  // The window exists before the program shows it; hide it only once it is shown.
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000));
  ShowWindow(main, SW_HIDE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5000));

  CChildProcess second;
  ASSERT_TRUE(second.Start(program));
  HWND box = WaitForWindow(L"#32770", L"提示", 20000);
  ASSERT_NE(box, nullptr) << "the second start shows a box captioned 提示";
  EXPECT_EQ(BoxText(box), L"Tavro一键回录程序正在运行！");
  EXPECT_TRUE(IsWindowVisible(main) == FALSE) << "nothing happens to the first window before the box is dismissed";
  PostMessageW(box, WM_COMMAND, IDOK, 0);

  DWORD code = 99;
  ASSERT_TRUE(second.Wait(20000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 5000)) << "the first window is shown again";
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(GetForegroundWindow(), main);

  // The system close command ends the first instance's loop with code 0.
  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  code = 99;
  ASSERT_TRUE(first.Wait(20000, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace vorlix
