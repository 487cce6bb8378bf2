#include <gtest/gtest.h>

#include <curl/curl.h>

#include <atomic>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "net/download/TransferEngine.h"
#include "support/DevServiceClient.h"

namespace plHttp {
namespace {

using namespace vorlix;
using namespace vorlix::test;

struct Report {
  std::string speed, remaining, percent;
  double total, done;
  long long second;
};

// Records what the engine reports; optionally cancels the download once some data has arrived (the first
// report may come within milliseconds of the start, when the start was late in a second).
class CRecordingListener : public IPLHttpCallback {
 public:
  explicit CRecordingListener(TransferEngine* cancelWithData = nullptr) : m_cancel(cancelWithData) {}
  void onProgressCallback(const std::string& speed, const std::string& remaining, const std::string& percent,
                          double total, double done, double, double) override {
    std::lock_guard<std::mutex> hold(m_lock);
    reports.push_back({speed, remaining, percent, total, done, static_cast<long long>(std::time(nullptr))});
    if (m_cancel && done >= 50 * 1024) m_cancel->CancelDownload();
  }
  void OnLog(const std::string& line) override {
    std::lock_guard<std::mutex> hold(m_lock);
    logs.push_back(line);
  }
  bool Logged(const std::string& line) {
    std::lock_guard<std::mutex> hold(m_lock);
    for (auto& l : logs)
      if (l == line) return true;
    return false;
  }
  std::mutex m_lock;
  std::vector<Report> reports;
  std::vector<std::string> logs;

 private:
  TransferEngine* m_cancel;
};

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
  return s;
}

std::string Bytes(const std::wstring& path) {
  std::string s;
  ReadWholeFile(path, s);
  return s;
}

std::string RangeHeaderOfLast(const std::string& name) {
  Json::Value reqs = RecordedRequests("download")["requests"];
  std::string range = "(none)";
  for (const auto& r : reqs) {
    if (r["path"].asString() != "/download/" + name) continue;
    range = "(none)";
    for (const auto& h : r["headers"])
      if (h[0].asString() == "Range") range = h[1].asString();
  }
  return range;
}

class TransferEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    curl_global_init(CURL_GLOBAL_ALL);
    Control("POST", "reset", Json::Value(Json::objectValue));
    m_folder = GetAppDirectory() + L"dl_test";
    for (const wchar_t* f : {L"file.bin", L"file.bin.fd", L"file.bin.fd.cfg"}) RemoveFile(m_folder + PathSeparator() + f);
    m_engine.SetUserAgent("VorlixTest");
    m_engine.SetListener(&m_listener);
  }
  void TearDown() override {
    m_engine.SetListener(nullptr);
    ConfigureDownloads(Json::Value(Json::objectValue));
  }
  std::wstring Path(const wchar_t* suffix) const { return m_folder + PathSeparator() + L"file.bin" + suffix; }
  static Json::Value Faults(std::initializer_list<std::pair<const char*, Json::Value>> kv) {
    Json::Value v(Json::objectValue);
    for (auto& [k, val] : kv) v[k] = val;
    return v;
  }

  std::wstring m_folder;
  TransferEngine m_engine;
  CRecordingListener m_listener;
};

TEST_F(TransferEngineTest, WholeDownloadReportsAtMostOncePerSecondAndRenamesOnSuccess) {
  const std::string data = Pattern(300 * 1024);
  std::string url = PutDownload("file.bin", data);
  ConfigureDownloads(Faults({{"rate", 100 * 1024}}));
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder + PathSeparator(), L"file.bin"), 0);
  EXPECT_EQ(Bytes(Path(L"")), data);
  EXPECT_FALSE(FileExists(Path(L".fd")));
  EXPECT_FALSE(FileExists(Path(L".fd.cfg")));
  EXPECT_EQ(RangeHeaderOfLast("file.bin"), "(none)");

  ASSERT_GE(m_listener.reports.size(), 1u) << "a three-second download reports its progress";
  for (size_t i = 0; i < m_listener.reports.size(); ++i) {
    const Report& r = m_listener.reports[i];
    EXPECT_EQ(r.total, static_cast<double>(data.size()));
    EXPECT_EQ(r.percent, std::to_string(static_cast<int>(r.done / r.total * 100.0)));
    EXPECT_EQ(r.remaining.size(), 8u) << r.remaining;
    EXPECT_NE(r.speed.find("/s"), std::string::npos);
    if (i > 0) {
      EXPECT_GT(r.second, m_listener.reports[i - 1].second) << "one report per wall-clock second at most";
      EXPECT_GE(r.done, m_listener.reports[i - 1].done);
    }
  }
  EXPECT_TRUE(m_listener.Logged("[HTTPSDK] the breakpoint not exist, download the whole file"));
  EXPECT_TRUE(m_listener.Logged("[HTTPSDK] start http request ,the url is " + url));
  EXPECT_TRUE(m_listener.Logged("[HTTPSDK] finish http request ,the url is " + url));
}

