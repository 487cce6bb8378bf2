#pragma once
// The bookkeeping of one recording session: one RecordSegment per recorder run, the number of runs, the
// session's start time and the replay moments marked so far.
//
// The moments outlive a session that ends without clips (a logout): they stay until a session's clips are
// made, as the cut worker skips those that lie before every recording. The segments stay until the next
// session starts or until they are handed to the cut worker, which owns them from then on.
#include <cstdint>
#include <string>
#include <vector>

#include "recording/RecordSegment.h"

namespace vorlix {

class CRecordSession {
 public:
  // A new session: start time 0, no runs, no segments. The moments are kept.
  void Reset();
  // A recorder run launched now: the start count goes up and a segment named after the user id and the
  // launch second is appended.
  const RecordSegment& BeginSegment(const std::wstring& userId, int64_t launchMs);
  // The run just begun never started: its segment goes again, so no file is expected for it.
  void DropLastSegment();
  // The current run stopped at this moment. A run already stopped keeps its first stop time.
  void StampStop(int64_t stopMs);
  void SetRecordStartTime(int64_t ms) { m_recordStartMs = ms; }
  void AddMoment(int64_t ms) { m_momentsMs.push_back(ms); }
  // Moves the segments and the moments into the hand-over; the session is empty afterwards.
  SessionData HandOver(const std::wstring& videoFolder, const std::wstring& userId);

  const std::vector<RecordSegment>& Segments() const { return m_segments; }
  const std::vector<int64_t>& MomentsMs() const { return m_momentsMs; }
  int32_t StartCount() const { return m_startCount; }
  int32_t RecordStartTime() const;  // seconds since 1970, 0 before the first run
  int64_t RecordStartMs() const { return m_recordStartMs; }

 private:
  std::vector<RecordSegment> m_segments;
  std::vector<int64_t> m_momentsMs;
  int32_t m_startCount = 0;
  int64_t m_recordStartMs = 0;
};

}  // namespace vorlix
