#include "recorder/AudioPacer.h"

namespace vorlix::recorder {

int64_t CAudioPacer::SilenceDue(int64_t elapsedMicroseconds, int64_t framesWritten) const {
  const int64_t due = elapsedMicroseconds * m_rate / 1000000;
  if (due - framesWritten <= m_tolerance) return 0;
  const int64_t upTo = (elapsedMicroseconds - kLeadMicroseconds) * m_rate / 1000000;
  return upTo > framesWritten ? upTo - framesWritten : 0;
}

}  // namespace vorlix::recorder
