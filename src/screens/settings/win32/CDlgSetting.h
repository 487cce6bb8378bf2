#pragma once
// The settings dialog: a column of four tabs and, right of it, the page of the chosen tab (hotkeys,
// recording, audio, update). Every choice is written the moment it is made; there is nothing to apply
// when the dialog closes. The caller registers both hotkeys again afterwards.
#include <memory>
#include <string>

#include "screens/settings/win32/CDlgCheckUpdate.h"
#include "screens/settings/win32/CDlgSettingAudio.h"
#include "screens/settings/win32/CDlgSettingHotkey.h"
#include "screens/settings/win32/CDlgSettingRecord.h"
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

class CDlgSetting : public CSkinDialog {
 public:
  enum : int {
    kCloseId = 1000,
    kTabHotkeyId = 1001,
    kTabRecordId = 1002,
    kTabAudioId = 1003,
    kTabUpdateId = 1004,
    kTitleId = 1011,
  };
  static constexpr int kWidth = 498;
  static constexpr int kHeight = 342;

  explicit CDlgSetting(CAppModule* appModule = nullptr);
  ~CDlgSetting() override;

  // The main window's last update-check answer, for the update page.
  void SetUpdateInfo(const std::string& text) { m_strUpdateInfo = text; }
  // The window that starts the installer once the update page has downloaded it (null: the published
  // main window, else the dialog's owner).
  void SetInstallTarget(HWND target) { m_hInstallTarget = target; }

  // Checks the tab and shows its page, hiding the others.
  void ShowPage(int tabId);

  CDlgSettingHotkey* HotkeyPage() const { return m_pHotkey.get(); }
  CDlgSettingRecord* RecordPage() const { return m_pRecord.get(); }
  CDlgSettingAudio* AudioPage() const { return m_pAudio.get(); }
  CDlgCheckUpdate* UpdatePage() const { return m_pUpdate.get(); }

  BOOL OnInitDialog() override;
  void BuildUI() override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  // The modal run offers its messages here; the hotkey page's filter sees them as a thread loop would
  // show them to it.
  BOOL PreTranslateMessage(MSG* msg) override;
  void Notify(const UINotification& msg) override;

 private:
  void CreatePages();

  std::string m_strUpdateInfo;
  HWND m_hInstallTarget = nullptr;
  std::unique_ptr<CDlgSettingAudio> m_pAudio;
  std::unique_ptr<CDlgSettingHotkey> m_pHotkey;
  std::unique_ptr<CDlgSettingRecord> m_pRecord;
  std::unique_ptr<CDlgCheckUpdate> m_pUpdate;
};

// Runs the settings dialog modally over owner (null: the active window) with the main window's last
// update answer; returns when it has closed (-1 when it could not be shown). The caller then registers
// both hotkeys again (RegisterSlotHotkey for StartStop, then Replay).
INT_PTR ShowSettingDialog(HWND owner, const std::string& updateResponse);

}  // namespace vorlix
