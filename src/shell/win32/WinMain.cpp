#include <windows.h>

#include "shell/win32/AppEntry.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return vorlix::AppMain(instance, showCommand);
}
