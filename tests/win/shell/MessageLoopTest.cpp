#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/win32/MessageLoop.h"

namespace vorlix {
namespace {

constexpr UINT kForB = WM_APP + 6;

struct Journal {
  std::vector<std::string> events;
};

class CTestFilter : public CMessageFilter {
 public:
  CTestFilter(Journal& j, std::string name, UINT consumes) : m_j(j), m_name(std::move(name)), m_consumes(consumes) {}
  BOOL PreTranslateMessage(MSG* msg) override {
    std::string what;
    if (msg->message == WM_MOUSEMOVE) {
      what = "move";
    } else if (msg->message == WM_TIMER) {
      what = "timer";
      KillTimer(nullptr, msg->wParam);
    } else if (msg->message >= WM_APP) {
      what = std::to_string(msg->message - WM_APP);
    } else {
      return FALSE;
    }
    m_j.events.push_back(m_name + ":" + what);
    return msg->message == m_consumes;
  }

 private:
  Journal& m_j;
  std::string m_name;
  UINT m_consumes;
};

class CTestIdle : public CIdleHandler {
 public:
  explicit CTestIdle(Journal& j) : m_j(j) {}
  BOOL OnIdle() override {
    ++m_calls;
    m_j.events.push_back("idle" + std::to_string(m_calls));
    // First round: a mouse move, which must not switch idle processing back on, and a timer that fires
    // once the queue has been empty for a while, which must.
    if (m_calls == 1) {
      PostThreadMessageW(GetCurrentThreadId(), WM_MOUSEMOVE, 0, 0);
      SetTimer(nullptr, 0, 300, nullptr);
    }
    if (m_calls == 2) PostQuitMessage(7);
    return TRUE;
  }
  int m_calls = 0;

 private:
  Journal& m_j;
};

TEST(MessageLoop, FiltersNewestFirstAndTheIdleRule) {
  MSG peek;
  PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its queue
  Journal j;
  CMessageLoop loop;
  CTestFilter older(j, "A", 0), newer(j, "B", kForB);
  CTestIdle idle(j);
  loop.AddMessageFilter(&older);
  loop.AddMessageFilter(&newer);
  loop.AddIdleHandler(&idle);
  PostThreadMessageW(GetCurrentThreadId(), kForB, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 0, 0);

  EXPECT_EQ(loop.Run(), 7) << "the quit message's code is the loop's result";
  const std::vector<std::string> expected = {
      "B:6",           // the newest filter sees the message first and consumes it; A never sees it
      "B:1", "A:1",    // not consumed: both filters, newest first
      "idle1",         // the queue ran dry
      "B:move", "A:move",  // a mouse move does not switch idle processing back on
      "B:timer", "A:timer",  // a timer message does
      "idle2",
  };
  EXPECT_EQ(j.events, expected);
}

TEST(MessageLoop, IdleSwitchingMessages) {
  for (UINT m : {static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_NCMOUSEMOVE), static_cast<UINT>(WM_PAINT), 0x0118u}) {
    MSG msg{};
    msg.message = m;
    EXPECT_FALSE(CMessageLoop::IsIdleMessage(msg)) << m;
  }
  MSG key{};
  key.message = WM_KEYDOWN;
  EXPECT_TRUE(CMessageLoop::IsIdleMessage(key));
}

DWORD WINAPI AddLoopOnThread(LPVOID p) {
  auto* a = static_cast<std::pair<CAppModule*, CMessageLoop*>*>(p);
  return a->first->AddMessageLoop(a->second) ? 1 : 0;
}

TEST(AppModule, KeepsOneLoopPerThread) {
  CAppModule module;
  CMessageLoop a, b;
  EXPECT_TRUE(module.AddMessageLoop(&a));
  EXPECT_FALSE(module.AddMessageLoop(&b)) << "one loop per thread";
  EXPECT_EQ(module.GetMessageLoop(), &a);
  std::pair<CAppModule*, CMessageLoop*> args{&module, &b};
  HANDLE t = CreateThread(nullptr, 0, &AddLoopOnThread, &args, 0, nullptr);
  WaitForSingleObject(t, 5000);
  DWORD added = 0;
  GetExitCodeThread(t, &added);
  DWORD threadId = GetThreadId(t);
  CloseHandle(t);
  EXPECT_EQ(added, 1u) << "another thread registers its own loop";
  EXPECT_EQ(module.GetMessageLoop(threadId), &b);
  module.RemoveMessageLoop();
  EXPECT_EQ(module.GetMessageLoop(), nullptr);
}

}  // namespace
}  // namespace vorlix
