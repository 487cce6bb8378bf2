#pragma once
#include <windows.h>

namespace vorlix {

// The single-instance lock and the title by which a second start finds the first instance's window.
constexpr wchar_t kInstanceMutexName[] = L"Vorlix";
constexpr wchar_t kMainWindowTitle[] = L"Tavro一键回录";

// The whole life of the process: single instance, process-wide services, the main window and its loop,
// and the fixed shutdown order. Returns the exit code.
int AppMain(HINSTANCE instance, int showCommand);

// Creates the main window, shows it and runs the main thread's loop.
int Run(int showCommand);

}  // namespace vorlix
