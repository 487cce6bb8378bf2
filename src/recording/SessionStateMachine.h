#pragma once
// The recording session as the user sees it, and what each of the user's inputs leads to. The main
// window asks this class what to do and tells it what happened; it holds no window and no recorder.
//
// A cut worker may still be busy after the session it processes has been left (a cancel returns to
// Choosing at once, the worker only stops before its next clip). A new session is refused until that
// worker has ended, so no two workers ever report progress into the same bar.

namespace vorlix {

enum class SessionState { Choosing, Recording, Processing, Stopped };

enum class SessionAction {
  None,             // the input means nothing in this state
  StartRecording,   // run StartRecord, then report OnRecordingStarted or OnRecordingStartFailed
  StopWithClips,    // StopRecord with clip production, then OnStoppedWithClips
  StopWithoutClips, // StopRecord without clips (logout), then OnStoppedWithoutClips
  RefuseNoGame,     // "当前未选中游戏，请选择游戏后再录制"
  RefuseBusy,       // clips of the last session are still being made
};

class CSessionStateMachine {
 public:
  SessionState State() const { return m_state; }
  bool IsRecording() const { return m_state == SessionState::Recording; }
  bool IsWorkerBusy() const { return m_bWorkerBusy; }

  // Start button 1033 and hotkey 300; gameChosen is what the game check answered.
  SessionAction OnStartStopGate(bool gameChosen) const;
  // Record button 1037 (it lies under the game panel while choosing, and is disabled while processing).
  SessionAction OnRecordButton() const;
  // Replay button 1038 and hotkey 301: true when a moment is to be marked.
  bool OnReplay() const { return IsRecording(); }
  // The user confirmed the logout: what to do with a running session.
  SessionAction OnLogoutConfirmed() const;
  // Settings button 1004 is usable in every state but Recording.
  bool CanOpenSettings() const { return !IsRecording(); }

  void OnRecordingStarted();
  void OnRecordingStartFailed() {}
  void OnStoppedWithClips();
  void OnStoppedWithoutClips();
  // The worker says how many clips it makes; none ends processing at once.
  void OnCutBegin(int clips);
  // The worker ended (after its last clip or after a cancel).
  void OnCutFinished();
  // Cancel button 1040, confirmed: back to choosing while the worker finishes its current clip.
  void OnCancelConfirmed();

 private:
  SessionState m_state = SessionState::Choosing;
  bool m_bWorkerBusy = false;
};

}  // namespace vorlix
