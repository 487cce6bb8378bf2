#pragma once
// The resumable file download of the request object. A download to P keeps its bytes in "P.fd" and its
// identity in "P.fd.cfg" (a 1024-byte block at offset 23); a later call with the same identity continues
// from the size of "P.fd" with a Range request. On success "P.fd" becomes P and "P.fd.cfg" goes.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "net/IPLHttpCallback.h"

namespace plHttp {

class TransferEngine {
 public:
  static constexpr int kIdentityOffset = 23;
  static constexpr int kIdentityBlock = 1024;

  void SetUserAgent(const std::string& userAgent);
  void SetReferer(const std::string& referer);
  // Clearing the listener waits for a report in progress, so a listener is never called after it is
  // cleared. Listeners must not wait for the thread that clears them from inside a report.
  void SetListener(IPLHttpCallback* listener);
  void CancelDownload() { m_cancel = true; }
  void Quit() { m_quit = true; }

  // Returns 0 on success, a libcurl code, or the HTTP status of a refused download.
  int DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName,
                   const std::string& identity = std::string(), double lowSpeedLimit = 0, int lowSpeedTime = 0);

  // Called from the transfer; public for the C callbacks only.
  struct Transfer;
  int OnProgress(Transfer& t, double bodyTotal, double bodyDone, double upTotal, double upDone);
  size_t OnData(Transfer& t, const char* data, size_t size);

 private:
  void Log(const std::string& line);
  int RunTransfer(const std::string& url, const std::wstring& fdPath, long long offset, const std::string& range);

  std::mutex m_settings;
  std::string m_userAgent;
  std::string m_referer;
  std::recursive_mutex m_listenerLock;
  IPLHttpCallback* m_listener = nullptr;
  std::atomic<bool> m_cancel{false};
  std::atomic<bool> m_quit{false};
  long m_lowSpeedTime = 0;
  long m_lowSpeedLimit = 0;
};

}  // namespace plHttp
