#include "recording/RecordSession.h"

#include <utility>

#include "recording/RecorderCommandLine.h"
#include "recording/SessionClock.h"

namespace vorlix {

void CRecordSession::Reset() {
  m_recordStartMs = 0;
  m_startCount = 0;
  m_segments.clear();
}

const RecordSegment& CRecordSession::BeginSegment(const std::wstring& userId, int64_t launchMs) {
  ++m_startCount;
  RecordSegment s;
  s.nStartTime = SecondsOf(launchMs);
  s.startMs = launchMs;
  s.name = FormatRecordingName(userId, s.nStartTime);
  m_segments.push_back(std::move(s));
  return m_segments.back();
}

void CRecordSession::DropLastSegment() {
  if (m_segments.empty()) return;
  m_segments.pop_back();
  --m_startCount;
}

void CRecordSession::StampStop(int64_t stopMs) {
  if (m_segments.empty() || m_startCount <= 0) return;
  RecordSegment& current = m_segments[static_cast<size_t>(m_startCount - 1)];
  if (current.stopMs != 0) return;
  current.nStopTime = SecondsOf(stopMs);
  current.stopMs = stopMs;
}

SessionData CRecordSession::HandOver(const std::wstring& videoFolder, const std::wstring& userId) {
  SessionData d;
  d.videoFolder = videoFolder;
  d.userId = userId;
  d.segments = std::move(m_segments);
  d.momentsMs = std::move(m_momentsMs);
  m_segments.clear();
  m_momentsMs.clear();
  m_startCount = 0;
  return d;
}

int32_t CRecordSession::RecordStartTime() const { return m_recordStartMs ? SecondsOf(m_recordStartMs) : 0; }

}  // namespace vorlix
