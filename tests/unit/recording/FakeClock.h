#pragma once
// A clock that only moves when told to, or when the code under test sleeps.
#include <cstdint>

#include "recording/SessionClock.h"

namespace vorlix::test {

class CFakeClock : public ISessionClock {
 public:
  explicit CFakeClock(int64_t startMs) : m_nowMs(startMs) {}
  int64_t NowMs() override { return m_nowMs; }
  void Sleep(uint32_t ms) override { m_nowMs += ms; }
  void Advance(int64_t ms) { m_nowMs += ms; }
  void Set(int64_t ms) { m_nowMs = ms; }

 private:
  int64_t m_nowMs;
};

}  // namespace vorlix::test
