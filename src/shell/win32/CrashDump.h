#pragma once
#include <windows.h>

namespace vorlix {

// The process-wide unhandled-exception filter: writes "./crash_dump/dump_<time>.dmp", stops the
// recorder, and lets the process end without the system's error dialog.
LONG WINAPI WriteCrashDump(EXCEPTION_POINTERS* exception);

}  // namespace vorlix
