#pragma once
// The window messages that cross subsystems, as offsets from WM_USER (0x0400). Portable, so tests and
// portable code can name them without <windows.h>.

namespace vorlix {

constexpr unsigned kWmUser = 0x0400;
constexpr unsigned kWmApp = 0x8000;

constexpr unsigned WM_TRAY_NOTIFY = kWmUser + 600;
constexpr unsigned WM_LOGIN_RESULT = kWmUser + 620;
constexpr unsigned WM_CUT_FINISHED = kWmUser + 622;
constexpr unsigned WM_CHECK_UPDATE_RESULT = kWmUser + 700;
constexpr unsigned WM_START_INSTALL = kWmUser + 704;
constexpr unsigned WM_UPLOAD_PROGRESS = kWmUser + 705;
constexpr unsigned WM_GAME_LIST = kWmUser + 706;
constexpr unsigned WM_SHOW_MAIN_WINDOW = kWmUser + 3301;

// The cut worker never touches controls; it tells the main window what to show through these.
//   WM_CUT_BEGIN      wParam = number of clips it will make (0: nothing to do, show the game panel again)
//   WM_CUT_CLIP_INDEX wParam = 1-based number of the clip now processed, lParam = number of clips
//   WM_CLIP_SAVED     one clip was uploaded and registered (the clip tip shows)
//   WM_CUT_FINISHED   wParam = clips uploaded and registered, lParam = clips kept on disk only
constexpr unsigned WM_CUT_BEGIN = kWmUser + 623;
constexpr unsigned WM_CUT_CLIP_INDEX = kWmUser + 624;
constexpr unsigned WM_CLIP_SAVED = kWmUser + 625;
// The upload queue's resume pass: wParam = clips waiting for upload or registration (refused ones not
// counted), lParam = percent of the clip now sent, or -1 when the pass is over.
constexpr unsigned WM_UPLOAD_QUEUE = kWmUser + 626;

// wParam values of WM_LOGIN_RESULT and WM_CHECK_UPDATE_RESULT.
constexpr unsigned LOGIN_RESULT_LOGIN = 1640;
constexpr unsigned LOGIN_RESULT_CODE = 1641;
// The login worker's own names for the same two values.
constexpr unsigned LOGIN_VERIFY_DONE = LOGIN_RESULT_LOGIN;
constexpr unsigned SEND_CODE_DONE = LOGIN_RESULT_CODE;
constexpr unsigned UPDATE_CHECK_DONE = 1725;
constexpr unsigned UPDATE_DOWNLOAD_DONE = 1726;

}  // namespace vorlix
