#include <windows.h>
#include <imm.h>

#include "recorder/RecorderArgs.h"
#include "recorder/win32/CRecorderApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  // The controller closes the first top-level window of this process; without input-method windows
  // that is always ours.
  ImmDisableIME(static_cast<DWORD>(-1));
  vorlix::recorder::CRecorderApp app;
  return app.Run(instance, vorlix::recorder::ParseRecorderArgs(vorlix::recorder::SplitCommandLine(commandLine)));
}
