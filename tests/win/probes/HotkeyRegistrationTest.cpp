#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "config/Settings.h"
#include "probes/win32/HotkeyRegistrar.h"

namespace vorlix {
namespace {

HWND MakeWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"HotkeyTestWindow";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"hotkey test", WS_POPUP | WS_VISIBLE, 200, 200, 100, 100, nullptr,
                         nullptr, wc.hInstance, nullptr);
}

// Whether a combination is taken: the system refuses a second registration of the same one.
bool Taken(UINT mods, UINT vk) {
  HWND probe = MakeWindow();
  bool ok = RegisterHotKey(probe, 999, mods, vk) != 0;
  if (ok) UnregisterHotKey(probe, 999);
  DestroyWindow(probe);
  return !ok;
}

void Press(std::vector<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    in.push_back(i);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Pumps messages until a hotkey message arrives or the time runs out; returns its id or -1.
int WaitForHotkey(HWND w, DWORD ms) {
  DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_HOTKEY && msg.hwnd == w) return static_cast<int>(msg.wParam);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
  return -1;
}

class HotkeyRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileW(GetConfigPath().c_str());
    m_window = MakeWindow();
  }
  void TearDown() override {
    UnregisterHotKey(m_window, 300);
    UnregisterHotKey(m_window, 301);
    DestroyWindow(m_window);
    DeleteFileW(GetConfigPath().c_str());
  }
  HWND m_window = nullptr;
};

TEST_F(HotkeyRegistration, DefaultsAreRegisteredAndFireWithTheirIds) {
  EXPECT_EQ(RegisterSlotHotkey(m_window, HotkeySlot::StartStop), L"Shift+F11");
  EXPECT_EQ(RegisterSlotHotkey(m_window, HotkeySlot::Replay), L"Shift+F10");
  EXPECT_TRUE(Taken(MOD_SHIFT, VK_F11));
  EXPECT_TRUE(Taken(MOD_SHIFT, VK_F10));
  EXPECT_FALSE(Taken(MOD_CONTROL | MOD_SHIFT, VK_F11)) << "the modifiers are exactly Shift";

  SetForegroundWindow(m_window);
  Press({VK_SHIFT, VK_F11});
  EXPECT_EQ(WaitForHotkey(m_window, 3000), 300);
  Press({VK_SHIFT, VK_F10});
  EXPECT_EQ(WaitForHotkey(m_window, 3000), 301);
}

TEST_F(HotkeyRegistration, ReRegisteringReplacesTheOldCombination) {
  RegisterSlotHotkey(m_window, HotkeySlot::StartStop);
  SetHotkeyCtrl(HotkeySlot::StartStop, true);
  SetHotkeyShift(HotkeySlot::StartStop, false);
  SetHotkeyAlt(HotkeySlot::StartStop, true);
  SetHotkeyKey(HotkeySlot::StartStop, 65);
  EXPECT_EQ(RegisterSlotHotkey(m_window, HotkeySlot::StartStop), L"Ctrl+Alt+A");
  EXPECT_TRUE(Taken(MOD_CONTROL | MOD_ALT, 'A'));
  EXPECT_FALSE(Taken(MOD_SHIFT, VK_F11)) << "the previous combination was released";
}

TEST_F(HotkeyRegistration, UnnamedStoredKeyRegistersTheFallbackCombination) {
  SetHotkeyKey(HotkeySlot::StartStop, 32);
  SetHotkeyKey(HotkeySlot::Replay, 32);
  EXPECT_EQ(RegisterSlotHotkey(m_window, HotkeySlot::StartStop), L"Shift+F11");
  EXPECT_EQ(RegisterSlotHotkey(m_window, HotkeySlot::Replay), L"Shift+F10");
  EXPECT_TRUE(Taken(MOD_CONTROL | MOD_SHIFT, 'R'));
  EXPECT_TRUE(Taken(MOD_CONTROL | MOD_SHIFT, 'D'));
  EXPECT_FALSE(Taken(MOD_SHIFT, VK_SPACE));
}

}  // namespace
}  // namespace vorlix
