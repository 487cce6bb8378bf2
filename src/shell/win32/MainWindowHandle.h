#pragma once
// The main window's handle, published at start-up for code that has no access to the controller
// (workers' callbacks, dialogs that hand work back to the main window).
#include <windows.h>

namespace vorlix {

void SetMainWindowHandle(HWND hwnd);
HWND GetMainWindowHandle();

}  // namespace vorlix
