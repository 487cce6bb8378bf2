// The cut worker's thread posting to a real window, with the real ffmpeg and the development service;
// and the cloud page opened through the shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "net/Endpoints.h"
#include "recording/ClipPlanner.h"
#include "recording/UploadProgress.h"
#include "recording/win32/CutVideoThread.h"
#include "shell/Log.h"
#include "shell/WindowMessages.h"
#include "unit/clips/ClipRecording.h"

namespace vorlix {
namespace {

using namespace cliptest;

struct Posted {
  UINT id;
  WPARAM w;
  LPARAM l;
};

// A message-only window that keeps what the worker posts, and sets the cancel flag when told to.
class CReceiver {
 public:
  CReceiver() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ClipReceiver";
    RegisterClassW(&wc);
    m_hwnd = CreateWindowW(L"ClipReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CReceiver() { DestroyWindow(m_hwnd); }
  HWND Hwnd() const { return m_hwnd; }
  // Pumps until WM_CUT_FINISHED (true) or the time is up.
  bool WaitFinished(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (!m_finished && GetTickCount() < end) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return m_finished;
  }
  std::vector<Posted> messages;
  std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false);
  bool cancelAtFirstClip = false;
  DWORD mainThread = GetCurrentThreadId();
  bool otherThread = false;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<CReceiver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg >= WM_USER) {
      self->messages.push_back({msg, w, l});
      if (GetCurrentThreadId() != self->mainThread) self->otherThread = true;
      if (msg == WM_CUT_CLIP_INDEX && self->cancelAtFirstClip) *self->cancel = true;
      if (msg == WM_CUT_FINISHED) self->m_finished = true;
      return 0;
    }
    return DefWindowProcW(hwnd, msg, w, l);
  }
  HWND m_hwnd = nullptr;
  bool m_finished = false;
};

class CutVideoThreadWin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(test::ServiceUrl().empty());
    test::Control("POST", "reset");
    m_session = LogIn("13800138022");
    m_folder = Folder(L"clip_thread_" + Utf8ToWide(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    m_durationMs = GetVideoDurationMs(SourceRecording());
    ASSERT_GT(m_durationMs, 74000);
  }
  void TearDown() override {
    RemoveFile(m_recording);
    for (const std::string& k : m_keys) RemoveFile(Join(m_folder, Utf8ToWide(k)));
  }
  // One recorder run over the source recording with marks at the given positions in the file (ms).
  SessionData Session(const std::vector<int64_t>& positions) {
    const int64_t launch = (int64_t(std::time(nullptr)) - 600) * 1000 + 250;
    RecordSegment s;
    s.startMs = launch;
    s.stopMs = launch + 1500 + m_durationMs;
    s.nStartTime = MomentSeconds(s.startMs);
    s.nStopTime = MomentSeconds(s.stopMs);
    s.name = Utf8ToWide(m_session.userId) + L"_original_" + std::to_wstring(s.nStartTime);
    m_recording = Join(m_folder, s.name + L".mp4");
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(SourceRecording(), bytes));
    EXPECT_TRUE(WriteWholeFile(m_recording, bytes));
    SessionData data;
    data.videoFolder = m_folder;
    data.userId = Utf8ToWide(m_session.userId);
    data.segments.push_back(s);
    for (int64_t p : positions) {
      data.momentsMs.push_back(launch + 1500 + p);
      m_keys.push_back(WideToUtf8(ClipFileName(data.userId, data.momentsMs.back())));
    }
    return data;
  }
  static int Count(const std::vector<Posted>& all, UINT id) {
    int n = 0;
    for (const Posted& p : all) n += p.id == id;
    return n;
  }

  plHttp::SessionValues m_session;
  std::wstring m_folder, m_recording;
  int64_t m_durationMs = 0;
  std::vector<std::string> m_keys;
};

TEST_F(CutVideoThreadWin, TwoClipsReportedToTheWindowStoredAndRegistered) {
  CReceiver window;
  StartCutVideoThread(window.Hwnd(), Session({30450, 70350}), window.cancel);
  ASSERT_TRUE(window.WaitFinished(60000));
  ASSERT_FALSE(window.messages.empty());
  EXPECT_EQ(window.messages.front().id, WM_CUT_BEGIN);
  EXPECT_EQ(window.messages.front().w, 2u);
  EXPECT_EQ(Count(window.messages, WM_CUT_CLIP_INDEX), 2);
  EXPECT_EQ(Count(window.messages, WM_CLIP_SAVED), 2);
  EXPECT_GE(Count(window.messages, WM_UPLOAD_PROGRESS), 2);
  const Posted& last = window.messages.back();
  EXPECT_EQ(last.id, WM_CUT_FINISHED);
  EXPECT_EQ(last.w, 2u);
  EXPECT_EQ(last.l, 0);
  EXPECT_FALSE(window.otherThread);  // handled on the window's own thread

  // Replayed through the main window's arithmetic the bar climbs to 100 and never falls back.
  CCutProgress bar;
  int shown = 0, previous = 0;
  for (const Posted& p : window.messages) {
    if (p.id == WM_CUT_BEGIN) bar.OnCutBegin(int(p.w));
    if (p.id == WM_CUT_CLIP_INDEX) bar.OnClipIndex(int(p.w), int(p.l));
    if (p.id == WM_UPLOAD_PROGRESS) {
      shown = bar.OnProgerssMsg(int(p.w));
      EXPECT_GE(shown, previous);
      previous = shown;
    }
  }
  EXPECT_EQ(shown, 100);

  Json::Value clips = test::Control("GET", "clips")["clips"];
  ASSERT_EQ(clips.size(), 2u);
  const double lengths[] = {30.45, 60.0};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(m_keys[i]);
    EXPECT_EQ(clips[i]["key"].asString(), m_keys[i]);
    const std::string stored = StoredObject(m_keys[i]);
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(clips[i]["size"].asInt64(), static_cast<int64_t>(stored.size()));
    EXPECT_FALSE(FileExists(Join(m_folder, Utf8ToWide(m_keys[i]))));
    const std::wstring copy = Join(m_folder, L"stored.mp4");
    ASSERT_TRUE(WriteWholeFile(copy, stored));
    const double length = GetVideoDurationMs(copy) / 1000.0;
    EXPECT_GE(length, lengths[i] - 1.0);
    EXPECT_LE(length, lengths[i] + 1.0);
    RemoveFile(copy);
  }
  EXPECT_FALSE(FileExists(m_recording));
}

