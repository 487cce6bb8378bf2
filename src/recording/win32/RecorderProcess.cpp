#include "recording/win32/RecorderProcess.h"

#include <tlhelp32.h>

#include <atomic>

#include "base/TextConv.h"
#include "shell/Log.h"

namespace vorlix {
namespace {

// Read by the shutdown and by the crash filter, possibly on another thread: no lock, so a crash while
// the main thread holds one cannot leave the recorder running.
std::atomic<HANDLE> g_adopted{nullptr};
std::wstring g_executable;

struct WindowSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK TakeFirstWindowOf(HWND hwnd, LPARAM p) {
  auto* s = reinterpret_cast<WindowSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != s->pid) return TRUE;
  s->found = hwnd;
  return FALSE;
}

HWND FirstTopLevelWindowOf(DWORD pid) {
  WindowSearch s{pid, nullptr};
  EnumWindows(&TakeFirstWindowOf, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// A store app's frame stands for the content window of another process inside it.
HWND ContentOfFrame(HWND frame) {
  wchar_t cls[256] = {};
  GetClassNameW(frame, cls, 256);
  if (std::wstring(cls) != L"ApplicationFrameWindow") return frame;
  DWORD framePid = 0;
  GetWindowThreadProcessId(frame, &framePid);
  for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(child, &pid);
    if (pid != framePid) return child;
  }
  return frame;
}

std::wstring Normalised(const std::wstring& path) {
  std::wstring p = path;
  for (wchar_t& c : p)
    if (c == L'/') c = L'\\';
  wchar_t full[4096];
  DWORD n = GetFullPathNameW(p.c_str(), 4096, full, nullptr);
  if (n > 0 && n < 4096) p.assign(full, n);
  wchar_t longer[4096];
  n = GetLongPathNameW(p.c_str(), longer, 4096);
  if (n > 0 && n < 4096) p.assign(longer, n);
  return p;
}

std::wstring ImageOf(HANDLE process) {
  wchar_t buf[4096];
  DWORD size = 4096;
  if (!QueryFullProcessImageNameW(process, 0, buf, &size)) return L"";
  return std::wstring(buf, size);
}

void EndOne(CKernelHandle process, const char* what) {
  CRecorderProcess recorder(std::move(process));
  const DWORD id = recorder.Id();
  CloseOutcome out = RunCloseRounds(recorder, SystemSessionClock());
  if (out.rounds == 0) return;
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "MainFrame", __LINE__)
             << "recorder " << static_cast<int32_t>(id) << " (" << what << ") "
             << (out.bGone ? (out.bTerminated ? "terminated" : "closed") : "still running, given up") << " after "
             << static_cast<int32_t>(out.rounds) << " round(s)" << '\n');
}

}  // namespace

CRecorderProcess::CRecorderProcess(CKernelHandle process) : m_process(std::move(process)) {
  if (m_process) m_id = GetProcessId(m_process.Get());
}

bool CRecorderProcess::IsGone() { return !m_process || WaitForSingleObject(m_process.Get(), 0) != WAIT_TIMEOUT; }

void CRecorderProcess::RequestClose() {
  HWND window = FirstTopLevelWindowOf(m_id);
  if (!window) return;
  window = ContentOfFrame(window);
  // Sent, as the recorder finishes its file inside the close; a recorder that stopped answering messages
  // must not hold this thread for ever, the rounds end it instead.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 20000, &result);
  SendMessageTimeoutW(window, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

bool CRecorderProcess::WaitGone(uint32_t ms, ISessionClock&) {
  return !m_process || WaitForSingleObject(m_process.Get(), ms) != WAIT_TIMEOUT;
}

void CRecorderProcess::Terminate() {
  if (m_process) TerminateProcess(m_process.Get(), 0);
}

void SetRecorderExecutable(const std::wstring& path) { g_executable = path; }

std::wstring RecorderExecutable() { return g_executable; }

void AdoptRecorderProcess(HANDLE process) {
  if (HANDLE old = g_adopted.exchange(process)) CloseHandle(old);
}

int64_t AdoptedRecorderEndedAtMs() {
  HANDLE process = g_adopted.load();
  if (process == nullptr || WaitForSingleObject(process, 0) == WAIT_TIMEOUT) return 0;
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  const uint64_t ticks = (static_cast<uint64_t>(exited.dwHighDateTime) << 32) | exited.dwLowDateTime;
  constexpr uint64_t kUnixEpochTicks = 116444736000000000ULL;  // 1970-01-01 in 100 ns units since 1601
  if (ticks <= kUnixEpochTicks) return 0;
  return static_cast<int64_t>((ticks - kUnixEpochTicks) / 10000);
}

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  const std::wstring x = Normalised(a), y = Normalised(b);
  return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
         CSTR_EQUAL;
}

std::vector<CKernelHandle> FindProcessesOfImage(const std::wstring& exePath) {
  std::vector<CKernelHandle> found;
  std::wstring exeName = exePath.substr(exePath.find_last_of(L"\\/") + 1);
  CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
    if (CompareStringOrdinal(entry.szExeFile, -1, exeName.c_str(), -1, TRUE) != CSTR_EQUAL) continue;
    CKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    const std::wstring image = ImageOf(process.Get());
    if (!image.empty() && IsSameFile(image, exePath)) found.push_back(std::move(process));
  }
  return found;
}

void EndRecorderProcesses() {
  if (HANDLE adopted = g_adopted.exchange(nullptr)) EndOne(CKernelHandle(adopted), "launched");
  const std::wstring exe = g_executable;
  if (exe.empty()) return;
  for (CKernelHandle& leftover : FindProcessesOfImage(exe)) EndOne(std::move(leftover), "left over");
}

}  // namespace vorlix