TEST_F(TransferEngineTest, WithoutALengthThereIsNoProgressReport) {
  const std::string data = Pattern(200 * 1024);
  std::string url = PutDownload("file.bin", data);
  ConfigureDownloads(Faults({{"no_length", true}, {"rate", 100 * 1024}}));
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin"), 0);
  EXPECT_EQ(Bytes(Path(L"")), data);
  EXPECT_TRUE(m_listener.reports.empty());
}

TEST_F(TransferEngineTest, CancelledDownloadResumesWithTheSameIdentityAndRestartsWithAnother) {
  const std::string data = Pattern(400 * 1024);
  std::string url = PutDownload("file.bin", data);
  ConfigureDownloads(Faults({{"rate", 100 * 1024}}));
  {
    TransferEngine engine;
    CRecordingListener cancelling(&engine);
    engine.SetListener(&cancelling);
    EXPECT_EQ(engine.DownloadFile(url, m_folder, L"file.bin", "installer-v2"), CURLE_ABORTED_BY_CALLBACK);
    EXPECT_TRUE(cancelling.Logged("[HTTPSDK] user cancel the download task,or the app quit"));
    engine.SetListener(nullptr);
  }
  long long held = FileSize(Path(L".fd"));
  ASSERT_GT(held, 0);
  ASSERT_LT(held, static_cast<long long>(data.size()));
  EXPECT_EQ(Bytes(Path(L".fd")), data.substr(0, static_cast<size_t>(held)));
  std::string cfg = Bytes(Path(L".fd.cfg"));
  ASSERT_EQ(cfg.size(), 23u + 1024u);
  EXPECT_EQ(cfg.substr(0, 23), std::string(23, '\0'));
  EXPECT_EQ(std::string(cfg.c_str() + 23), "installer-v2");
  EXPECT_FALSE(FileExists(Path(L"")));

  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin", "installer-v2"), 0);
  EXPECT_EQ(RangeHeaderOfLast("file.bin"), "bytes=" + std::to_string(held) + "-");
  EXPECT_EQ(Bytes(Path(L"")), data);
  EXPECT_TRUE(m_listener.Logged("[HTTPSDK] the breakpoint exists,resume download from breakpoint"));
  for (const Report& r : m_listener.reports) {
    EXPECT_EQ(r.total, static_cast<double>(data.size())) << "totals include the bytes already held";
    EXPECT_GE(r.done, static_cast<double>(held));
  }

  // A partial file of another download is not continued.
  WriteWholeFile(Path(L".fd"), data.substr(0, 1000));
  std::string other(23 + 1024, '\0');
  std::memcpy(&other[23], "installer-v1", 12);
  WriteWholeFile(Path(L".fd.cfg"), other);
  ConfigureDownloads(Json::Value(Json::objectValue));
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin", "installer-v2"), 0);
  EXPECT_EQ(RangeHeaderOfLast("file.bin"), "(none)");
  EXPECT_EQ(Bytes(Path(L"")), data);
}

TEST_F(TransferEngineTest, NoIdentityNeverResumes) {
  const std::string data = Pattern(64 * 1024);
  std::string url = PutDownload("file.bin", data);
  WriteWholeFile(Path(L".fd"), "stale");
  WriteWholeFile(Path(L".fd.cfg"), std::string(23 + 1024, '\0'));
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin"), 0);
  EXPECT_EQ(RangeHeaderOfLast("file.bin"), "(none)");
  EXPECT_EQ(Bytes(Path(L"")), data);
}

