#pragma once
// The two global hotkeys: how a key is named, how a combination is shown, how a slot is registered with
// the system, and how the hotkey settings page turns a key press into a new hotkey.
#include <string>

#include "config/Settings.h"

namespace vorlix {

constexpr int HOTKEY_BEGIN_OR_STOP_SHOT = 300;
constexpr int HOTKEY_BACK_SHOT = 301;

// The system's modifier bits for a hotkey registration.
constexpr unsigned kModAlt = 1, kModControl = 2, kModShift = 4;

int HotkeyId(HotkeySlot slot);

// Only F1-F24, A-Z, 0-9, Num0-Num9, Backspace and Enter have names; other keys cannot be hotkeys.
bool GetKeyName(int virtualKey, std::wstring& name);
std::wstring FormatHotkeyText(bool ctrl, bool shift, bool alt, const std::wstring& keyName);

// The system side of a registration; the Win32 form wraps RegisterHotKey for one window.
class IHotkeyRegistrar {
 public:
  virtual ~IHotkeyRegistrar() = default;
  virtual void Unregister(int id) = 0;
  virtual bool Register(int id, unsigned modifiers, int virtualKey) = 0;
};

// Registers the slot's stored hotkey (or its fixed fallback when the stored key has no name) and
// returns the text to show for it. Whether the system accepted the registration is not examined.
std::wstring RegisterSlotHotkey(IHotkeyRegistrar& registrar, HotkeySlot slot);

// The hotkey page's two fields, as the capture rule sees them.
class IHotkeyFields {
 public:
  virtual ~IHotkeyFields() = default;
  virtual std::wstring GetFieldText(HotkeySlot slot) = 0;
  virtual void SetFieldText(HotkeySlot slot, const std::wstring& text) = 0;
};

// The capture rule of the hotkey page. The target is the field that last had the focus.
class CHotkeyCapture {
 public:
  explicit CHotkeyCapture(IHotkeyFields& fields) : m_fields(fields) {}

  // Fills both fields from the stored hotkeys, start/stop first, writing the values back to Config.ini;
  // leaves the replay slot as the target.
  void FillFromSettings();
  void SetTarget(HotkeySlot slot) { m_target = slot; }
  HotkeySlot Target() const { return m_target; }
  // A key event with the modifiers sampled at that moment. Returns whether the target slot changed.
  bool CaptureHotkey(bool ctrl, bool shift, bool alt, int virtualKey);

 private:
  IHotkeyFields& m_fields;
  HotkeySlot m_target = HotkeySlot::Replay;
};

}  // namespace vorlix
