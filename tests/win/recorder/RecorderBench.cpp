// Benchmark driver (not a test), run by bench.sh: records 10 s of the desktop at 540p30 with the
// recorder, then closes it as the controller does. It prints the CPU times the system reports; under Wine
// those are not per process, so bench.sh also reads them from the host.
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "base/win32/Handle.h"
#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "win/ProcessRunner.h"

namespace {

using namespace vorlix;

double CpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  auto ms = [](const FILETIME& f) {
    return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

std::string NewestLog(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  std::string all;
  HANDLE h = FindFirstFileW((dir + L"recorder_*.log").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return all;
  do {
    std::wstring n = fd.cFileName;
    std::string bytes;
    if (n.find(L"_ffmpeg") == std::wstring::npos && ReadWholeFile(dir + n, bytes)) all += bytes;
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return all;
}

struct Found {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK TakeFirst(HWND h, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  if (owner != f->pid) return TRUE;
  f->hwnd = h;
  return FALSE;
}

}  // namespace

int wmain() {
  const std::wstring root = GetAppDirectory() + L"bench_tree\\";
  const std::wstring roaming = root + L"roaming";
  SetEnvironmentVariableW(L"APPDATA", roaming.c_str());
  for (const wchar_t* d : {L"", L"roaming", L"roaming\\vorlix", L"roaming\\vorlix\\basic",
                           L"roaming\\vorlix\\basic\\profiles", L"roaming\\vorlix\\basic\\profiles\\gamer",
                           L"roaming\\vorlix\\basic\\scenes", L"obs", L"obs\\bin", L"obs\\bin\\32bit", L"videos"})
    CreateDirectoryW((root + d).c_str(), nullptr);
  const std::wstring recorder = root + L"obs\\bin\\32bit\\obs32.exe";
  if (!CopyFileW(RECORDER_EXE, recorder.c_str(), FALSE) || !CopyFileW(FFMPEG_EXE, (root + L"ffmpeg.exe").c_str(), FALSE)) {
    std::printf("cannot lay out the program folder\n");
    return 1;
  }
  SetOutputResolution(kResolutionPresets[0]);
  SetFrameRate(30);
  SetVideoBitrate(4000);

  const std::wstring logs = roaming + L"\\vorlix\\logs\\";
  const size_t logBefore = NewestLog(logs).size();
  test::CChildProcess rec;
  if (!rec.Start(recorder, L"--startrecording --start_no_show --file_save \"" + root + L"videos\" --file_name bench",
                 root + L"obs\\bin\\32bit\\")) {
    std::printf("cannot start the recorder\n");
    return 1;
  }
  DWORD encoder = 0;
  test::WaitFor(
      [&] {
        std::string log = NewestLog(logs).substr(logBefore);
        size_t at = log.find("(ffmpeg process ");
        if (at != std::string::npos) encoder = static_cast<DWORD>(std::stoul(log.substr(at + 16)));
        return encoder != 0;
      },
      15000);
  CKernelHandle recProcess(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, rec.Id()));
  CKernelHandle encProcess(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, encoder));
  if (!encoder || !recProcess || !encProcess) {
    std::printf("the recorder did not start its encoder\n");
    return 1;
  }
  Sleep(10000);
  Found f{rec.Id(), nullptr};
  EnumWindows(&TakeFirst, reinterpret_cast<LPARAM>(&f));
  if (f.hwnd) {
    SendMessageW(f.hwnd, WM_CLOSE, 0, 0);
    SendMessageW(f.hwnd, WM_DESTROY, 0, 0);
  }
  rec.Wait(20000);
  WaitForSingleObject(encProcess.Get(), 5000);
  const double recMs = CpuMs(recProcess.Get()), encMs = CpuMs(encProcess.Get());
  std::printf("10 s at 960x540, 30 fps, CPU as the system reports it: recorder %.0f ms, ffmpeg %.0f ms, recorder/ffmpeg = %.4f\n", recMs,
              encMs, encMs > 0 ? recMs / encMs : 0.0);
  return 0;
}
