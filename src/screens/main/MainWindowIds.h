#pragma once
// Control ids of the main window; a control's name is its id in decimal.

namespace vorlix {

constexpr int kIdMinimizeButton = 1000;
constexpr int kIdCloseButton = 1001;
constexpr int kIdUserIcon = 1002;
constexpr int kIdSettingsButton = 1004;
constexpr int kIdUserPanel = 1011;
constexpr int kIdUserName = 1012;
constexpr int kIdLogoutLink = 1013;
constexpr int kIdCloudLink = 1014;
constexpr int kIdVideoFolderLink = 1015;
constexpr int kIdGuideLink = 1016;
constexpr int kIdRecordCaption = 1017;
constexpr int kIdRecordHotkey = 1018;
constexpr int kIdReplayHotkey = 1020;
constexpr int kIdHoverTip = 1026;  // the tip's background and its text share the id
constexpr int kIdChatGroupLink = 1027;
constexpr int kIdStatusLine = 1028;
constexpr int kIdNoGameHint = 1029;
constexpr int kIdStartHotkey = 1030;
constexpr int kIdStartHint = 1031;
constexpr int kIdRefreshButton = 1032;
constexpr int kIdStartButton = 1033;
constexpr int kIdGameCombo = 1034;
constexpr int kIdRecordButton = 1037;
constexpr int kIdReplayButton = 1038;
constexpr int kIdCancelButton = 1040;

// Record button images and the main window's background.
constexpr int kImgRecordIdle = 1218;
constexpr int kImgRecordBusy = 1219;
constexpr int kImgMainBackground = 3000;

}  // namespace vorlix
