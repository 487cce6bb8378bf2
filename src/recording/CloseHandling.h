#pragma once
// What the close button leads to, decided from what the window shows and the two settings.

namespace vorlix {

enum class CloseStep {
  AskAbortProcessing,  // "正在生成视频，确定退出软件？" first; confirmed: DecideCloseAfterProcessingAsked
  ShowQuitConfirm,     // the quit confirmation dialog; its result goes to QuitConfirmStep
  MinimizeToTray,
  Exit,                // ExitClient
  Nothing,
};

CloseStep DecideClose(bool progressVisible, bool confirmQuit, bool minimizeOnClose);
CloseStep DecideCloseAfterProcessingAsked(bool confirmQuit, bool minimizeOnClose);
// Result of the quit confirmation: 1 minimise to the tray, 0 quit, anything else (its close box) nothing.
CloseStep QuitConfirmStep(int dialogResult);

}  // namespace vorlix
