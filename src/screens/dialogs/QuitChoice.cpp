#include "screens/dialogs/QuitChoice.h"

#include "config/Settings.h"

namespace vorlix {

int ApplyQuitChoice(bool minimizeToTray, bool exitProgram, bool dontRemindAgain) {
  if (!minimizeToTray && !exitProgram) return -1;
  SetConfirmQuit(!dontRemindAgain);
  SetMinimizeOnClose(minimizeToTray);
  return minimizeToTray ? kQuitResultMinimize : kQuitResultExit;
}

}  // namespace vorlix
