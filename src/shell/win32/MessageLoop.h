#pragma once
// The main thread's message loop with pre-translation filters and idle handlers, and the application
// module that keeps one loop per thread.
#include <windows.h>

#include <map>
#include <mutex>
#include <vector>

namespace vorlix {

class CMessageFilter {
 public:
  virtual ~CMessageFilter() = default;
  // True when the message is consumed and must not be translated or dispatched.
  virtual BOOL PreTranslateMessage(MSG* msg) = 0;
};

class CIdleHandler {
 public:
  virtual ~CIdleHandler() = default;
  virtual BOOL OnIdle() = 0;
};

class CMessageLoop {
 public:
  void AddMessageFilter(CMessageFilter* filter);
  void RemoveMessageFilter(CMessageFilter* filter);
  void AddIdleHandler(CIdleHandler* handler);
  void RemoveIdleHandler(CIdleHandler* handler);

  // Runs until WM_QUIT and returns its wParam.
  int Run();

  // Filters are asked newest first; the first that consumes the message ends its processing.
  BOOL PreTranslateMessage(MSG* msg);
  // Whether a message switches idle processing back on (moves, paints and the caret blink do not).
  static bool IsIdleMessage(const MSG& msg);

  int IdleCount() const { return m_idleCount; }

 private:
  void OnIdle(int count);

  std::vector<CMessageFilter*> m_filters;
  std::vector<CIdleHandler*> m_idleHandlers;
  int m_idleCount = 0;
};

class CAppModule {
 public:
  void Init(HINSTANCE instance);
  void Term();
  HINSTANCE GetInstance() const { return m_instance; }

  bool AddMessageLoop(CMessageLoop* loop);
  void RemoveMessageLoop();
  CMessageLoop* GetMessageLoop(DWORD threadId = GetCurrentThreadId());

 private:
  HINSTANCE m_instance = nullptr;
  std::mutex m_lock;
  std::map<DWORD, CMessageLoop*> m_loops;
};

CAppModule& Module();

}  // namespace vorlix
