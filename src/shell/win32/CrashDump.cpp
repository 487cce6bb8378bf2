#include "shell/win32/CrashDump.h"

#include <dbghelp.h>

#include <cstdio>
#include <ctime>

#include "base/win32/Handle.h"
#include "config/Settings.h"
#include "shell/RecorderStop.h"

namespace vorlix {

LONG WINAPI WriteCrashDump(EXCEPTION_POINTERS* exception) {
  std::wstring folder = GetAppDirectory() + L"crash_dump";
  if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(folder.c_str(), nullptr);

  TerminateRecorderProcess();

  // Relative to the current folder, as the dump has always been written; when the program was started
  // from elsewhere and that folder has no crash_dump, the dump is skipped.
  char name[64];
  std::snprintf(name, sizeof name, "dump_%d.dmp", static_cast<int>(static_cast<uint32_t>(std::time(nullptr))));
  std::string path = std::string("./crash_dump/") + name;
  CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) {
    MINIDUMP_EXCEPTION_INFORMATION info{};
    info.ThreadId = GetCurrentThreadId();
    info.ExceptionPointers = exception;
    info.ClientPointers = TRUE;
    MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file.Get(), MiniDumpNormal, &info, nullptr,
                      nullptr);
  }
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace vorlix
