#pragma once
// The audio page of the settings dialog: the microphone source of the recorder's scene on or off,
// written the moment it is clicked.
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

class CDlgSettingAudio : public CSkinDialog {
 public:
  enum : int { kMicrophoneOnId = 1008, kMicrophoneOffId = 1009 };

  explicit CDlgSettingAudio(CAppModule* appModule = nullptr);

  BOOL OnInitDialog() override;
  void BuildUI() override;
  void Notify(const UINotification& msg) override;
};

}  // namespace vorlix
