// Recording sessions under the real system: the bundled recorder launched and closed the way the program
// does it, the hourly restart on a short test period, a stand-in recorder that refuses to close, another
// program that happens to be called obs32.exe, failures to start, a crash while recording, and the
// compatibility value. Each test lays out a private program folder.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <iostream>
#include <regex>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "recording/CommandRunner.h"
#include "recording/VideoProbe.h"
#include "recording/win32/CRecorderControl.h"
#include "win/ProcessRunner.h"
#include "win/recording/TimecodeWindow.h"

namespace vorlix {
namespace {

using test::CChildProcess;
using test::CTimecodeWindow;
using test::WaitFor;

std::wstring Root() { return GetAppDirectory() + L"recording_tree"; }

// The recorder inherits the roaming folder from this process, so its profile stays inside the tree.
const bool kRoamingSet = [] {
  CreateDirectoryW(Root().c_str(), nullptr);
  CreateDirectoryW((Root() + L"\\roaming").c_str(), nullptr);
  return SetEnvironmentVariableW(L"APPDATA", (Root() + L"\\roaming").c_str()) != 0;
}();

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = dir + L"\\" + name;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path);
      RemoveDirectoryW(path.c_str());
    } else {
      DeleteFileW(path.c_str());
    }
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern) {
  std::vector<std::wstring> out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\" + pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do out.push_back(fd.cFileName);
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

// Counted independently of the code under test: every process of that executable name.
int ProcessesNamed(const wchar_t* name) {
  int n = 0;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL more = Process32FirstW(snap, &e); more; more = Process32NextW(snap, &e))
    if (_wcsicmp(e.szExeFile, name) == 0) ++n;
  CloseHandle(snap);
  return n;
}

int LinesIn(const std::wstring& path) {
  std::string s;
  if (!ReadWholeFile(path, s)) return 0;
  int n = 0;
  for (char c : s) n += c == '\n';
  return n;
}

void Touch(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

// Runs this thread's messages for a while; the restart timer reaches the handler.
void Pump(DWORD ms, const std::function<void(const MSG&)>& onMessage = {}) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (onMessage) onMessage(msg);
      DispatchMessageW(&msg);
    }
  }
}

std::string Ffmpeg(const std::wstring& args) {
  return WideToUtf8(ExecCmd(WideToAnsi(L"\"" + GetAppDirectory() + L"ffmpeg.exe\" -hide_banner " + args)));
}

// Decoding the whole file reports nothing at the error level.
std::string DecodeErrors(const std::wstring& file) {
  return Ffmpeg(L"-v error -i \"" + file + L"\" -c:v rawvideo -c:a pcm_s16le -f null -");
}

struct FrameSize {
  int w = 0, h = 0;
};

FrameSize VideoSize(const std::wstring& file) {
  const std::string out = Ffmpeg(L"-i \"" + file + L"\"");
  FrameSize s;
  std::smatch m;
  const size_t at = out.find("Video: ");
  if (at == std::string::npos) return s;
  const std::string rest = out.substr(at);
  // "1280x720", not the codec tag "0x31637661" before it.
  if (std::regex_search(rest, m, std::regex(R"(\b(\d{2,5})x(\d{2,5})\b)"))) {
    s.w = std::stoi(m[1]);
    s.h = std::stoi(m[2]);
  }
  return s;
}

