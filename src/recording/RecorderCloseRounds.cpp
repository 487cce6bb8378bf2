#include "recording/RecorderCloseRounds.h"

namespace vorlix {

CloseOutcome RunCloseRounds(IRecorderProcess& process, ISessionClock& clock) {
  CloseOutcome out;
  if (process.IsGone()) return out;
  for (int round = 0; round < kMaxCloseRounds; ++round) {
    out.rounds = round + 1;
    process.RequestClose();
    if (process.WaitGone(kCloseRoundMs, clock)) return out;
    if (TerminatesInRound(round)) {
      process.Terminate();
      out.bTerminated = true;
    }
  }
  out.bGone = process.IsGone();
  return out;
}

}  // namespace vorlix
