#include "recording/RecordingFlow.h"

#include "base/TextConv.h"
#include "recording/RecorderCommandLine.h"
#include "shell/Log.h"

namespace vorlix {
namespace {

void Line(int sourceLine, const std::string& text) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", sourceLine) << text << '\n');
}

}  // namespace

const wchar_t* CueFile(RecordCue cue) {
  switch (cue) {
    case RecordCue::Start:
      return L"audio/record_start.wav";
    case RecordCue::Stop:
      return L"audio/record_stop.wav";
    case RecordCue::Creating:
      return L"audio/record_creating.wav";
  }
  return L"";
}

std::wstring UserMessageFor(RecorderProblem problem) {
  switch (problem) {
    case RecorderProblem::None:
      return L"";
    case RecorderProblem::MissingRecorder:
      return L"录制组件缺失，无法开始录制，请重新安装软件。";
    case RecorderProblem::NoVideoFolder:
      return L"视频保存目录不存在，无法开始录制，请在设置中重新选择保存目录。";
    case RecorderProblem::FolderNotWritable:
      return L"视频保存目录无法写入，无法开始录制，请在设置中重新选择保存目录。";
    case RecorderProblem::LaunchFailed:
      return L"录制组件启动失败，无法开始录制。";
    case RecorderProblem::ExitedAtOnce:
      return L"录制组件启动后立即退出，无法开始录制。";
  }
  return L"";
}

const char* LogTextFor(RecorderProblem problem) {
  switch (problem) {
    case RecorderProblem::None:
      return "none";
    case RecorderProblem::MissingRecorder:
      return "the recorder executable is missing";
    case RecorderProblem::NoVideoFolder:
      return "the video folder does not exist";
    case RecorderProblem::FolderNotWritable:
      return "the video folder cannot be written";
    case RecorderProblem::LaunchFailed:
      return "the recorder could not be launched";
    case RecorderProblem::ExitedAtOnce:
      return "the recorder ended right after its launch";
  }
  return "";
}

bool CRecordingFlow::StartRecord(std::wstring* userMessage) {
  Line(__LINE__, "StartRecord");
  m_session.Reset();
  m_platform.KillRestartTimer();
  // Checked before the start cue: the cue tells the user a recording has begun.
  m_lastProblem = m_platform.CheckRecorder();
  if (m_lastProblem == RecorderProblem::None) {
    m_platform.PlayCue(RecordCue::Start);
    if (!RestartObs() && m_lastProblem == RecorderProblem::None) m_lastProblem = RecorderProblem::LaunchFailed;
  }
  if (m_lastProblem != RecorderProblem::None) {
    // A recorder left over from an earlier run would go on recording behind a session that never began.
    m_platform.StopRecorder();
    Line(__LINE__, std::string("StartRecord failed: ") + LogTextFor(m_lastProblem));
    if (userMessage) *userMessage = UserMessageFor(m_lastProblem);
    return false;
  }
  m_platform.SetRestartTimer(m_restartPeriodMs);
  m_session.SetRecordStartTime(m_clock.NowMs());
  m_platform.Report("startRec");
  return true;
}

bool CRecordingFlow::RestartObs() {
  Line(__LINE__, "RestartObs");
  const int64_t t = RunEndMs(m_clock.NowMs());
  Line(__LINE__, "TerminateObsProcess stopTime:" + std::to_string(SecondsOf(t)));
  m_platform.StopRecorder();
  m_session.StampStop(t);
  return StartObs();
}

bool CRecordingFlow::StartObs() {
  Line(__LINE__, "StartObs");
  m_lastProblem = m_platform.CheckRecorder();
  if (m_lastProblem == RecorderProblem::None) {
    m_platform.PrepareProfile();
    const int64_t t = m_clock.NowMs();
    const std::wstring name = m_session.BeginSegment(m_platform.UserId(), t).name;
    const std::wstring parameters = BuildRecorderParameters(m_platform.VideoFolder(), name);
    m_platform.FillGameTitle();
    Line(__LINE__, "start obs exe path: " + WideToAnsi(m_platform.RecorderPath()) + " cmd:" + WideToAnsi(parameters));
    m_lastProblem = m_platform.LaunchRecorder(parameters, name);
    if (m_lastProblem != RecorderProblem::None) m_session.DropLastSegment();
  }
  if (m_lastProblem != RecorderProblem::None) {
    Line(__LINE__, std::string("StartObs failed: ") + LogTextFor(m_lastProblem));
    return false;
  }
  return true;
}

void CRecordingFlow::StopRecord(bool bUpload, SessionData* handOver) {
  Line(__LINE__, std::string("StopRecord bUpload:") + (bUpload ? "true" : "false"));
  m_platform.KillRestartTimer();
  m_platform.PlayCue(RecordCue::Stop);
  const int64_t t = RunEndMs(m_clock.NowMs());
  Line(__LINE__, "TerminateObsProcess stopTime:" + std::to_string(SecondsOf(t)));
  m_platform.StopRecorder();
  if (!bUpload) return;
  m_session.StampStop(t);
  // The worker names the clips after the user id, so it gets the form that is safe in a file name.
  SessionData data = m_session.HandOver(m_platform.VideoFolder(), SafeFileNamePart(m_platform.UserId()));
  if (handOver) *handOver = std::move(data);
}

int64_t CRecordingFlow::RunEndMs(int64_t now) {
  // The cut places a moment by the run's recorded length counted back from its stop; a run that died
  // earlier would have every clip cut that many seconds too early.
  const int64_t ended = m_platform.RecorderEndedAtMs();
  if (ended <= 0 || ended >= now) return now;
  Line(__LINE__, "the recorder had ended by itself " + std::to_string(now - ended) + " ms before its stop");
  return ended;
}

void CRecordingFlow::ThirtySecond(bool recording) {
  Line(__LINE__, std::string("ThirtySecond Begin m_bRecording:") + (recording ? "true" : "false"));
  if (!recording) return;
  m_session.AddMoment(m_clock.NowMs());
  m_platform.PlayCue(RecordCue::Creating);
  m_platform.Report("reRec");
}

}  // namespace vorlix