// The timecode of the first, or the last, frame of a recording of the screen; -1 when unreadable.
int64_t FrameTimecode(const std::wstring& file, bool last) {
  const std::wstring out = Root() + (last ? L"\\last.gray" : L"\\first.gray");
  DeleteFileW(out.c_str());
  const std::wstring convert = L"-vf format=gray -c:v rawvideo -f image2 -update 1 -y \"" + out + L"\"";
  if (last)
    Ffmpeg(L"-v error -sseof -1 -i \"" + file + L"\" " + convert);
  else
    Ffmpeg(L"-v error -i \"" + file + L"\" -frames:v 1 " + convert);
  std::string bytes;
  ReadWholeFile(out, bytes);
  const FrameSize size = VideoSize(file);
  return CTimecodeWindow::Decode(bytes, size.w, size.h, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

// The length with its fraction, from ffmpeg's "Duration: hh:mm:ss.cc".
double DurationSeconds(const std::wstring& file) {
  const std::string out = Ffmpeg(L"-i \"" + file + L"\"");
  size_t at = out.find("Duration: ");
  int h = 0, m = 0;
  double s = 0;
  if (at == std::string::npos || std::sscanf(out.c_str() + at + 10, "%d:%d:%lf", &h, &m, &s) != 3) return 0;
  return h * 3600 + m * 60 + s;
}

// A program folder: obs/bin/32bit/obs32.exe (the given executable), optionally ffmpeg.exe and the cues,
// and a video folder.
struct ProgramTree {
  std::wstring dir;  // with its trailing separator
  std::wstring videos;
  std::wstring recorderDir;
};

ProgramTree MakeTree(const std::wstring& name, const wchar_t* recorderExe, bool withFfmpeg, bool withCues = false) {
  ProgramTree t;
  t.dir = Root() + L"\\" + name + L"\\";
  RemoveTree(t.dir);
  t.recorderDir = t.dir + L"obs\\bin\\32bit\\";
  t.videos = t.dir + L"videos";
  for (const std::wstring& d : {t.dir, t.dir + L"obs", t.dir + L"obs\\bin", t.recorderDir, t.videos, t.dir + L"Config"})
    CreateDirectoryW(d.c_str(), nullptr);
  if (recorderExe) CopyFileW(recorderExe, (t.recorderDir + L"obs32.exe").c_str(), FALSE);
  if (withFfmpeg) CopyFileW(FFMPEG_EXE, (t.dir + L"ffmpeg.exe").c_str(), FALSE);
  if (withCues) {
    CreateDirectoryW((t.dir + L"audio").c_str(), nullptr);
    for (const wchar_t* cue : {L"record_start.wav", L"record_stop.wav", L"record_creating.wav"})
      CopyFileW((std::wstring(CUE_DIR) + L"/" + cue).c_str(), (t.dir + L"audio\\" + cue).c_str(), FALSE);
  }
  return t;
}

class RecorderControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kRoamingSet);
    ASSERT_EQ(ProcessesNamed(L"obs32.exe"), 0) << "a recorder of an earlier test still runs";
    SetUserId(L"12345");
    SetGameTitle(L"");
    m_owner = CreateWindowExW(0, L"STATIC", L"timer owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(m_owner, nullptr);
  }
  void TearDown() override {
    CRecorderControl::TerminateObsProcess();
    DestroyWindow(m_owner);
    _putenv("VORLIX_TEST_RESTART_PERIOD_MS=");
  }
  // The control reports into m_reports instead of the network.
  void Quiet(CRecorderControl& control) {
    control.SetReporter([this](const char* e) { m_reports.push_back(e); });
  }
  HWND m_owner = nullptr;
  std::vector<std::string> m_reports;
};

TEST_F(RecorderControlTest, ASessionOfSecondsLeavesOnePlayableFileNamedForTheUserAndTheLaunch) {
  ProgramTree t = MakeTree(L"one_session", RECORDER_EXE, true, true);
  SetVideoSavePath(t.videos);
  CRecorderControl control(t.dir);
  Quiet(control);
  std::wstring message;
  ASSERT_TRUE(control.StartRecord(m_owner, &message)) << WideToUtf8(message);
  EXPECT_EQ(message, L"");
  EXPECT_EQ(ProcessesNamed(L"obs32.exe"), 1);
  Pump(2500);
  control.ThirtySecond(true);
  Pump(1000);
  SessionData data;
  control.StopRecord(true, &data);
  EXPECT_EQ(ProcessesNamed(L"obs32.exe"), 0) << "the recorder was closed";
  EXPECT_EQ(m_reports, (std::vector<std::string>{"startRec", "reRec"}));

  ASSERT_EQ(data.segments.size(), 1u);
  const RecordSegment& s = data.segments[0];
  EXPECT_EQ(s.name, L"12345_original_" + std::to_wstring(s.nStartTime));
  EXPECT_GE(s.nStopTime - s.nStartTime, 3);
  EXPECT_EQ(data.momentsMs.size(), 1u);
  EXPECT_EQ(data.videoFolder, t.videos);
  EXPECT_EQ(FilesIn(t.videos, L"*"), (std::vector<std::wstring>{L".", L"..", s.name + L".mp4"}))
      << "one recording and no left-over write check";
  const std::wstring file = t.videos + L"\\" + s.name + L".mp4";
  EXPECT_GE(GetVideoDuration(file), 2);
  EXPECT_EQ(DecodeErrors(file), "");
}

