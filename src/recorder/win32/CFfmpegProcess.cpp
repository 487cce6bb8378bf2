#include "recorder/win32/CFfmpegProcess.h"

#include <vector>

namespace vorlix::recorder {

bool CFfmpegProcess::Start(const std::wstring& commandLine, const std::wstring& logPath, DWORD* error) {
  *error = 0;
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof sa;
  sa.bInheritHandle = TRUE;

  HANDLE rawRead = nullptr, rawWrite = nullptr;
  if (!CreatePipe(&rawRead, &rawWrite, &sa, 0)) {
    *error = GetLastError();
    return false;
  }
  CKernelHandle childInput(rawRead), input(rawWrite);
  SetHandleInformation(input.Get(), HANDLE_FLAG_INHERIT, 0);

  CFileHandle log(CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  CFileHandle nul;
  if (!log) nul.Reset(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0,
                                  nullptr));
  HANDLE out = log ? log.Get() : nul.Get();

  CKernelHandle job(CreateJobObjectW(nullptr, nullptr));
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }

  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = childInput.Get();
  si.hStdOutput = out;
  si.hStdError = out;
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                      nullptr, &si, &pi)) {
    *error = GetLastError();
    return false;
  }
  CKernelHandle thread(pi.hThread);
  m_process.Reset(pi.hProcess);
  m_id = pi.dwProcessId;
  if (job && AssignProcessToJobObject(job.Get(), m_process.Get())) m_job = std::move(job);
  ResumeThread(thread.Get());
  m_input = std::move(input);
  return true;
}

DWORD CFfmpegProcess::Finish() {
  DWORD code = 0;
  if (m_process) GetExitCodeProcess(m_process.Get(), &code);
  m_process.Reset();
  m_input.Reset();
  m_job.Reset();
  return code;
}

bool CFfmpegProcess::Send(const std::string& text) {
  if (!m_process || !m_input) return false;
  DWORD put = 0;
  return WriteFile(m_input.Get(), text.data(), static_cast<DWORD>(text.size()), &put, nullptr) && put == text.size();
}

DWORD CFfmpegProcess::Stop(DWORD waitMs) {
  if (!m_process) return 0;
  if (WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
    DWORD put = 0;
    if (m_input) WriteFile(m_input.Get(), "q", 1, &put, nullptr);
    if (WaitForSingleObject(m_process.Get(), waitMs) == WAIT_TIMEOUT) {
      TerminateProcess(m_process.Get(), 1);
      WaitForSingleObject(m_process.Get(), 5000);
    }
  }
  return Finish();
}

}  // namespace vorlix::recorder