TEST_F(CutVideoThreadWin, CancelAtTheFirstClipFinishesItAndSkipsTheRest) {
  Json::Value cfg;
  cfg["upload"]["delay"] = 0.5;  // the first clip is still uploading when the cancel arrives
  test::Control("POST", "config", cfg);
  CReceiver window;
  window.cancelAtFirstClip = true;
  StartCutVideoThread(window.Hwnd(), Session({20000, 40000, 65000}), window.cancel);
  ASSERT_TRUE(window.WaitFinished(60000));
  EXPECT_EQ(window.messages.front().w, 3u);
  EXPECT_EQ(Count(window.messages, WM_CUT_CLIP_INDEX), 1);
  EXPECT_EQ(window.messages.back().w, 1u);
  EXPECT_EQ(window.messages.back().l, 0);
  EXPECT_EQ(test::Control("GET", "clips")["clips"].size(), 1u);
  EXPECT_FALSE(FileExists(Join(m_folder, Utf8ToWide(m_keys[1]))));  // never cut
  EXPECT_TRUE(FileExists(m_recording));  // the skipped moments are still in it
}

TEST_F(CutVideoThreadWin, AStorageFaultKeepsTheSecondClipOnDisk) {
  Json::Value cfg;
  cfg["upload"]["fail_block"] = 1;
  cfg["upload"]["fail_mode"] = "drop";  // the connection breaks in the middle of the block
  test::Control("POST", "config", cfg);
  CReceiver window;
  StartCutVideoThread(window.Hwnd(), Session({30450, 70350}), window.cancel);
  ASSERT_TRUE(window.WaitFinished(60000));
  EXPECT_EQ(window.messages.back().w, 1u);
  EXPECT_EQ(window.messages.back().l, 1);
  Json::Value clips = test::Control("GET", "clips")["clips"];
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0]["key"].asString(), m_keys[0]);
  EXPECT_TRUE(FileExists(Join(m_folder, Utf8ToWide(m_keys[1]))));
  EXPECT_GT(FileSize(Join(m_folder, Utf8ToWide(m_keys[1]))), 0);
}

// Wine hands URLs to the browsers listed in its WineBrowser key; a script there shows what was opened.
TEST(OpenCloudWin, OpensTheCloudPageWithIdTokenAndSecret) {
  const std::string script = BROWSER_SCRIPT;
  const std::wstring seen = L"Z:" + Utf8ToWide(script.substr(0, script.rfind('/'))) + L"\\opened-url.txt";
  RemoveFile(seen);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const std::wstring browsers = Utf8ToWide(script);
  RegSetValueExW(key, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browsers.c_str()),
                 DWORD((browsers.size() + 1) * sizeof(wchar_t)));

  SetUserId(L"100042");
  SetUserToken(L"tok-42");
  SetUserSecret(L"sec-42");
  const std::wstring logFile = GetAppDirectory() + L"open_cloud.log";
  RemoveFile(logFile);
  const int level = GetLogLevel();
  const uint32_t flags = GetLogFlags();
  const std::string path = GetLogPath();
  ConfigureLog(2, LOG_FILE, WideToAnsi(logFile));
  OpenCloud();
  ConfigureLog(level, flags, path);
  std::string log;
  ReadWholeFile(logFile, log);
  EXPECT_NE(log.find("OpenCloud  url:" + net::GetCloudWebBaseUrl() + "/cloud.html#/all?id=100042&t=***&s=***"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("tok-42"), std::string::npos);  // no login in the log
  EXPECT_EQ(log.find("sec-42"), std::string::npos);
  std::string url;
  for (int i = 0; i < 200 && url.empty(); ++i) {
    Sleep(50);
    ReadWholeFile(seen, url);
  }
  RegDeleteValueW(key, L"Browsers");
  RegCloseKey(key);
  RemoveFile(seen);
  EXPECT_EQ(url, net::GetCloudWebBaseUrl() + "/cloud.html#/all?id=100042&t=tok-42&s=sec-42");
}

}  // namespace
}  // namespace vorlix
