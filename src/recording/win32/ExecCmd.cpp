#include <windows.h>

#include <vector>

#include "base/TextConv.h"
#include "base/win32/Handle.h"
#include "recording/CommandRunner.h"

namespace vorlix {
namespace {

// Reads whatever the pipe holds now, in chunks of at most 1023 bytes, without ever blocking.
void Drain(HANDLE readEnd, std::string& bytes) {
  char buf[1024];
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) || available == 0) return;
    DWORD got = 0;
    if (!ReadFile(readEnd, buf, 1023, &got, nullptr) || got == 0) return;
    bytes.append(buf, got);
  }
}

}  // namespace

std::wstring ExecCmd(const std::string& commandLine) {
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof sa;
  sa.bInheritHandle = TRUE;
  HANDLE rawRead = nullptr, rawWrite = nullptr;
  if (!CreatePipe(&rawRead, &rawWrite, &sa, 0)) return {};
  CKernelHandle readEnd(rawRead), writeEnd(rawWrite);
  // Only the write end belongs to the child; an inherited read end would keep a copy alive in every
  // process the tool starts.
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = writeEnd.Get();
  si.hStdError = writeEnd.Get();
  PROCESS_INFORMATION pi{};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr, &si, &pi))
    return {};
  CKernelHandle process(pi.hProcess), thread(pi.hThread);

  std::string bytes;
  for (;;) {
    DWORD waited = WaitForSingleObject(process.Get(), 50);
    Drain(readEnd.Get(), bytes);
    if (waited != WAIT_TIMEOUT) break;
  }
  // Converted once: a character split between two reads stays whole.
  return AnsiToWide(bytes);
}

}  // namespace vorlix
