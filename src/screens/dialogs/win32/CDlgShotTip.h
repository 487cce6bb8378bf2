#pragma once
// The small topmost "视频已保存至云空间" notice at the top right of the screen. It lives hidden as long as
// the main window; after a clip has been saved it shows for a few seconds. It never takes the focus and
// lets the mouse through to nothing (hit tests answer "nowhere").
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

class CDlgShotTip : public CSkinDialog {
 public:
  static constexpr int kWidth = 239;
  static constexpr int kHeight = 60;
  static constexpr int kTop = 40;
  static constexpr UINT_PTR kHideTimer = 3001;
  static constexpr UINT kShowMs = 3000;

  explicit CDlgShotTip(CAppModule* appModule = nullptr);

  // Makes the window, hidden; false when it cannot be made.
  bool Create(HWND owner);
  // Shows the tip without activating it; it hides itself kShowMs later (a new call starts the time again).
  void ShowBriefly();

  BOOL OnInitDialog() override;
  void BuildUI() override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
};

}  // namespace vorlix