TEST_F(RecorderControlTest, TheShortTestPeriodRestartsIntoASecondFileWithASmallGap) {
  _putenv("VORLIX_TEST_RESTART_PERIOD_MS=4000");
  ProgramTree t = MakeTree(L"restart", RECORDER_EXE, true);
  SetVideoSavePath(t.videos);
  CTimecodeWindow clock;
  CRecorderControl control(t.dir);
  ASSERT_EQ(control.RestartPeriod(), 4000u);
  Quiet(control);
  ASSERT_TRUE(control.StartRecord(m_owner, nullptr));
  const int64_t started = clock.Now();
  int restarts = 0;
  bool restarted = false;
  Pump(7000, [&](const MSG& m) {
    if (m.message == WM_TIMER && m.hwnd == m_owner && m.wParam == TIMER_RESTART_OBS && ++restarts == 1)
      restarted = control.RestartObs();
  });
  EXPECT_TRUE(restarted);
  const int64_t stopping = clock.Now();
  SessionData data;
  control.StopRecord(true, &data);
  EXPECT_EQ(restarts, 1) << "one restart in seven seconds of a four-second period";
  ASSERT_EQ(data.segments.size(), 2u);
  EXPECT_EQ(data.segments[1].startMs >= data.segments[0].stopMs, true);
  EXPECT_LE(data.segments[1].startMs - data.segments[0].stopMs, 1500) << "the first run closed within its first round";
  EXPECT_EQ(FilesIn(t.videos, L"*.mp4").size(), 2u);

  const std::wstring f1 = t.videos + L"\\" + data.segments[0].name + L".mp4";
  const std::wstring f2 = t.videos + L"\\" + data.segments[1].name + L".mp4";
  EXPECT_EQ(DecodeErrors(f1), "");
  EXPECT_EQ(DecodeErrors(f2), "");
  const int64_t first1 = FrameTimecode(f1, false);
  const int64_t last1 = FrameTimecode(f1, true);
  const int64_t first2 = FrameTimecode(f2, false);
  const int64_t last2 = FrameTimecode(f2, true);
  ASSERT_GE(first1, 0);
  ASSERT_GE(last1, 0);
  ASSERT_GE(first2, 0);
  ASSERT_GE(last2, 0);
  const int64_t gap = first2 - last1;
  std::cout << "restart gap: last frame of the first file at " << last1 << " ms, first frame of the second at "
            << first2 << " ms: " << gap << " ms between them\n";
  RecordProperty("restart_gap_ms", static_cast<int>(gap));
  EXPECT_GT(gap, 0);
  EXPECT_LE(gap, 1500) << "about a second at most between the two files";
  EXPECT_LE(first1, started) << "the first file records before StartRecord returns";
  EXPECT_GE(last2, stopping - 300) << "the second file records up to the stop";
  const double covered = DurationSeconds(f1) + DurationSeconds(f2);
  EXPECT_NEAR(covered * 1000, static_cast<double>(last2 - first1 - gap), 700)
      << "the two files hold the session apart from the gap";
}

TEST_F(RecorderControlTest, AStandInThatIgnoresTheCloseRequestIsTerminatedAtTheSixthRound) {
  ProgramTree t = MakeTree(L"stubborn", STAND_IN_EXE, false);
  Touch(t.recorderDir + L"ignore_close");
  SetVideoSavePath(t.videos);
  CRecorderControl control(t.dir);
  Quiet(control);
  const DWORD t0 = GetTickCount();
  ASSERT_TRUE(control.StartRecord(m_owner, nullptr));
  EXPECT_LT(GetTickCount() - t0, 3000u) << "no cue files: nothing plays, nothing waits";
  const DWORD before = GetTickCount();
  control.StopRecord(false, nullptr);
  const DWORD took = GetTickCount() - before;
  std::cout << "a recorder that ignores WM_CLOSE was ended after " << took << " ms\n";
  EXPECT_GE(took, 5500u);
  EXPECT_LE(took, 8500u);
  EXPECT_EQ(LinesIn(t.recorderDir + L"close_requests.txt"), 6) << "one close request a second until the kill";
  EXPECT_EQ(ProcessesNamed(L"obs32.exe"), 0);
}

