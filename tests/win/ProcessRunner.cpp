#include "win/ProcessRunner.h"

#include <vector>

namespace vorlix::test {

bool CChildProcess::Start(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir) {
  std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  std::vector<wchar_t> line(cmd.begin(), cmd.end());
  line.push_back(L'\0');
  std::wstring dir = workDir.empty() ? FolderOf(exe) : workDir;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  m_process.Reset(pi.hProcess);
  m_id = pi.dwProcessId;
  return true;
}

bool CChildProcess::Wait(DWORD ms, DWORD* exitCode) {
  if (!m_process) return true;
  if (WaitForSingleObject(m_process.Get(), ms) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(m_process.Get(), &code);
  if (exitCode) *exitCode = code;
  m_process.Reset();
  return true;
}

void CChildProcess::Kill() {
  if (!m_process) return;
  TerminateProcess(m_process.Get(), 99);
  WaitForSingleObject(m_process.Get(), 5000);
  m_process.Reset();
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Sleep(50);
  }
  return true;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD ms) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindowW(className, title)) != nullptr; }, ms);
  return found;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? L"." : path.substr(0, cut);
}

}  // namespace vorlix::test
