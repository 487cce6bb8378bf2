#pragma once
// Recording sessions on Windows: the bundled recorder launched hidden into the video folder, moved on to
// a new file by the main window's timer 1045, ended with close requests and, when it ignores them,
// termination; the sound cues; and the stop of the recorder at shutdown and after a crash.
//
// All operations run on the main thread and block it while they work (cues, closing the recorder, the
// event reports). The main window forwards its timer:
//   case WM_TIMER: if (wParam == TIMER_RESTART_OBS) { log "Timer RestartObs"; m_recorder.RestartObs(); }
#include <windows.h>

#include <functional>
#include <string>

#include "probes/GameDetection.h"
#include "recording/RecordSegment.h"
#include "recording/RecorderCommandLine.h"
#include "recording/RecordingFlow.h"

namespace vorlix {

class CRecorderControl : private IRecordingPlatform {
 public:
  // programDirectory holds obs/bin/32bit/obs32.exe and audio/, with its trailing separator. Constructing
  // the control also installs the recorder stop for the shutdown and the crash filter.
  explicit CRecorderControl(std::wstring programDirectory = GetDefaultProgramDirectory());
  CRecorderControl(const CRecorderControl&) = delete;
  CRecorderControl& operator=(const CRecorderControl&) = delete;

  // The controller's game list, for filling an empty GameTitle before each launch (may stay unset).
  void SetGameList(const GameList* games) { m_games = games; }
  // Replaces the event report (tests); by default the report goes to the log collector and is waited for.
  void SetReporter(std::function<void(const char* eventName)> reporter) { m_reporter = std::move(reporter); }

  // False when the recorder cannot start: then nothing records, the reason is logged and *userMessage
  // holds the text to show. timerOwner receives timer 1045.
  bool StartRecord(HWND timerOwner, std::wstring* userMessage);
  // Timer 1045: closes the current run and launches the next one into a new file, without a cue.
  // False when the new run did not start; the session keeps its earlier files.
  bool RestartObs();
  // Ends the session. With bUpload the segments and the replay moments move into *handOver for the cut
  // worker; without it nothing is stamped or handed over, and the moments stay for the next session.
  void StopRecord(bool bUpload, SessionData* handOver);
  // The replay mark; remembered (in milliseconds) only while recording.
  void ThirtySecond(bool recording);

  // Ends our recorder process, the one launched here or a leftover of ours; never another program.
  static void TerminateObsProcess();

  const CRecordSession& Session() const { return m_flow.Session(); }
  uint32_t RestartPeriod() const { return m_restartPeriodMs; }
  static std::wstring GetDefaultProgramDirectory();

 private:
  std::wstring UserId() override;
  std::wstring VideoFolder() override;
  std::wstring RecorderPath() override;
  RecorderProblem CheckRecorder() override;
  void PrepareProfile() override;
  void FillGameTitle() override;
  RecorderProblem LaunchRecorder(const std::wstring& parameters, const std::wstring& recordingName) override;
  void StopRecorder() override;
  int64_t RecorderEndedAtMs() override;
  void PlayCue(RecordCue cue) override;
  void SetRestartTimer(uint32_t periodMs) override;
  void KillRestartTimer() override;
  void Report(const char* eventName) override;

  std::wstring m_programDir;
  uint32_t m_restartPeriodMs;
  CRecordingFlow m_flow;
  HWND m_timerOwner = nullptr;
  const GameList* m_games = nullptr;
  std::function<void(const char*)> m_reporter;
};

// Registers TerminateObsProcess as the recorder stop of the shutdown and of the crash filter. The
// control's constructor does it; the entry may call it earlier, so a crash before the main window exists
// still ends a leftover recorder. Repeated calls are harmless.
void InstallRecorderTerminator();

// The Windows 7 compatibility layer for the recorder's executable, stored only when the Layers key exists.
void SetRecorderCompatibility();
// The same for a given program folder (with its trailing separator).
void SetRecorderCompatibilityFor(const std::wstring& programDirectory);

}  // namespace vorlix
