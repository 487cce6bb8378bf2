// The clip benchmark's Windows half (scripts/bench-clips runs it; never a test).
//   clips_bench job  <recording> <folder> <count>   the worker from its start to WM_CUT_FINISHED
//   clips_bench cuts <recording> <folder> <count>   only the same stream-copy cuts, one ffmpeg each
//   clips_bench upload <file> <key>                  one clip upload; prints the peak working set
// Both print their wall time in milliseconds; the marks are spread over the recording the same way.
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "net/PLObject.h"
#include "recording/CCutVideoServices.h"
#include "recording/ClipPlanner.h"
#include "recording/CommandRunner.h"
#include "recording/VideoProbe.h"
#include "recording/win32/CutVideoThread.h"
#include "shell/Log.h"
#include "shell/WindowMessages.h"
#include "support/DevServiceClient.h"

using namespace vorlix;

namespace {

bool g_finished = false;
WPARAM g_uploaded = 0;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CUT_FINISHED) {
    g_finished = true;
    g_uploaded = w;
  }
  return msg >= WM_USER ? 0 : DefWindowProcW(hwnd, msg, w, l);
}

double Now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == L"upload") {
    CCutVideoServices services(nullptr);
    net::PutResult result;
    const int code = services.Upload(WideToAnsi(argv[3]), argv[2], [](int, int64_t, int64_t) {}, result);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("upload %d peak_ws_kb %lu\n", code, static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024));
    return code == 200 ? 0 : 1;
  }
  if (argc != 5) {
    std::fprintf(stderr, "usage: clips_bench job|cuts <recording> <folder> <count>\n");
    return 2;
  }
  const std::wstring mode = argv[1], source = argv[2], folder = argv[3];
  const int count = _wtoi(argv[4]);
  const int64_t durationMs = GetVideoDurationMs(source);
  if (durationMs < 120000) {
    std::fprintf(stderr, "the recording is too short\n");
    return 1;
  }
  CreateDirectories(folder);
  // VORLIX_BENCH_LOG names a run log, to see where the time goes.
  if (const char* log = std::getenv("VORLIX_BENCH_LOG")) ConfigureLog(2, LOG_TIME | LOG_FILE, log);

  Json::Value body;
  body["phone"] = "13800138099";
  Json::Value s = test::Control("POST", "login", body);
  plHttp::SessionValues session{s["userId"].asString(), s["loginToken"].asString(), s["signSecret"].asString()};
  SetUserId(Utf8ToWide(session.userId));
  SetUserToken(Utf8ToWide(session.userToken));
  SetUserSecret(Utf8ToWide(session.signSecret));
  plHttp::GetPLObject().SetSession(session);

  const int64_t launch = (int64_t(std::time(nullptr)) - 3600) * 1000 + 250;
  RecordSegment segment;
  segment.startMs = launch;
  segment.stopMs = launch + 2000 + durationMs;
  segment.nStartTime = MomentSeconds(segment.startMs);
  segment.nStopTime = MomentSeconds(segment.stopMs);
  segment.name = Utf8ToWide(session.userId) + L"_original_" + std::to_wstring(segment.nStartTime);
  const std::wstring recording = RecordingPath(folder, segment);
  if (!CopyFileW(source.c_str(), recording.c_str(), FALSE)) return 1;
  ApplyProbedDuration(segment, durationMs);

  SessionData data;
  data.videoFolder = folder;
  data.userId = Utf8ToWide(session.userId);
  data.segments.push_back(segment);
  // Each clip a full minute, spread evenly after the first minute.
  const int64_t span = durationMs - 61000;
  for (int i = 0; i < count; ++i) data.momentsMs.push_back(launch + 2000 + 60500 + span * i / (count > 1 ? count : 1));

  double start = 0, end = 0;
  if (mode == L"job") {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ClipsBench";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"ClipsBench", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    start = Now();
    StartCutVideoThread(hwnd, data, std::make_shared<std::atomic<bool>>(false));
    MSG msg;
    while (!g_finished && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    end = Now();
    std::printf("job_ms %.0f uploaded %u\n", end - start, unsigned(g_uploaded));
  } else {
    start = Now();
    for (int64_t moment : data.momentsMs) {
      const std::wstring clip = ClipFileName(data.userId, moment);
      ExecCmd(WideToAnsi(BuildCutCommand(ComputeCutWindow(segment, moment), recording, ClipPath(folder, clip))));
    }
    end = Now();
    std::printf("cuts_ms %.0f\n", end - start);
    for (int64_t moment : data.momentsMs) std::printf("clip %s\n", WideToUtf8(ClipFileName(data.userId, moment)).c_str());
    RemoveFile(recording);
  }
  std::fflush(stdout);
  return 0;
}
