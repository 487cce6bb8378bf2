#pragma once
// The main window's content: every control of the title row, the recording area and the game panel,
// created in painting order into the window's tree, and the show/hide rules the controller triggers.
#include <functional>
#include <string>

#include "probes/GameDetection.h"
#include "ui/hosts/CSkinHost.h"

namespace vorlix {

struct MainWindowControls {
  CUIButton* close = nullptr;
  CUIButton* minimize = nullptr;
  CUIButton* settings = nullptr;
  CUIButton* userIcon = nullptr;
  CUILabel* chatGroup = nullptr;
  CUIButton* record = nullptr;
  CUILabel* recordCaption = nullptr;
  CUILabel* recordHotkey = nullptr;
  CUIButton* replay = nullptr;
  CUILabel* replayHotkey = nullptr;
  CUILabel* tipBackground = nullptr;
  CUILabel* tipText = nullptr;
  CUILabel* status = nullptr;
  CUIProgressBar* progress = nullptr;
  CUIButton* cancel = nullptr;
  CUILabel* panelBackground = nullptr;
  CUIComboBox* games = nullptr;
  CUIButton* refresh = nullptr;
  CUILabel* noGameHint = nullptr;
  CUIButton* start = nullptr;
  CUILabel* startHotkey = nullptr;
  CUILabel* startHint = nullptr;
  CUILabel* userPanel = nullptr;
  CUILabel* userName = nullptr;
  CUILabel* logout = nullptr;
};

struct MainWindowBuildSteps {
  // Registers both hotkeys (record first) and answers their display texts.
  std::function<void(std::wstring& recordText, std::wstring& replayText)> registerHotkeys;
  // Fills the drop-down; runs right after the hint label exists.
  std::function<void()> fillGameChoices;
  std::wstring chatGroupNumber;
};

void BuildMainWindowContent(CSkinHost& host, const MainWindowBuildSteps& steps, MainWindowControls& c);

// Drop-down, refresh and start buttons, labels 1030 and 1031 and the panel background; the hint only
// while shown with "no game" selected.
void ShowGamePanel(MainWindowControls& c, bool show);

// Caption texts of the record and hotkey labels.
std::wstring RecordCaptionText(bool recording);
std::wstring HotkeyLabelText(const std::wstring& hotkey);
std::wstring StartHotkeyLabelText(const std::wstring& hotkey);

// The drop-down and its hint as game detection sees them.
class CGameChoiceView : public IGameChoiceView {
 public:
  explicit CGameChoiceView(MainWindowControls& c) : m_c(c) {}
  void ClearItems() override;
  void AddItem(const std::wstring& text) override;
  void SelectItem(int index) override;
  void ShowHint(bool shown) override;

 private:
  MainWindowControls& m_c;
};

}  // namespace vorlix
