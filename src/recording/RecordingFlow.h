#pragma once
// The order of a recording session's steps: start (cue, recorder, hourly restart, report), the hourly move
// to a new file, the stop (cue, recorder closed, stop stamped, hand-over), and the replay mark. The
// platform does the work behind IRecordingPlatform; this class decides what happens when.
#include <cstdint>
#include <string>

#include "recording/RecordSession.h"
#include "recording/SessionClock.h"

namespace vorlix {

enum class RecordCue { Start, Stop, Creating };
// The cue files below the program's folder.
const wchar_t* CueFile(RecordCue cue);

// Why a recorder run could not begin.
enum class RecorderProblem { None, MissingRecorder, NoVideoFolder, FolderNotWritable, LaunchFailed, ExitedAtOnce };
// What the user is told (shown by the caller), and what the log says.
std::wstring UserMessageFor(RecorderProblem problem);
const char* LogTextFor(RecorderProblem problem);

class IRecordingPlatform {
 public:
  virtual ~IRecordingPlatform() = default;
  virtual std::wstring UserId() = 0;
  virtual std::wstring VideoFolder() = 0;
  virtual std::wstring RecorderPath() = 0;
  // The recorder's executable is there and the video folder exists and takes a new file.
  virtual RecorderProblem CheckRecorder() = 0;
  // The recorder's profile carries what this run needs (the canvas is the screen as it is now).
  virtual void PrepareProfile() = 0;
  // GameTitle is empty: fill it from the running games.
  virtual void FillGameTitle() = 0;
  // Starts the recorder hidden with these parameters; None when it runs. The run records into
  // VideoFolder() + "\\" + recordingName + ".mp4".
  virtual RecorderProblem LaunchRecorder(const std::wstring& parameters, const std::wstring& recordingName) = 0;
  // Ends our recorder (close requests, then termination); returns at once when none runs.
  virtual void StopRecorder() = 0;
  // The moment (ms since 1970) our recorder ended by itself (crashed, killed), or 0 while it runs and
  // when none was launched. Its file holds nothing after that moment.
  virtual int64_t RecorderEndedAtMs() = 0;
  // Plays the cue to its end; a missing file plays nothing.
  virtual void PlayCue(RecordCue cue) = 0;
  virtual void SetRestartTimer(uint32_t periodMs) = 0;
  virtual void KillRestartTimer() = 0;
  // Sends the event report and returns when it has ended.
  virtual void Report(const char* eventName) = 0;
};

class CRecordingFlow {
 public:
  CRecordingFlow(IRecordingPlatform& platform, ISessionClock& clock, uint32_t restartPeriodMs)
      : m_platform(platform), m_clock(clock), m_restartPeriodMs(restartPeriodMs) {}

  // False when no recorder could be started; then nothing records, no timer runs and *userMessage says why.
  bool StartRecord(std::wstring* userMessage);
  // Closes the current run and launches the next into a new file, without a cue. False when the new run
  // did not start (the session keeps its earlier segments; the next restart tries again).
  bool RestartObs();
  // Ends the session. With bUpload the last run's stop is stamped and the segments and moments move into
  // *handOver; without it nothing is stamped and nothing handed over, and the moments stay.
  void StopRecord(bool bUpload, SessionData* handOver);
  // A replay mark: remembered only while recording.
  void ThirtySecond(bool recording);

  const CRecordSession& Session() const { return m_session; }
  RecorderProblem LastProblem() const { return m_lastProblem; }

 private:
  bool StartObs();
  // When the run being stopped at `now` had already ended by itself: the moment it ended.
  int64_t RunEndMs(int64_t now);

  IRecordingPlatform& m_platform;
  ISessionClock& m_clock;
  uint32_t m_restartPeriodMs;
  CRecordSession m_session;
  RecorderProblem m_lastProblem = RecorderProblem::None;
};

}  // namespace vorlix
