#pragma once
// Keeps a sound source's samples on the wall clock for the encoder, which counts time in samples.
//
// A loopback of the system's output delivers nothing while nothing plays, and a lost device delivers
// nothing at all; without the missing silence every later sound would come early against the picture.
// Packets arrive in bursts of some milliseconds, so only a lag beyond the tolerance counts as a gap, and
// the gap is filled up to a little short of now, never past it.
#include <cstdint>

namespace vorlix::recorder {

class CAudioPacer {
 public:
  // rate: frames per second; tolerance: the lag, in frames, that is still an ordinary delivery delay.
  CAudioPacer(int rate, int64_t tolerance) : m_rate(rate), m_tolerance(tolerance) {}

  // Silent frames to write now, given the wall-clock time since the first frame was due and the frames
  // written so far.
  int64_t SilenceDue(int64_t elapsedMicroseconds, int64_t framesWritten) const;

  static constexpr int64_t kLeadMicroseconds = 20000;  // the fill stops this far short of now

 private:
  int m_rate;
  int64_t m_tolerance;
};

}  // namespace vorlix::recorder
