#pragma once
// How a recorder is ended: its window is asked to close once a second, and from the sixth round on the
// process is also terminated, until it is gone. A recorder that obeys ends within the first second; one
// that ignores the request is killed about six seconds after the call.
#include <cstdint>

#include "recording/SessionClock.h"

namespace vorlix {

// One recorder process being ended.
class IRecorderProcess {
 public:
  virtual ~IRecorderProcess() = default;
  virtual bool IsGone() = 0;
  // WM_CLOSE, then WM_DESTROY, to the process's first top-level window (when it has one).
  virtual void RequestClose() = 0;
  // Waits up to ms for the process to end; true once it has. Ending early lets a restart continue at once.
  virtual bool WaitGone(uint32_t ms, ISessionClock& clock) = 0;
  virtual void Terminate() = 0;
};

constexpr uint32_t kCloseRoundMs = 1000;
// Rounds counted from 0; the close request alone is tried in rounds 0 to 4.
constexpr int kLastCloseOnlyRound = 4;
// A process that survives even termination (no rights over it) would otherwise hold the program, and its
// shutdown, for ever.
constexpr int kMaxCloseRounds = 30;

inline bool TerminatesInRound(int round) { return round > kLastCloseOnlyRound; }

struct CloseOutcome {
  int rounds = 0;          // rounds run; 0 when no process was running
  bool bTerminated = false;
  bool bGone = true;       // false only when the rounds ran out
};

CloseOutcome RunCloseRounds(IRecorderProcess& process, ISessionClock& clock);

}  // namespace vorlix
