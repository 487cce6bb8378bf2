#include "recording/SessionStateMachine.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

// Drives the machine into each state the way the main window does.
CSessionStateMachine In(SessionState state) {
  CSessionStateMachine m;
  if (state == SessionState::Choosing) return m;
  m.OnRecordingStarted();
  if (state == SessionState::Processing) m.OnStoppedWithClips();
  if (state == SessionState::Stopped) m.OnStoppedWithoutClips();
  return m;
}

struct InputRow {
  SessionState state;
  SessionAction gateWithGame;
  SessionAction recordButton;
  bool replayMarks;
  bool settings;
  SessionAction logout;
};

TEST(SessionStateMachine, InputTable) {
  const InputRow rows[] = {
      {SessionState::Choosing, SessionAction::StartRecording, SessionAction::None, false, true, SessionAction::None},
      {SessionState::Recording, SessionAction::StopWithClips, SessionAction::StopWithClips, true, false,
       SessionAction::StopWithoutClips},
      // The worker of the stopped session still owns its lists; a second one would share the bar.
      {SessionState::Processing, SessionAction::RefuseBusy, SessionAction::None, false, true, SessionAction::None},
      {SessionState::Stopped, SessionAction::StartRecording, SessionAction::StartRecording, false, true,
       SessionAction::None},
  };
  for (const InputRow& row : rows) {
    CSessionStateMachine m = In(row.state);
    SCOPED_TRACE(static_cast<int>(row.state));
    EXPECT_EQ(m.OnStartStopGate(true), row.gateWithGame);
    EXPECT_EQ(m.OnRecordButton(), row.recordButton);
    EXPECT_EQ(m.OnReplay(), row.replayMarks);
    EXPECT_EQ(m.CanOpenSettings(), row.settings);
    EXPECT_EQ(m.OnLogoutConfirmed(), row.logout);
  }
}

TEST(SessionStateMachine, GateWithoutGameRefusesInEveryState) {
  for (SessionState s : {SessionState::Choosing, SessionState::Recording, SessionState::Processing,
                         SessionState::Stopped}) {
    EXPECT_EQ(In(s).OnStartStopGate(false), SessionAction::RefuseNoGame);
  }
}

TEST(SessionStateMachine, ProcessingEndsWithTheWorker) {
  CSessionStateMachine m = In(SessionState::Processing);
  m.OnCutBegin(2);
  EXPECT_EQ(m.State(), SessionState::Processing);
  m.OnCutFinished();
  EXPECT_EQ(m.State(), SessionState::Choosing);
  EXPECT_FALSE(m.IsWorkerBusy());
  EXPECT_EQ(m.OnStartStopGate(true), SessionAction::StartRecording);
}

TEST(SessionStateMachine, NoClipsToMakeReturnsToChoosingAtOnce) {
  CSessionStateMachine m = In(SessionState::Processing);
  m.OnCutBegin(0);
  EXPECT_EQ(m.State(), SessionState::Choosing);
  EXPECT_EQ(m.OnStartStopGate(true), SessionAction::StartRecording);
}

TEST(SessionStateMachine, CancelShowsChoosingButRefusesStartUntilTheWorkerEnds) {
  CSessionStateMachine m = In(SessionState::Processing);
  m.OnCutBegin(5);
  m.OnCancelConfirmed();
  EXPECT_EQ(m.State(), SessionState::Choosing);
  EXPECT_EQ(m.OnStartStopGate(true), SessionAction::RefuseBusy);
  m.OnCutFinished();
  EXPECT_EQ(m.OnStartStopGate(true), SessionAction::StartRecording);
}

TEST(SessionStateMachine, FailedStartLeavesTheStateAlone) {
  CSessionStateMachine m;
  m.OnRecordingStartFailed();
  EXPECT_EQ(m.State(), SessionState::Choosing);
  EXPECT_FALSE(m.IsRecording());
}

}  // namespace
}  // namespace vorlix
