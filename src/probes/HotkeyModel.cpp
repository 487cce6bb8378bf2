#include "probes/HotkeyModel.h"

namespace vorlix {
namespace {

HotkeySlot Other(HotkeySlot s) { return s == HotkeySlot::StartStop ? HotkeySlot::Replay : HotkeySlot::StartStop; }

}  // namespace

int HotkeyId(HotkeySlot slot) { return slot == HotkeySlot::StartStop ? HOTKEY_BEGIN_OR_STOP_SHOT : HOTKEY_BACK_SHOT; }

bool GetKeyName(int vk, std::wstring& name) {
  if (vk >= 0x70 && vk <= 0x87) {
    name = L"F" + std::to_wstring(vk - 0x70 + 1);
  } else if ((vk >= 0x41 && vk <= 0x5A) || (vk >= 0x30 && vk <= 0x39)) {
    name = std::wstring(1, static_cast<wchar_t>(vk));
  } else if (vk >= 0x60 && vk <= 0x69) {
    name = L"Num" + std::wstring(1, static_cast<wchar_t>(L'0' + (vk - 0x60)));
  } else if (vk == 0x08) {
    name = L"Backspace";
  } else if (vk == 0x0D) {
    name = L"Enter";
  } else {
    name.clear();
    return false;
  }
  return true;
}

std::wstring FormatHotkeyText(bool ctrl, bool shift, bool alt, const std::wstring& keyName) {
  std::wstring text;
  if (ctrl) text += L"Ctrl+";
  if (shift) text += L"Shift+";
  if (alt) text += L"Alt+";
  return text + keyName;
}

std::wstring RegisterSlotHotkey(IHotkeyRegistrar& registrar, HotkeySlot slot) {
  bool ctrl = GetHotkeyCtrl(slot) != 0, shift = GetHotkeyShift(slot) != 0, alt = GetHotkeyAlt(slot) != 0;
  int vk = GetHotkeyKey(slot);
  std::wstring name;
  if (!GetKeyName(vk, name)) {
    // A hand-edited file: a fixed combination is registered, and the default text is what the user sees.
    const bool startStop = slot == HotkeySlot::StartStop;
    registrar.Register(HotkeyId(slot), kModControl | kModShift, startStop ? 0x52 : 0x44);
    return startStop ? L"Shift+F11" : L"Shift+F10";
  }
  registrar.Unregister(HotkeyId(slot));
  unsigned mods = (alt ? kModAlt : 0u) | (ctrl ? kModControl : 0u) | (shift ? kModShift : 0u);
  registrar.Register(HotkeyId(slot), mods, vk);
  return FormatHotkeyText(ctrl, shift, alt, name);
}

bool CHotkeyCapture::CaptureHotkey(bool ctrl, bool shift, bool alt, int virtualKey) {
  std::wstring name;
  if (!GetKeyName(virtualKey, name)) return false;
  std::wstring candidate = FormatHotkeyText(ctrl, shift, alt, name);
  // The two hotkeys can never be the same combination.
  if (m_fields.GetFieldText(Other(m_target)) == candidate) return false;
  SetHotkeyCtrl(m_target, ctrl);
  SetHotkeyShift(m_target, shift);
  SetHotkeyAlt(m_target, alt);
  SetHotkeyKey(m_target, virtualKey);
  m_fields.SetFieldText(m_target, candidate);
  return true;
}

void CHotkeyCapture::FillFromSettings() {
  for (HotkeySlot slot : {HotkeySlot::StartStop, HotkeySlot::Replay}) {
    m_target = slot;
    CaptureHotkey(GetHotkeyCtrl(slot) != 0, GetHotkeyShift(slot) != 0, GetHotkeyAlt(slot) != 0, GetHotkeyKey(slot));
  }
}

}  // namespace vorlix
