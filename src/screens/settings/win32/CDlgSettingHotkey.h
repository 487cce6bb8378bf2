#pragma once
// The hotkeys page of the settings dialog: one field per hotkey; the field that last had the focus takes
// the next key combination pressed (the replay field until the user focuses one). Nothing is registered
// here: the main window registers both hotkeys again when the settings dialog has closed.
#include "probes/HotkeyModel.h"
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

class CDlgSettingHotkey : public CSkinDialog, public IHotkeyFields {
 public:
  enum : int { kStartStopFieldId = 1015, kReplayFieldId = 1016 };

  explicit CDlgSettingHotkey(CAppModule* appModule = nullptr);

  // A key event reaching the page or its dialog; the modifiers are sampled now.
  void CaptureHotkey(WPARAM virtualKey);
  HotkeySlot Target() const { return m_capture.Target(); }

  // IHotkeyFields
  std::wstring GetFieldText(HotkeySlot slot) override;
  void SetFieldText(HotkeySlot slot, const std::wstring& text) override;

  BOOL OnInitDialog() override;
  void BuildUI() override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void Notify(const UINotification& msg) override;

 private:
  CUILabel* Field(HotkeySlot slot);

  CHotkeyCapture m_capture{*this};
  CUILabel* m_pStartStopField = nullptr;
  CUILabel* m_pReplayField = nullptr;
};

}  // namespace vorlix
