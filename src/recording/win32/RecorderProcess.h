#pragma once
// Our recorder's process: the one we launched (its handle is kept from the launch) or a leftover of an
// earlier run whose image is our recorder's executable. Another program that happens to be called
// "obs32.exe" is never touched.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/win32/Handle.h"
#include "recording/RecorderCloseRounds.h"

namespace vorlix {

class CRecorderProcess : public IRecorderProcess {
 public:
  explicit CRecorderProcess(CKernelHandle process);
  bool IsGone() override;
  void RequestClose() override;
  bool WaitGone(uint32_t ms, ISessionClock& clock) override;
  void Terminate() override;
  DWORD Id() const { return m_id; }

 private:
  CKernelHandle m_process;
  DWORD m_id = 0;
};

// The executable our recorder runs from; kept for the life of the process (set before any launch).
void SetRecorderExecutable(const std::wstring& path);
std::wstring RecorderExecutable();

// The process just launched becomes the one the stop ends first.
void AdoptRecorderProcess(HANDLE process);

// The moment (ms since 1970) the adopted process ended, or 0 while it runs and when there is none.
int64_t AdoptedRecorderEndedAtMs();

// Running processes whose image file is exactly this executable (compared as full long paths, ignoring
// case and the slash direction).
std::vector<CKernelHandle> FindProcessesOfImage(const std::wstring& exePath);
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// Ends the adopted process and every leftover of our executable, each by the close-then-terminate rounds.
// Returns when none is left (or the rounds ran out); at once when none runs.
void EndRecorderProcesses();

}  // namespace vorlix
