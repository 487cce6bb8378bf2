#pragma once
// Where the recording flow reads the time and waits, so a session of hours runs in a test in an instant.
#include <cstdint>

namespace vorlix {

class ISessionClock {
 public:
  virtual ~ISessionClock() = default;
  // Milliseconds since 1970-01-01 UTC.
  virtual int64_t NowMs() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

// The wall clock and a real sleep.
ISessionClock& SystemSessionClock();

// The program's whole-second time stamps (seconds since 1970, low 32 bits) from a millisecond reading.
inline int32_t SecondsOf(int64_t ms) { return static_cast<int32_t>(static_cast<uint32_t>(ms / 1000)); }

}  // namespace vorlix
