#pragma once
// Starting the program under test and finding its windows, for the Windows black-box tests.
#include <windows.h>

#include <functional>
#include <string>

#include "base/win32/Handle.h"

namespace vorlix::test {

class CChildProcess {
 public:
  // Starts the executable with the given working folder (empty: the executable's own folder).
  bool Start(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& workDir = L"");
  // Waits for the exit; returns false on time-out.
  bool Wait(DWORD ms, DWORD* exitCode = nullptr);
  void Kill();
  DWORD Id() const { return m_id; }
  ~CChildProcess() { Kill(); }

 private:
  CKernelHandle m_process;
  DWORD m_id = 0;
};

// Polls until the predicate holds or the time runs out.
bool WaitFor(const std::function<bool()>& done, DWORD ms);
HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD ms);
std::wstring FolderOf(const std::wstring& path);

}  // namespace vorlix::test
