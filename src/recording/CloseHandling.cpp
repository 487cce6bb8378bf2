#include "recording/CloseHandling.h"

namespace vorlix {

CloseStep DecideClose(bool progressVisible, bool confirmQuit, bool minimizeOnClose) {
  if (progressVisible) return CloseStep::AskAbortProcessing;
  return DecideCloseAfterProcessingAsked(confirmQuit, minimizeOnClose);
}

CloseStep DecideCloseAfterProcessingAsked(bool confirmQuit, bool minimizeOnClose) {
  if (confirmQuit) return CloseStep::ShowQuitConfirm;
  return minimizeOnClose ? CloseStep::MinimizeToTray : CloseStep::Exit;
}

CloseStep QuitConfirmStep(int dialogResult) {
  if (dialogResult == 1) return CloseStep::MinimizeToTray;
  if (dialogResult == 0) return CloseStep::Exit;
  return CloseStep::Nothing;
}

}  // namespace vorlix
