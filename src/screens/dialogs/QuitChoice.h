#pragma once
// What confirming the quit dialog means: the two settings it writes and the result the main window acts on.
namespace vorlix {

// Results of the quit confirmation: minimise to the tray, quit, or nothing (dismissed).
constexpr int kQuitResultMinimize = 1;
constexpr int kQuitResultExit = 0;
constexpr int kQuitResultDismissed = 2;

// The state of the dialog's choices when "确定" is clicked. Writes ConfirmQuit (0 when "不再提醒" is
// checked) and MinimizeOnClose, and returns the result; -1 when neither choice is selected (nothing is
// written then and the dialog stays open).
int ApplyQuitChoice(bool minimizeToTray, bool exitProgram, bool dontRemindAgain);

}  // namespace vorlix
