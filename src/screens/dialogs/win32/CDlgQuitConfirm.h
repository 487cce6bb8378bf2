#pragma once
// Asked when the user closes the main window while quit confirmation is on: minimise to the tray or
// quit, and whether to ask again.
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

class CDlgQuitConfirm : public CSkinDialog {
 public:
  enum : int {
    kCloseId = 1000,
    kOkId = 1001,
    kCancelId = 1002,
    kTitleId = 1003,
    kIconId = 1004,
    kMinimizeId = 1006,
    kExitId = 1007,
    kDontRemindId = 1008,
  };
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 188;

  explicit CDlgQuitConfirm(CAppModule* appModule = nullptr);

  BOOL OnInitDialog() override;
  void BuildUI() override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  void Notify(const UINotification& msg) override;

 private:
  bool IsChecked(int id);
};

// Runs the confirmation over owner (null: the active window): 1 minimise to the tray, 0 quit,
// 2 dismissed; -1 when the window cannot be made.
int ShowQuitConfirm(HWND owner);

}  // namespace vorlix
