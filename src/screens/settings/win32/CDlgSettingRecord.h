#pragma once
// The recording page of the settings dialog: resolution, bitrate and frame rate, each written into the
// recorder's profile the moment it is clicked; the folder recordings go to; and the link that opens the
// recorder's own settings window.
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

class CDlgSettingRecord : public CSkinDialog {
 public:
  enum : int {
    k540pId = 1010,
    k720pId = 1011,
    k1080pId = 1012,
    kBitrate4000Id = 1013,
    kBitrate6000Id = 1014,
    kBitrate8000Id = 1015,
    kBitrate10000Id = 1016,
    kFps30Id = 1017,
    kFps60Id = 1018,
    kChooseFolderId = 1020,
    kFolderId = 1021,
    ID_LAB_OPEN_OBS = 1027,
  };

  explicit CDlgSettingRecord(CAppModule* appModule = nullptr);

  BOOL OnInitDialog() override;
  void BuildUI() override;
  void Notify(const UINotification& msg) override;

  // The system folder browser over the page; a confirmed folder is stored and shown.
  void ChooseFolder();
  // Starts the recorder's own settings window; not waited for.
  void OpenRecorderSettings();

 private:
  void AddChoice(int id, const RECT& rc, const wchar_t* text, int groupFirst, int groupLast, bool checked);
};

}  // namespace vorlix