TEST_F(RecorderControlTest, AnUnrelatedObs32IsLeftAloneWhileALeftoverOfOursIsEnded) {
  ProgramTree ours = MakeTree(L"ours", STAND_IN_EXE, false);
  ProgramTree other = MakeTree(L"elsewhere", STAND_IN_EXE, false);
  SetVideoSavePath(ours.videos);
  CChildProcess unrelated, leftover;
  ASSERT_TRUE(unrelated.Start(other.recorderDir + L"obs32.exe"));
  ASSERT_TRUE(leftover.Start(ours.recorderDir + L"obs32.exe"));
  ASSERT_TRUE(WaitFor([] { return ProcessesNamed(L"obs32.exe") == 2; }, 10000));
  Sleep(500);  // both have their windows

  CRecorderControl control(ours.dir);
  Quiet(control);
  ASSERT_TRUE(control.StartRecord(m_owner, nullptr));
  EXPECT_TRUE(leftover.Wait(0)) << "the leftover of an earlier run was ended before the new run";
  EXPECT_EQ(LinesIn(ours.recorderDir + L"close_requests.txt"), 1) << "asked to close, and it did";
  control.StopRecord(false, nullptr);
  const DWORD before = GetTickCount();
  CRecorderControl::TerminateObsProcess();
  EXPECT_LT(GetTickCount() - before, 500u) << "with none of ours running it returns at once";

  EXPECT_FALSE(unrelated.Wait(0)) << "the other program keeps running";
  EXPECT_EQ(LinesIn(other.recorderDir + L"close_requests.txt"), 0) << "and was never asked to close";
  EXPECT_EQ(ProcessesNamed(L"obs32.exe"), 1);
  unrelated.Kill();
}

TEST_F(RecorderControlTest, ARecorderThatCannotStartIsNoRecordingAndSaysWhy) {
  struct Case {
    const wchar_t* name;
    const wchar_t* recorder;
    bool ffmpeg;
    const wchar_t* videoFolderBelowTree;  // below the tree; null: the tree's video folder
    bool folderIsAFile;
    bool leftover;  // a recorder of ours still runs from an earlier start (its settings window)
    RecorderProblem problem;
  } cases[] = {
      {L"no_recorder", nullptr, true, nullptr, false, false, RecorderProblem::MissingRecorder},
      {L"no_folder", RECORDER_EXE, true, L"missing\\videos", false, true, RecorderProblem::NoVideoFolder},
      {L"folder_is_a_file", RECORDER_EXE, true, L"a_file", true, false, RecorderProblem::NoVideoFolder},
      {L"recorder_ends_at_once", RECORDER_EXE, false, nullptr, false, true, RecorderProblem::ExitedAtOnce},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.name));
    ProgramTree t = MakeTree(c.name, c.recorder, c.ffmpeg);
    const std::wstring folder = c.videoFolderBelowTree ? t.dir + c.videoFolderBelowTree : t.videos;
    if (c.folderIsAFile) Touch(folder);
    SetVideoSavePath(folder);
    CChildProcess leftover;
    if (c.leftover) {
      ASSERT_TRUE(leftover.Start(t.recorderDir + L"obs32.exe"));
      ASSERT_TRUE(WaitFor([] { return ProcessesNamed(L"obs32.exe") == 1; }, 10000));
      Sleep(1500);  // its window is up
    }
    CRecorderControl control(t.dir);
    Quiet(control);
    std::wstring message;
    EXPECT_FALSE(control.StartRecord(m_owner, &message));
    if (c.leftover) {
      EXPECT_TRUE(leftover.Wait(0)) << "the leftover does not record on behind the failed start";
    }
    EXPECT_EQ(message, UserMessageFor(c.problem));
    EXPECT_TRUE(control.Session().Segments().empty());
    EXPECT_TRUE(m_reports.empty()) << "no startRec for a recording that never began";
    EXPECT_EQ(ProcessesNamed(L"obs32.exe"), 0);
    EXPECT_TRUE(FilesIn(t.videos, L"*.mp4").empty());
    MSG timer;
    Pump(200);
    EXPECT_FALSE(PeekMessageW(&timer, m_owner, WM_TIMER, WM_TIMER, PM_NOREMOVE));
  }
}

TEST_F(RecorderControlTest, ACrashWhileRecordingLeavesNoRecorderAndAPlayableFile) {
  ProgramTree t = MakeTree(L"crash", RECORDER_EXE, true);
  SetVideoSavePath(t.videos);
  CChildProcess probe;
  // Without the trailing separator, which would escape the closing quote.
  ASSERT_TRUE(probe.Start(CRASH_PROBE_EXE, L"\"" + t.dir.substr(0, t.dir.size() - 1) + L"\""));
  DWORD code = 0;
  ASSERT_TRUE(probe.Wait(60000, &code));
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, 3u) << "the probe's recording did not start";
  EXPECT_EQ(ProcessesNamed(L"obs32.exe"), 0) << "the crash filter ended the recorder";
  const std::vector<std::wstring> files = FilesIn(t.videos, L"*.mp4");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].rfind(L"12345_original_", 0), 0u);
  EXPECT_EQ(DecodeErrors(t.videos + L"\\" + files[0]), "");
  RemoveTree(test::FolderOf(CRASH_PROBE_EXE) + L"\\crash_dump");
}

