#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "net/update/InstallerDownload.h"
#include "net/update/UpdateInfo.h"
#include "net/update/win32/CCheckUpdateThread.h"
#include "shell/WindowMessages.h"
#include "support/DevServiceClient.h"

namespace vorlix {
namespace {

using namespace vorlix::test;

HWND MakeReceiver() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"UpdateReceiver";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

// Waits for the update message on this thread's queue.
bool WaitForResult(HWND w, MSG& out, DWORD ms) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.hwnd == w && m.message == WM_CHECK_UPDATE_RESULT) {
        out = m;
        return true;
      }
      DispatchMessageW(&m);
    }
    Sleep(20);
  }
  return false;
}

class CheckUpdateThread : public ::testing::Test {
 protected:
  void SetUp() override {
    Control("POST", "reset", Json::Value(Json::objectValue));
    m_window = MakeReceiver();
  }
  void TearDown() override { DestroyWindow(m_window); }
  HWND m_window = nullptr;
};

TEST_F(CheckUpdateThread, CheckPostsTheAnswerTextAndTheRuleReadsIt) {
  Json::Value cfg;
  cfg["latest"]["versionCode"] = "V9.0.0.1";
  cfg["latest"]["modifyDesc"] = "new build";
  cfg["latest"]["url"] = ServiceUrl() + "/download/install.exe";
  Control("POST", "config", cfg);

  CCheckUpdateThread worker(m_window, CCheckUpdateThread::kCheck);
  ASSERT_TRUE(worker.Start());
  MSG m{};
  ASSERT_TRUE(WaitForResult(m_window, m, 20000));
  EXPECT_EQ(m.wParam, UPDATE_CHECK_DONE);
  std::string text = reinterpret_cast<const char*>(m.lParam);
  EXPECT_EQ(text, worker.GetResultText());
  ASSERT_TRUE(worker.Join(5000));

  UpdateInfo info;
  ParseUpdateInfo(text, "V1.0.0.1", info);
  EXPECT_TRUE(info.needUpdate) << text;
  EXPECT_EQ(info.url, ServiceUrl() + "/download/install.exe");
  EXPECT_EQ(info.description, L"new build");
  Json::Value reqs = RecordedRequests("update_check")["requests"];
  ASSERT_EQ(reqs.size(), 1u);
  EXPECT_TRUE(reqs[0]["problems"].empty()) << reqs[0]["problems"];
  EXPECT_EQ(reqs[0]["body"].asString(), "versionCode=V1.0.0.1&type=3") << "the program's own version resource";
}

TEST_F(CheckUpdateThread, CheckPostsNothingWhenTheWindowIsGone) {
  HWND gone = MakeReceiver();
  DestroyWindow(gone);
  CCheckUpdateThread worker(gone, CCheckUpdateThread::kCheck);
  ASSERT_TRUE(worker.Start());
  ASSERT_TRUE(worker.Join(20000));
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_CHECK_UPDATE_RESULT, WM_CHECK_UPDATE_RESULT, PM_REMOVE));
}

TEST_F(CheckUpdateThread, DownloadPutsTheInstallerIntoTheTempFolder) {
  std::wstring temp = GetAppDirectory() + L"temp";
  RemoveFile(temp + L"\\install.exe");
  RemoveDirectoryW(temp.c_str());
  std::string url = PutDownload("install.exe", std::string("MZ") + std::string(5000, 'x'));

  CCheckUpdateThread worker(m_window, CCheckUpdateThread::kDownload, url);
  ASSERT_TRUE(worker.Start());
  MSG m{};
  ASSERT_TRUE(WaitForResult(m_window, m, 20000));
  EXPECT_EQ(m.wParam, UPDATE_DOWNLOAD_DONE);
  EXPECT_EQ(m.lParam, 0);
  ASSERT_TRUE(worker.Join(5000));
  EXPECT_EQ(FileSize(temp + L"\\install.exe"), 5002);
  EXPECT_FALSE(FileExists(temp + L"\\install.exe.fd"));
  EXPECT_FALSE(FileExists(temp + L"\\install.exe.fd.cfg"));

  // A refused download still reports, with the status as result.
  Json::Value faults;
  faults["status"] = 404;
  ConfigureDownloads(faults);
  CCheckUpdateThread refused(m_window, CCheckUpdateThread::kDownload, url);
  ASSERT_TRUE(refused.Start());
  ASSERT_TRUE(WaitForResult(m_window, m, 20000));
  EXPECT_EQ(m.lParam, 404);
  refused.Join(5000);
  EXPECT_FALSE(FileExists(temp + L"\\install.exe")) << "the earlier installer is not left to be started";
  ConfigureDownloads(Json::Value(Json::objectValue));
}

// The digest of the update answer reaches the download: a file that does not match it is not handed over.
TEST_F(CheckUpdateThread, DownloadKeepsOnlyTheInstallerTheAnswerAnnounced) {
  std::wstring temp = GetAppDirectory() + L"temp";
  std::string installer = std::string("MZ") + std::string(5000, 'y');
  std::string url = PutDownload("install.exe", installer);
  Json::Value cfg;
  cfg["latest"]["versionCode"] = "V9.0.0.0";
  Control("POST", "config", cfg);
  std::string answer;
  plHttp::CPLObject http({}, ServiceUrl(), ServiceUrl() + "/print");
  http.CheckUpdate("V1.0.0.0", answer);
  UpdateInfo info;
  ParseUpdateInfo(answer, "V1.0.0.0", info);
  ASSERT_EQ(info.sha256.size(), 64u) << answer;

  for (bool tampered : {false, true}) {
    if (tampered) {
      installer[100] = 'z';
      PutDownload("install.exe", installer);
    }
    CCheckUpdateThread worker(m_window, CCheckUpdateThread::kDownload, info.url, &http);
    worker.SetExpectedSha256(info.sha256);
    ASSERT_TRUE(worker.Start());
    MSG m{};
    ASSERT_TRUE(WaitForResult(m_window, m, 20000));
    EXPECT_EQ(m.lParam, tampered ? kInstallerDigestMismatch : 0);
    worker.Join(5000);
    EXPECT_EQ(FileExists(temp + L"\\install.exe"), !tampered);
  }
}

}  // namespace
}  // namespace vorlix
