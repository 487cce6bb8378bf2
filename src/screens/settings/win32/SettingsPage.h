#pragma once
// Where every page of the settings dialog sits: a child window right of the tab column.
#include <windows.h>

namespace vorlix {

constexpr int kSettingsPageLeft = 101;
constexpr int kSettingsPageTop = 39;
constexpr int kSettingsPageWidth = 390;
constexpr int kSettingsPageHeight = 293;

// No extended style (the template's control-parent bit would make the dialog manager walk into the page).
inline void PlaceSettingsPage(HWND page) {
  SetWindowLongPtrW(page, GWL_EXSTYLE, 0);
  SetWindowPos(page, nullptr, kSettingsPageLeft, kSettingsPageTop, kSettingsPageWidth, kSettingsPageHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vorlix
