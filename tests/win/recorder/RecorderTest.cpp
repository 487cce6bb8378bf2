// The bundled recorder under the real system: started and closed the way the controller does it, killed,
// and given bad input. Each test lays out a private program folder (recorder, ffmpeg, Config.ini).
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "recording/CommandRunner.h"
#include "recording/VideoProbe.h"
#include "win/ProcessRunner.h"

namespace vorlix {
namespace {

using test::CChildProcess;
using test::WaitFor;

std::wstring Root() { return GetAppDirectory() + L"recorder_tree"; }
std::wstring Roaming() { return Root() + L"\\roaming"; }

// The recorder inherits the roaming folder from this process; the profile paths here follow it too.
const bool kRoamingSet = [] {
  CreateDirectoryW(Root().c_str(), nullptr);
  CreateDirectoryW(Roaming().c_str(), nullptr);
  return SetEnvironmentVariableW(L"APPDATA", Roaming().c_str()) != 0;
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

std::string Bytes(const std::wstring& path) {
  std::string s;
  ReadWholeFile(path, s);
  return s;
}

struct FoundWindow {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK TakeFirstOfProcess(HWND h, LPARAM p) {
  auto* f = reinterpret_cast<FoundWindow*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  if (owner != f->pid) return TRUE;
  f->hwnd = h;
  return FALSE;
}

// The controller's rule: the first top-level window that belongs to the process.
HWND FirstTopLevelWindow(DWORD pid) {
  FoundWindow f{pid, nullptr};
  EnumWindows(&TakeFirstOfProcess, reinterpret_cast<LPARAM>(&f));
  return f.hwnd;
}

class RecorderTest : public ::testing::Test {
 protected:
  std::wstring m_app, m_videos;

  void SetUp() override {
    ASSERT_TRUE(kRoamingSet);
    const std::wstring name = AnsiToWide(::testing::UnitTest::GetInstance()->current_test_info()->name());
    RemoveTree(Roaming());
    m_app = Root() + L"\\" + name + L"\\";
    RemoveTree(m_app);
    for (const std::wstring& d : {m_app, m_app + L"obs", m_app + L"obs\\bin", m_app + L"obs\\bin\\32bit",
                                  m_app + L"Config", m_app + L"videos"})
      CreateDirectoryW(d.c_str(), nullptr);
    m_videos = m_app + L"videos";
    ASSERT_TRUE(CopyFileW(RECORDER_EXE, Recorder().c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(FFMPEG_EXE, (m_app + L"ffmpeg.exe").c_str(), FALSE));
  }

  std::wstring Recorder() const { return m_app + L"obs\\bin\\32bit\\obs32.exe"; }
  std::wstring Recording(const wchar_t* name) const { return m_videos + L"\\" + name + L".mp4"; }

  bool Start(CChildProcess& p, const std::wstring& folder, const std::wstring& name) {
    return p.Start(Recorder(), L"--startrecording --start_no_show --file_save \"" + folder + L"\" --file_name " + name,
                   m_app + L"obs\\bin\\32bit\\");
  }

  static std::string Log() {
    std::string all;
    WIN32_FIND_DATAW fd;
    const std::wstring dir = Roaming() + L"\\vorlix\\logs\\";
    HANDLE h = FindFirstFileW((dir + L"recorder_*.log").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return all;
    do {
      std::wstring n = fd.cFileName;
      if (n.find(L"_ffmpeg") == std::wstring::npos) all += Bytes(dir + n);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return all;
  }

  // The recorder's encoder, named in its log.
  static DWORD EncoderId() {
    std::string log = Log();
    size_t at = log.find("(ffmpeg process ");
    return at == std::string::npos ? 0 : static_cast<DWORD>(std::stoul(log.substr(at + 16)));
  }
};

TEST_F(RecorderTest, RecordsUntilTheControllerClosesItThenTheFileCutsWithinASecond) {
  CChildProcess rec;
  ASSERT_TRUE(Start(rec, m_videos, L"42_original_1700000000"));
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = FirstTopLevelWindow(rec.Id())) != nullptr; }, 10000));
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  EXPECT_STREQ(cls, L"VorlixRecorder");
  EXPECT_FALSE(IsWindowVisible(window));
  ASSERT_TRUE(WaitFor([] { return EncoderId() != 0; }, 10000)) << Log();
  Sleep(5000);

  SendMessageW(window, WM_CLOSE, 0, 0);
  SendMessageW(window, WM_DESTROY, 0, 0);
  DWORD code = 99;
  ASSERT_TRUE(rec.Wait(5000, &code)) << "the recorder did not exit after WM_CLOSE";
  EXPECT_EQ(code, 0u);
  const std::string log = Log();
  EXPECT_NE(log.find("capture source: desktop (no game is chosen)"), std::string::npos) << log;
  EXPECT_NE(log.find("asked to close: stopping ffmpeg"), std::string::npos) << log;
  EXPECT_NE(log.find("ffmpeg ended with exit code 0"), std::string::npos) << log;

  // The first start laid out the profile the program edits.
  EXPECT_TRUE(FileExists(GetRecorderProfilePath()));
  EXPECT_TRUE(FileExists(GetRecorderScenePath()));

  const std::wstring file = Recording(L"42_original_1700000000");
  const int seconds = GetVideoDuration(file);
  EXPECT_GE(seconds, 4);
  EXPECT_LE(seconds, 6);
  const std::wstring cut = m_videos + L"\\cut.mp4";
  ExecCmd(WideToAnsi(L"ffmpeg -ss 2 -i \"" + file + L"\" -t 2 -c:v copy -c:a copy \"" + cut + L"\" -y"));
  const int cutSeconds = GetVideoDuration(cut);
  EXPECT_GE(cutSeconds, 1);
  EXPECT_LE(cutSeconds, 3);
}

// A window of the test process that stands in for the game.
class CGameWindow {
 public:
  explicit CGameWindow(const wchar_t* title) {
    m_thread = std::thread([this, title] {
      m_threadId = GetCurrentThreadId();
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
      wc.lpszClassName = L"VorlixStandInGame";
      RegisterClassW(&wc);
      // An odd size, which the encoder cannot take as it is.
      HWND hwnd = CreateWindowW(L"VorlixStandInGame", title, WS_POPUP | WS_VISIBLE, 200, 150, 321, 241, nullptr,
                                nullptr, wc.hInstance, nullptr);
      m_hwnd = hwnd;
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
      if (hwnd) DestroyWindow(hwnd);
    });
    WaitFor([this] { return m_hwnd != nullptr; }, 5000);
  }
  ~CGameWindow() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
  }

 private:
  std::thread m_thread;
  std::atomic<DWORD> m_threadId{0};
  std::atomic<HWND> m_hwnd{nullptr};
};

TEST_F(RecorderTest, CapturesTheChosenGameWindowAndLeavesUnreadableProfileFilesAlone) {
  CGameWindow game(L"Vorlix Stand-in Game");
  ASSERT_TRUE(WriteWholeFile(m_app + L"Config\\Config.ini", "[SimpleOutput]\r\nGameTitle=Vorlix Stand-in Game\r\n"));
  CreateDirectoryW((Roaming() + L"\\vorlix").c_str(), nullptr);
  CreateDirectoryW((Roaming() + L"\\vorlix\\basic").c_str(), nullptr);
  CreateDirectoryW((Roaming() + L"\\vorlix\\basic\\profiles").c_str(), nullptr);
  CreateDirectoryW((Roaming() + L"\\vorlix\\basic\\profiles\\gamer").c_str(), nullptr);
  CreateDirectoryW((Roaming() + L"\\vorlix\\basic\\scenes").c_str(), nullptr);
  const std::string junkProfile = std::string("\x89PNG\r\n\x1a\n\0\0binary", 16);
  const std::string junkScene = "{\"AuxAudioDevice1\": {\"muted\": fal";
  ASSERT_TRUE(WriteWholeFile(GetRecorderProfilePath(), junkProfile));
  ASSERT_TRUE(WriteWholeFile(GetRecorderScenePath(), junkScene));

  CChildProcess rec;
  ASSERT_TRUE(Start(rec, m_videos, L"game"));
  ASSERT_TRUE(WaitFor([] { return EncoderId() != 0; }, 10000)) << Log();
  Sleep(3000);
  HWND window = FirstTopLevelWindow(rec.Id());
  ASSERT_NE(window, nullptr);
  SendMessageW(window, WM_CLOSE, 0, 0);
  SendMessageW(window, WM_DESTROY, 0, 0);
  ASSERT_TRUE(rec.Wait(5000));

  const std::string log = Log();
  EXPECT_NE(log.find("capture source: window \"Vorlix Stand-in Game\""), std::string::npos) << log;
  EXPECT_NE(log.find("output size: as captured"), std::string::npos) << log;
  EXPECT_NE(log.find("microphone is off"), std::string::npos) << log;
  EXPECT_GE(GetVideoDuration(Recording(L"game")), 2);
  EXPECT_EQ(Bytes(GetRecorderProfilePath()), junkProfile);
  EXPECT_EQ(Bytes(GetRecorderScenePath()), junkScene);
}

TEST_F(RecorderTest, AKilledRecorderTakesItsEncoderAlongAndLeavesAReadableFile) {
  // With the microphone on but no capture device (or no device input in ffmpeg) it records video only.
  for (const wchar_t* d : {L"\\vorlix", L"\\vorlix\\basic", L"\\vorlix\\basic\\scenes"})
    CreateDirectoryW((Roaming() + d).c_str(), nullptr);
  ASSERT_TRUE(WriteWholeFile(GetRecorderScenePath(), "{\"AuxAudioDevice1\":{\"muted\":false}}\n"));
  CChildProcess rec;
  ASSERT_TRUE(Start(rec, m_videos, L"killed"));
  ASSERT_TRUE(WaitFor([] { return EncoderId() != 0; }, 10000)) << Log();
  const DWORD encoder = EncoderId();
  CKernelHandle encoderProcess(OpenProcess(SYNCHRONIZE, FALSE, encoder));
  ASSERT_TRUE(encoderProcess);
  Sleep(4000);
  rec.Kill();
  EXPECT_EQ(WaitForSingleObject(encoderProcess.Get(), 5000), WAIT_OBJECT_0) << "ffmpeg outlived its recorder";
  EXPECT_GE(GetVideoDuration(Recording(L"killed")), 1);
  const std::string log = Log();
  EXPECT_NE(log.find("microphone is on, but"), std::string::npos) << log;
  EXPECT_NE(log.find("recording without it"), std::string::npos) << log;
}

TEST_F(RecorderTest, WithoutFfmpegOrFolderItLogsWhyAndEnds) {
  struct Case {
    const char* name;
    bool removeFfmpeg;
    std::wstring folder;
    const char* logged;
  } cases[] = {
      {"missing ffmpeg", true, m_videos, "ffmpeg.exe is missing"},
      {"missing folder", false, m_videos + L"\\not there", "does not exist"},
      {"folder on no drive", false, L"Q:\\nowhere", "does not exist"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveTree(Roaming());
    if (c.removeFfmpeg) DeleteFileW((m_app + L"ffmpeg.exe").c_str());
    CChildProcess rec;
    ASSERT_TRUE(Start(rec, c.folder, L"nothing"));
    DWORD code = 0;
    ASSERT_TRUE(rec.Wait(15000, &code));
    EXPECT_EQ(code, 1u);
    EXPECT_NE(Log().find(c.logged), std::string::npos) << Log();
    EXPECT_FALSE(FileExists(c.folder + L"\\nothing.mp4"));
  }
}

TEST_F(RecorderTest, WithoutArgumentsItShowsItsSettingsAndWhereItsFilesAre) {
  CChildProcess first;  // lays out the profile, then records nothing and ends
  ASSERT_TRUE(Start(first, m_videos + L"\\absent", L"x"));
  ASSERT_TRUE(first.Wait(15000));
  SetOutputResolution(kResolutionPresets[0]);
  SetVideoBitrate(8000);
  SetFrameRate(60);

  CChildProcess rec;
  ASSERT_TRUE(rec.Start(Recorder(), L"", m_app + L"obs\\bin\\32bit\\"));
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = FirstTopLevelWindow(rec.Id())) != nullptr && IsWindowVisible(window); },
                      10000));
  HWND text = FindWindowExW(window, nullptr, L"EDIT", nullptr);
  ASSERT_NE(text, nullptr);
  wchar_t buf[4096] = {};
  SendMessageW(text, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf));
  const std::wstring shown = buf;
  for (const std::wstring& part : {std::wstring(L"output size: 960x540"), std::wstring(L"bitrate: 8000 kbit/s"),
                                   std::wstring(L"frame rate: 60 fps"), std::wstring(L"microphone: off"),
                                   std::wstring(L"game sound: loopback of the system's default output"),
                                   std::wstring(L"sound endpoints now:\r\noutput (game sound by loopback): "),
                                   GetRecorderProfilePath(), GetRecorderScenePath()})
    EXPECT_NE(shown.find(part), std::wstring::npos) << WideToUtf8(part) << " in " << WideToUtf8(shown);
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(rec.Wait(5000));
}

}  // namespace
}  // namespace vorlix
