// Starts a recording session with the program folder given on its command line (no trailing separator), then dereferences a null
// pointer. The crash filter must end the recorder before the process goes.
#include <windows.h>

#include <string>

#include "recording/win32/CRecorderControl.h"
#include "shell/win32/CrashDump.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  SetUnhandledExceptionFilter(vorlix::WriteCrashDump);
  vorlix::CRecorderControl control(std::wstring(argv[1]) + L"\\");
  control.SetReporter([](const char*) {});
  HWND owner = CreateWindowExW(0, L"STATIC", L"crash probe", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  std::wstring message;
  if (!control.StartRecord(owner, &message)) return 3;
  Sleep(1500);
  volatile int* nowhere = nullptr;
  *nowhere = 1;
  return 0;
}
