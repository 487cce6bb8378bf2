#include "recording/SessionStateMachine.h"

namespace vorlix {

SessionAction CSessionStateMachine::OnStartStopGate(bool gameChosen) const {
  if (!gameChosen) return SessionAction::RefuseNoGame;
  if (m_state == SessionState::Recording) return SessionAction::StopWithClips;
  if (m_bWorkerBusy) return SessionAction::RefuseBusy;
  return SessionAction::StartRecording;
}

SessionAction CSessionStateMachine::OnRecordButton() const {
  switch (m_state) {
    case SessionState::Recording:
      return SessionAction::StopWithClips;
    case SessionState::Stopped:
      // The panel is hidden here, so the button is reachable; no game check, as on the first start.
      return m_bWorkerBusy ? SessionAction::RefuseBusy : SessionAction::StartRecording;
    case SessionState::Choosing:
    case SessionState::Processing:
      return SessionAction::None;
  }
  return SessionAction::None;
}

SessionAction CSessionStateMachine::OnLogoutConfirmed() const {
  return m_state == SessionState::Recording ? SessionAction::StopWithoutClips : SessionAction::None;
}

void CSessionStateMachine::OnRecordingStarted() { m_state = SessionState::Recording; }

void CSessionStateMachine::OnStoppedWithClips() {
  m_state = SessionState::Processing;
  m_bWorkerBusy = true;
}

void CSessionStateMachine::OnStoppedWithoutClips() { m_state = SessionState::Stopped; }

void CSessionStateMachine::OnCutBegin(int clips) {
  if (clips > 0) return;
  m_bWorkerBusy = false;
  if (m_state == SessionState::Processing) m_state = SessionState::Choosing;
}

void CSessionStateMachine::OnCutFinished() {
  m_bWorkerBusy = false;
  if (m_state == SessionState::Processing) m_state = SessionState::Choosing;
}

void CSessionStateMachine::OnCancelConfirmed() {
  if (m_state == SessionState::Processing) m_state = SessionState::Choosing;
}

}  // namespace vorlix
