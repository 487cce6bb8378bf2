#include "shell/win32/AppEntry.h"

#include <commctrl.h>
#include <curl/curl.h>
#include <objbase.h>

#include "recording/win32/CMainFrame.h"
#include "recording/win32/CRecorderControl.h"
#include "shell/RecorderStop.h"
#include "shell/win32/CrashDump.h"
#include "shell/win32/MessageLoop.h"

namespace vorlix {

int Run(int showCommand) {
  CMessageLoop loop;
  Module().AddMessageLoop(&loop);
  // Before the crash filter: from here on a crash, and the shutdown below, end our recorder.
  InstallRecorderTerminator();
  SetUnhandledExceptionFilter(WriteCrashDump);

  int code = 0;
  {
    CMainFrame frame;
    if (frame.CreateMainWindow()) {
      ShowWindow(frame.GetHwnd(), showCommand);
      code = loop.Run();
    }
  }
  Module().RemoveMessageLoop();
  return code;
}

int AppMain(HINSTANCE instance, int showCommand) {
  CoInitialize(nullptr);

  HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    MessageBoxW(nullptr, L"Tavro一键回录程序正在运行！", L"提示", MB_OK);
    if (HWND first = FindWindowW(nullptr, kMainWindowTitle)) {
      ShowWindow(first, SW_SHOWNORMAL);
      SetForegroundWindow(first);
    }
    CloseHandle(mutex);
    CoUninitialize();
    return 0;
  }

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  Module().Init(instance);
  curl_global_init(CURL_GLOBAL_ALL);

  int code = Run(showCommand);

  if (mutex) CloseHandle(mutex);
  TerminateRecorderProcess();
  curl_global_cleanup();
  Module().Term();
  CoUninitialize();
  return code;
}

}  // namespace vorlix
