#include "recording/win32/CRecorderControl.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdlib>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "net/Reports.h"
#include "probes/WindowSystem.h"
#include "recording/win32/RecorderProcess.h"
#include "shell/Log.h"
#include "shell/RecorderStop.h"

namespace vorlix {
namespace {

// How long a fresh recorder gets to show that it records (its file appears) before it counts as running
// anyway; one that ends within this time never recorded.
constexpr DWORD kLaunchCheckMs = 5000;

void Line(int sourceLine, const std::string& text) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", sourceLine) << text << '\n');
}

std::wstring Backslashed(std::wstring path) {
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::wstring JoinFile(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + name;
  return folder + L"\\" + name;
}

// A new file can be made in the folder (and is removed again at once).
bool FolderTakesFiles(const std::wstring& folder) {
  const std::wstring probe = JoinFile(folder, L".vorlix_write_check_" + std::to_wstring(GetCurrentProcessId()));
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace

void InstallRecorderTerminator() {
  if (RecorderExecutable().empty())
    SetRecorderExecutable(Backslashed(CRecorderControl::GetDefaultProgramDirectory() + kRecorderRelativePath));
  SetRecorderTerminator(&CRecorderControl::TerminateObsProcess);
}

std::wstring CRecorderControl::GetDefaultProgramDirectory() { return GetAppDirectory(); }

CRecorderControl::CRecorderControl(std::wstring programDirectory)
    : m_programDir(std::move(programDirectory)),
      m_restartPeriodMs(RestartPeriodMs(std::getenv(kTestRestartPeriodVariable))),
      m_flow(*this, SystemSessionClock(), m_restartPeriodMs) {
  SetRecorderExecutable(Backslashed(m_programDir + kRecorderRelativePath));
  InstallRecorderTerminator();
  if (m_restartPeriodMs != kRestartPeriodMs)
    Line(__LINE__, std::string(kTestRestartPeriodVariable) + " set: the recorder restarts every " +
                       std::to_string(m_restartPeriodMs) + " ms");
}

bool CRecorderControl::StartRecord(HWND timerOwner, std::wstring* userMessage) {
  m_timerOwner = timerOwner;
  return m_flow.StartRecord(userMessage);
}

bool CRecorderControl::RestartObs() { return m_flow.RestartObs(); }

void CRecorderControl::StopRecord(bool bUpload, SessionData* handOver) { m_flow.StopRecord(bUpload, handOver); }

void CRecorderControl::ThirtySecond(bool recording) { m_flow.ThirtySecond(recording); }

void CRecorderControl::TerminateObsProcess() { EndRecorderProcesses(); }

std::wstring CRecorderControl::UserId() { return GetUserId(); }

std::wstring CRecorderControl::VideoFolder() { return GetVideoSavePath(); }

std::wstring CRecorderControl::RecorderPath() { return m_programDir + kRecorderRelativePath; }

RecorderProblem CRecorderControl::CheckRecorder() {
  if (!FileExists(Backslashed(RecorderPath()))) return RecorderProblem::MissingRecorder;
  const std::wstring folder = VideoFolder();
  if (folder.empty() || !DirectoryExists(folder)) return RecorderProblem::NoVideoFolder;
  if (!FolderTakesFiles(folder)) return RecorderProblem::FolderNotWritable;
  return RecorderProblem::None;
}

void CRecorderControl::PrepareProfile() {
  // The recorder's canvas follows the screen as it is now, not as it was when the program started.
  SetCanvasWidth(GetSystemMetrics(SM_CXSCREEN));
  SetCanvasHeight(GetSystemMetrics(SM_CYSCREEN));
}

void CRecorderControl::FillGameTitle() {
  if (!m_games || !GetGameTitle().empty()) return;
  const std::wstring title = FindRunningGame(*m_games, SystemWindows());
  if (!title.empty()) SetGameTitle(title);
}

RecorderProblem CRecorderControl::LaunchRecorder(const std::wstring& parameters, const std::wstring& recordingName) {
  const std::wstring exe = Backslashed(RecorderPath());
  const std::wstring folder = Backslashed(m_programDir + kRecorderRelativeFolder);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = m_timerOwner;
  info.lpVerb = L"open";
  info.lpFile = exe.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExW(&info) || !info.hProcess) {
    Line(__LINE__, "the recorder could not be launched, error " + std::to_string(GetLastError()));
    if (info.hProcess) CloseHandle(info.hProcess);
    return RecorderProblem::LaunchFailed;
  }
  AdoptRecorderProcess(info.hProcess);

  const std::wstring file = JoinFile(VideoFolder(), recordingName + L".mp4");
  for (DWORD waited = 0; waited < kLaunchCheckMs; waited += 50) {
    if (FileExists(file)) return RecorderProblem::None;
    if (WaitForSingleObject(info.hProcess, 50) != WAIT_TIMEOUT) {
      DWORD code = 0;
      GetExitCodeProcess(info.hProcess, &code);
      Line(__LINE__, "the recorder ended with exit code " + std::to_string(code) + " before it recorded");
      AdoptRecorderProcess(nullptr);
      return RecorderProblem::ExitedAtOnce;
    }
  }
  Line(__LINE__, "the recorder runs, its file has not appeared yet: " + WideToAnsi(file));
  return RecorderProblem::None;
}

void CRecorderControl::StopRecorder() { TerminateObsProcess(); }

int64_t CRecorderControl::RecorderEndedAtMs() { return AdoptedRecorderEndedAtMs(); }

void CRecorderControl::PlayCue(RecordCue cue) {
  const std::wstring path = m_programDir + CueFile(cue);
  // Without the file there is nothing to wait for; PlaySound would otherwise look for a system sound.
  if (!FileExists(Backslashed(path))) return;
  PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT);
}

void CRecorderControl::SetRestartTimer(uint32_t periodMs) {
  if (m_timerOwner) SetTimer(m_timerOwner, TIMER_RESTART_OBS, periodMs, nullptr);
}

void CRecorderControl::KillRestartTimer() {
  if (m_timerOwner) KillTimer(m_timerOwner, TIMER_RESTART_OBS);
}

void CRecorderControl::Report(const char* eventName) {
  if (m_reporter)
    m_reporter(eventName);
  else
    net::SendEventReport(eventName);
}

}  // namespace vorlix
