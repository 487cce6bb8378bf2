#include "shell/win32/MessageLoop.h"

#include <algorithm>

namespace vorlix {

void CMessageLoop::AddMessageFilter(CMessageFilter* filter) { m_filters.push_back(filter); }
void CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) {
  m_filters.erase(std::remove(m_filters.begin(), m_filters.end(), filter), m_filters.end());
}
void CMessageLoop::AddIdleHandler(CIdleHandler* handler) { m_idleHandlers.push_back(handler); }
void CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) {
  m_idleHandlers.erase(std::remove(m_idleHandlers.begin(), m_idleHandlers.end(), handler), m_idleHandlers.end());
}

BOOL CMessageLoop::PreTranslateMessage(MSG* msg) {
  // Iterate over a copy: a filter may remove itself (a dialog closing) while it handles the message.
  std::vector<CMessageFilter*> filters(m_filters.rbegin(), m_filters.rend());
  for (CMessageFilter* f : filters)
    if (f && f->PreTranslateMessage(msg)) return TRUE;
  return FALSE;
}

bool CMessageLoop::IsIdleMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118:  // the system caret blink timer
      return false;
  }
  return true;
}

void CMessageLoop::OnIdle(int count) {
  std::vector<CIdleHandler*> handlers = m_idleHandlers;
  for (CIdleHandler* h : handlers)
    if (h) h->OnIdle();
  (void)count;
}

int CMessageLoop::Run() {
  bool doIdle = true;
  m_idleCount = 0;
  MSG msg{};
  for (;;) {
    while (doIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      OnIdle(m_idleCount++);
      doIdle = false;
    }
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == -1) continue;
    if (!r) break;
    if (!PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (IsIdleMessage(msg)) {
      doIdle = true;
      m_idleCount = 0;
    }
  }
  return static_cast<int>(msg.wParam);
}

void CAppModule::Init(HINSTANCE instance) { m_instance = instance; }

void CAppModule::Term() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_loops.clear();
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop) {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_loops.emplace(GetCurrentThreadId(), loop).second;
}

void CAppModule::RemoveMessageLoop() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_loops.erase(GetCurrentThreadId());
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) {
  std::lock_guard<std::mutex> hold(m_lock);
  auto it = m_loops.find(threadId);
  return it == m_loops.end() ? nullptr : it->second;
}

CAppModule& Module() {
  static CAppModule module;
  return module;
}

}  // namespace vorlix
