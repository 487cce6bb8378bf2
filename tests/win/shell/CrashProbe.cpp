// Installs the crash dump writer, registers a recorder terminator that leaves a marker file, and then
// dereferences a null pointer. Exit code 0 would mean the crash never happened.
#include <windows.h>

#include <cstdio>

#include "config/Settings.h"
#include "shell/RecorderStop.h"
#include "shell/win32/CrashDump.h"

namespace {
void MarkRecorderStopped() {
  std::wstring marker = vorlix::GetAppDirectory() + L"recorder_stopped.txt";
  HANDLE h = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}
}  // namespace

int wmain() {
  SetUnhandledExceptionFilter(vorlix::WriteCrashDump);
  vorlix::SetRecorderTerminator(&MarkRecorderStopped);
  volatile int* nowhere = nullptr;
  *nowhere = 1;
  return 0;
}
