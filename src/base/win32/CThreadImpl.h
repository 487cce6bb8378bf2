#pragma once
// Worker-thread objects: the thread is created suspended when the object is constructed, with the object
// as its argument, is started by the owner with Start, and its handle is closed when the object goes.
// The owner must not destroy the object while its thread still runs (Join first, or wait for the
// thread's last message).
#include <windows.h>

namespace vorlix {

class CThreadT {
 public:
  CThreadT() = default;
  ~CThreadT() {
    if (m_hThread) CloseHandle(m_hThread);
  }
  CThreadT(const CThreadT&) = delete;
  CThreadT& operator=(const CThreadT&) = delete;

  HANDLE GetHandle() const { return m_hThread; }
  DWORD GetId() const { return m_dwThreadId; }
  bool Start() { return m_hThread && ResumeThread(m_hThread) != static_cast<DWORD>(-1); }
  // True when the thread ended within the time.
  bool Join(DWORD ms = INFINITE) { return !m_hThread || WaitForSingleObject(m_hThread, ms) == WAIT_OBJECT_0; }

 protected:
  HANDLE m_hThread = nullptr;
  DWORD m_dwThreadId = 0;
};

// T provides DWORD Run().
template <typename T>
class CThreadImpl : public CThreadT {
 public:
  CThreadImpl() { m_hThread = CreateThread(nullptr, 0, &CThreadImpl::StartRoutine, this, CREATE_SUSPENDED, &m_dwThreadId); }

 private:
  static DWORD WINAPI StartRoutine(LPVOID self) { return static_cast<T*>(static_cast<CThreadImpl*>(self))->Run(); }
};

}  // namespace vorlix
