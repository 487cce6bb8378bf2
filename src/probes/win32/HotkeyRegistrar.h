#pragma once
#include <windows.h>

#include "probes/HotkeyModel.h"

namespace vorlix {

// Registers hotkeys for one window; WM_HOTKEY then reaches that window with the slot's id.
class CWindowHotkeyRegistrar : public IHotkeyRegistrar {
 public:
  explicit CWindowHotkeyRegistrar(HWND window) : m_window(window) {}
  void Unregister(int id) override { UnregisterHotKey(m_window, id); }
  bool Register(int id, unsigned modifiers, int virtualKey) override {
    return RegisterHotKey(m_window, id, modifiers, static_cast<UINT>(virtualKey)) != 0;
  }

 private:
  HWND m_window;
};

inline std::wstring RegisterSlotHotkey(HWND window, HotkeySlot slot) {
  CWindowHotkeyRegistrar registrar(window);
  return RegisterSlotHotkey(registrar, slot);
}

}  // namespace vorlix