TEST_F(RecorderControlTest, AnEmptyGameTitleIsFilledFromTheRunningGamesBeforeTheLaunch) {
  ProgramTree t = MakeTree(L"game_title", STAND_IN_EXE, false);
  SetVideoSavePath(t.videos);
  HWND game = CreateWindowExW(0, L"STATIC", L"Vorlix Test Game 7", WS_POPUP | WS_VISIBLE, 300, 300, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(game, nullptr);
  GameList games = {{L"Not Running Here", L"a", L"", L""}, {L"Vorlix Test Game 7", L"b", L"", L""}};
  CRecorderControl control(t.dir);
  Quiet(control);
  control.SetGameList(&games);
  ASSERT_TRUE(control.StartRecord(m_owner, nullptr));
  EXPECT_EQ(GetGameTitle(), L"Vorlix Test Game 7");
  SetGameTitle(L"Chosen By Hand");
  ASSERT_TRUE(control.RestartObs());
  EXPECT_EQ(GetGameTitle(), L"Chosen By Hand") << "a chosen game is kept";
  control.StopRecord(false, nullptr);
  DestroyWindow(game);
}

TEST_F(RecorderControlTest, QuittingTheProgramEndsALeftoverRecorderOfOursButNoOtherObs32) {
  ProgramTree ours = MakeTree(L"program", STAND_IN_EXE, false);
  ProgramTree other = MakeTree(L"program_elsewhere", STAND_IN_EXE, false);
  ASSERT_TRUE(CopyFileW(VORLIX_EXE, (ours.dir + L"Vorlix.exe").c_str(), FALSE));
  // A fresh login, so no login dialog stands between the start and the close; no service to wait for.
  const std::string ini = "[User]\r\nDate=" + std::to_string(static_cast<long long>(time(nullptr))) + "\r\n";
  ASSERT_TRUE(WriteWholeFile(ours.dir + L"Config\\Config.ini", ini));
  SetEnvironmentVariableW(L"VORLIX_SERVICE_URL", L"http://127.0.0.1:9");

  CChildProcess unrelated, leftover, program;
  ASSERT_TRUE(unrelated.Start(other.recorderDir + L"obs32.exe"));
  ASSERT_TRUE(leftover.Start(ours.recorderDir + L"obs32.exe"));
  ASSERT_TRUE(WaitFor([] { return ProcessesNamed(L"obs32.exe") == 2; }, 10000));
  ASSERT_TRUE(program.Start(ours.dir + L"Vorlix.exe"));
  HWND main = test::WaitForWindow(nullptr, L"Tavro一键回录", 30000);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(leftover.Wait(0)) << "the leftover runs on while the program does";
  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD code = 99;
  ASSERT_TRUE(program.Wait(30000, &code));
  SetEnvironmentVariableW(L"VORLIX_SERVICE_URL", nullptr);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(leftover.Wait(0)) << "the shutdown ended our recorder";
  EXPECT_EQ(LinesIn(ours.recorderDir + L"close_requests.txt"), 1) << "by asking it to close";
  EXPECT_FALSE(unrelated.Wait(0)) << "another program called obs32.exe keeps running";
  unrelated.Kill();
}

TEST(RecorderCompatibility, TheLayerIsStoredOnlyUnderAnExistingKey) {
  const wchar_t* kLayers = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
  const std::wstring dir = L"C:\\Vorlix Test\\";
  const std::wstring value = dir + L"obs\\bin\\32bit\\obs32.exe";
  HKEY key = nullptr;
  const bool existed = RegOpenKeyExW(HKEY_CURRENT_USER, kLayers, 0, KEY_READ, &key) == ERROR_SUCCESS;
  if (key) RegCloseKey(key);
  if (!existed) {
    SetRecorderCompatibilityFor(dir);
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kLayers, 0, KEY_READ, &key), ERROR_SUCCESS) << "never created";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kLayers, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  SetRecorderCompatibilityFor(dir);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kLayers, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD type = 0, size = 64;
  BYTE data[64] = {};
  EXPECT_EQ(RegQueryValueExW(key, value.c_str(), nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 16u);
  EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(data)), L"WIN7RTM");
  RegDeleteValueW(key, value.c_str());
  RegCloseKey(key);
  if (!existed) RegDeleteKeyW(HKEY_CURRENT_USER, kLayers);
}

}  // namespace
}  // namespace vorlix
