#pragma once
// The request object: every exchange with the service goes through the one CPLObject of the process,
// reached through GetPLObject(). It owns a libcurl share handle (DNS and connection caches reused across
// calls), makes one easy handle per call and maps each outcome to one integer.
//
// Results of the primitives ("transport result"): the libcurl code when the transfer failed, else 0 for
// HTTP status 200 and the status itself otherwise (206, 302, 404, 500 ...). Endpoint operations return
// the transport result when it is not 0, else a value read from the answer envelope (net/Envelope.h).
//
// Unlike a single shared response buffer, every call collects its own answer, so concurrent calls from
// several threads never see each other's bytes; the session values are guarded by a lock.
// Every HTTPS peer's certificate and host name are verified.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "net/IPLHttpCallback.h"

// <windows.h> maps ReportEvent to the event-log function ReportEventW; the operation keeps its own name.
#ifdef ReportEvent
#undef ReportEvent
#endif

namespace plHttp {

class TransferEngine;

// Session values as the object holds them: narrow text, code page 936 (ASCII ids and tokens unchanged).
struct SessionValues {
  std::string userId;
  std::string userToken;
  std::string signSecret;
};

// Upper bound of one API answer; a larger body aborts the call with CURLE_WRITE_ERROR, so a hostile or
// broken server cannot make the program hold unbounded memory.
inline constexpr std::size_t kMaxApiResponseBytes = 4u * 1024 * 1024;
inline constexpr long kApiConnectTimeout = 10;
inline constexpr long kApiTotalTimeout = 20;

class CPLObject {
 public:
  // Reads the session values from the settings store and the API base URL from net/Endpoints.h.
  CPLObject();
  // For tests and tools: the given session and URLs, nothing read from Config.ini or the environment.
  CPLObject(const SessionValues& session, const std::string& apiBase, const std::string& logUrl);
  virtual ~CPLObject();
  CPLObject(const CPLObject&) = delete;
  CPLObject& operator=(const CPLObject&) = delete;

  // Update check: form POST "versionCode=<v>&type=3", signed over type then versionCode. Success flag;
  // the answer goes to response whenever it is JSON.
  virtual int CheckUpdate(const std::string& versionText, std::string& response);
  // Resumable downloads (net/download/TransferEngine.h): 0 on success, a libcurl code or the HTTP status.
  virtual int DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName);
  virtual int DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName,
                           const std::string& identity);
  virtual void CancelDownload();
  virtual int DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName,
                           const std::string& identity, double lowSpeedLimit, int lowSpeedTime);

  // Stores the listener and hands it to the download engine; pass nullptr when the listener goes away.
  void SetHttpCallback(IPLHttpCallback* listener);
  IPLHttpCallback* GetHttpCallback() const { return m_listener.load(); }

  // The three primitives. The answer body (whatever the status) is stored in response.
  int HttpGet(const std::string& url, long connectTimeout, long totalTimeout, std::string& response);
  int HttpPostForm(const std::string& url, const std::string& form, const std::string& sign,
                   const std::string& tsign, long connectTimeout, long totalTimeout, std::string& response);
  int HttpPostJson(const std::string& url, const std::string& json, long connectTimeout, long totalTimeout,
                   std::string& response);

  // Account requests. Both empty the held user token before sending (no "userToken" header goes out);
  // LoginVerification stores data."loginToken", "signSecret" and "userId" when the answer is a success.
  // Success flag; the answer goes to response whenever it is JSON.
  int SendVerifyCode(const std::string& mobile, const std::string& type, int isTest, std::string& response);
  int LoginVerification(const std::string& mobile, const std::string& code, const std::string& postId,
                        std::string& response);
  // GET of the game list; success flag; the answer goes to response whenever it is JSON.
  int GetGameList(std::string& response);
  // "json=" + the record, signed over "json"; returns the service code.
  int RegisterCloudVideo(const std::string& json);
  // JSON POST of the device report; transport result only; the answer always goes to response.
  int ReportDeviceInfo(const std::string& cpu, const std::string& gpu, const std::string& os, int memoryMiB,
                       std::string& response);
  // GET of the event collector with the identity query; service code.
  int ReportEvent(const std::string& versionText, std::int32_t timeStamp, const std::string& eventName);

  SessionValues GetSession() const;
  void SetSession(const SessionValues& session);
  const std::string& GetUserAgent() const { return m_userAgent; }
  const std::string& GetApiBase() const { return m_apiBase; }

  // What destruction does first: from now on every answer still arriving is refused (its call fails
  // with CURLE_WRITE_ERROR). Exposed so a shutdown path can stop transfers before tearing down.
  void RequestStop() { m_bStop = true; }
  bool IsStopping() const { return m_bStop.load(); }

 private:
  struct CallContext;
  int Perform(void* easy, void* headers, std::string& response);
  void* NewEasy(const std::string& url, long connectTimeout, long totalTimeout);
  void ClearUserToken();
  static std::size_t WriteResponse(char* data, std::size_t size, std::size_t count, void* context);
  static void LockShare(void* handle, int data, int access, void* user);
  static void UnlockShare(void* handle, int data, void* user);

  std::atomic<bool> m_bStop{false};
  std::string m_apiBase;
  std::string m_logUrl;
  std::string m_userAgent;
  std::atomic<IPLHttpCallback*> m_listener{nullptr};
  void* m_share = nullptr;
  std::unique_ptr<TransferEngine> m_transfer;
  std::mutex m_dnsLock;
  std::mutex m_connectionLock;
  mutable std::mutex m_sessionLock;
  SessionValues m_session;
};

// The process-wide request object, created on first use.
CPLObject& GetPLObject();

}  // namespace plHttp