TEST_F(TransferEngineTest, AWholeFileAnswerToAResumedRequestReplacesThePartialBytes) {
  const std::string data = Pattern(100 * 1024);
  std::string url = PutDownload("file.bin", data);
  WriteWholeFile(Path(L".fd"), data.substr(0, 40000));
  std::string cfg(23 + 1024, '\0');
  std::memcpy(&cfg[23], "id", 2);
  WriteWholeFile(Path(L".fd.cfg"), cfg);
  ConfigureDownloads(Faults({{"no_range", true}}));
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin", "id"), 0);
  EXPECT_EQ(RangeHeaderOfLast("file.bin"), "bytes=40000-");
  EXPECT_EQ(Bytes(Path(L"")), data);
}

TEST_F(TransferEngineTest, RefusedDownloadReturnsTheStatusAndKeepsTheSideFiles) {
  std::string url = PutDownload("file.bin", Pattern(1000));
  ConfigureDownloads(Faults({{"status", 404}}));
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin", "x"), 404);
  EXPECT_FALSE(FileExists(Path(L"")));
  EXPECT_TRUE(FileExists(Path(L".fd.cfg")));
  EXPECT_TRUE(m_listener.Logged("[HTTPSDK] download error ,the error code is 404"));
}

TEST_F(TransferEngineTest, StallingServerHitsTheLowSpeedLimit) {
  std::string url = PutDownload("file.bin", Pattern(64 * 1024));
  ConfigureDownloads(Faults({{"stall", true}, {"stall_after", 1000}, {"stall_seconds", 8}}));
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin", "", 1000, 2), CURLE_OPERATION_TIMEDOUT);
}

TEST_F(TransferEngineTest, CancelBeforeAnyDataArrivesAborts) {
  std::string url = PutDownload("file.bin", Pattern(64 * 1024));
  ConfigureDownloads(Faults({{"stall", true}, {"stall_after", 0}, {"stall_seconds", 8}}));
  std::thread canceller([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    m_engine.CancelDownload();
  });
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin"), CURLE_ABORTED_BY_CALLBACK);
  canceller.join();
  EXPECT_EQ(FileSize(Path(L".fd")), 0);
}

TEST_F(TransferEngineTest, MissingFolderIsCreated) {
  std::wstring nested = m_folder + PathSeparator() + L"temp_new";
  RemoveFile(nested + PathSeparator() + L"install.exe");
  std::string url = PutDownload("install.exe", "MZ-installer");
  EXPECT_EQ(m_engine.DownloadFile(url, nested, L"install.exe"), 0);
  EXPECT_EQ(Bytes(nested + PathSeparator() + L"install.exe"), "MZ-installer");
  RemoveFile(nested + PathSeparator() + L"install.exe");
}

TEST_F(TransferEngineTest, OverlongIdentityIsRefusedBeforeAnyFileIsTouched) {
  std::string url = PutDownload("file.bin", "x");
  WriteWholeFile(Path(L".fd"), "partial");
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin", std::string(1024, 'i')), CURLE_BAD_FUNCTION_ARGUMENT);
  EXPECT_EQ(Bytes(Path(L".fd")), "partial");
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin", std::string(1023, 'i')), 0) << "1023 bytes fit";
}

TEST_F(TransferEngineTest, ClearedListenerIsNeverCalledAgain) {
  const std::string data = Pattern(400 * 1024);
  std::string url = PutDownload("file.bin", data);
  ConfigureDownloads(Faults({{"rate", 100 * 1024}}));
  std::atomic<bool> cleared{false};
  std::atomic<int> lateCalls{0};
  class CCountingListener : public IPLHttpCallback {
   public:
    CCountingListener(std::atomic<bool>& c, std::atomic<int>& late) : m_cleared(c), m_late(late) {}
    void onProgressCallback(const std::string&, const std::string&, const std::string&, double, double, double,
                            double) override {
      if (m_cleared) ++m_late;
    }
    void OnLog(const std::string&) override {
      if (m_cleared) ++m_late;
    }
    std::atomic<bool>& m_cleared;
    std::atomic<int>& m_late;
  } counting(cleared, lateCalls);
  m_engine.SetListener(&counting);
  std::thread clearer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    m_engine.SetListener(nullptr);
    cleared = true;
  });
  EXPECT_EQ(m_engine.DownloadFile(url, m_folder, L"file.bin"), 0);
  clearer.join();
  EXPECT_EQ(lateCalls.load(), 0);
}

}  // namespace
}  // namespace plHttp
