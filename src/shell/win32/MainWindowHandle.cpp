#include "shell/win32/MainWindowHandle.h"

#include <atomic>

namespace vorlix {

namespace {
std::atomic<HWND> g_mainWindow{nullptr};
}

void SetMainWindowHandle(HWND hwnd) { g_mainWindow.store(hwnd); }
HWND GetMainWindowHandle() { return g_mainWindow.load(); }

}  // namespace vorlix
