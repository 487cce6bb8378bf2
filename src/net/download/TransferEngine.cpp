#include "net/download/TransferEngine.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "base/FileSystem.h"
#include "net/download/ProgressText.h"
#include "net/tls/TrustStore.h"

namespace plHttp {

using vorlix::FileExists;
using vorlix::FileSize;
using vorlix::OpenFile;
using vorlix::PathSeparator;
using vorlix::RemoveFile;

struct TransferEngine::Transfer {
  TransferEngine* engine = nullptr;
  CURL* curl = nullptr;
  std::FILE* file = nullptr;
  std::wstring fdPath;
  long long offset = 0;  // bytes already held when the transfer started
  long long lastReport = 0;
  bool firstBlock = true;
};

namespace {

constexpr size_t kMaxPathChars = 259;
constexpr long kReceiveBufferBytes = 100 * 1024;

long long NowSeconds() { return static_cast<long long>(std::time(nullptr)); }

int XferInfo(void* p, curl_off_t total, curl_off_t done, curl_off_t upTotal, curl_off_t upDone) {
  auto* t = static_cast<TransferEngine::Transfer*>(p);
  return t->engine->OnProgress(*t, static_cast<double>(total), static_cast<double>(done), static_cast<double>(upTotal),
                            static_cast<double>(upDone));
}

size_t Write(char* data, size_t size, size_t count, void* p) {
  auto* t = static_cast<TransferEngine::Transfer*>(p);
  return t->engine->OnData(*t, data, size * count);
}

// Reads the identity block of a side file; false when the file is shorter than the block.
bool ReadIdentity(std::FILE* cfg, std::string& identity) {
  std::vector<char> block(TransferEngine::kIdentityBlock);
  if (std::fseek(cfg, TransferEngine::kIdentityOffset, SEEK_SET) != 0) return false;
  if (std::fread(block.data(), 1, block.size(), cfg) != block.size()) return false;
  identity.assign(block.data(), strnlen(block.data(), block.size()));
  return true;
}

void WriteIdentity(std::FILE* cfg, const std::string& identity) {
  std::fseek(cfg, 0, SEEK_END);
  long size = std::ftell(cfg);
  if (size < TransferEngine::kIdentityOffset) {
    // A new side file: the unused head is zero.
    std::vector<char> zeros(static_cast<size_t>(TransferEngine::kIdentityOffset - size), 0);
    std::fwrite(zeros.data(), 1, zeros.size(), cfg);
  }
  std::vector<char> block(TransferEngine::kIdentityBlock, 0);
  std::memcpy(block.data(), identity.data(), identity.size());
  std::fseek(cfg, TransferEngine::kIdentityOffset, SEEK_SET);
  std::fwrite(block.data(), 1, block.size(), cfg);
}

}  // namespace

void TransferEngine::SetUserAgent(const std::string& userAgent) {
  std::lock_guard<std::mutex> hold(m_settings);
  m_userAgent = userAgent;
}

void TransferEngine::SetReferer(const std::string& referer) {
  std::lock_guard<std::mutex> hold(m_settings);
  m_referer = referer;
}

void TransferEngine::SetListener(IPLHttpCallback* listener) {
  std::lock_guard<std::recursive_mutex> hold(m_listenerLock);
  m_listener = listener;
}

void TransferEngine::Log(const std::string& line) {
  std::lock_guard<std::recursive_mutex> hold(m_listenerLock);
  if (m_listener) m_listener->OnLog(line);
}

int TransferEngine::DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName,
                                 const std::string& identity, double lowSpeedLimit, int lowSpeedTime) {
  std::wstring dir = folder;
  while (!dir.empty() && (dir.back() == PathSeparator() || dir.back() == L'/')) dir.pop_back();
  std::wstring target = dir + PathSeparator() + fileName;
  if (target.size() > kMaxPathChars || fileName.empty()) {
    Log("[HTTPSDK] the target path is too long or empty");
    return CURLE_BAD_FUNCTION_ARGUMENT;
  }
  if (identity.size() >= static_cast<size_t>(kIdentityBlock)) {
    // It would not fit the side file's block, and a cut identity could match another download's.
    Log("[HTTPSDK] the identity text is too long");
    return CURLE_BAD_FUNCTION_ARGUMENT;
  }
  // The folder may not exist yet (the installer's temp folder never does on a first update).
  vorlix::CreateDirectories(dir);

  const std::wstring fd = target + L".fd";
  const std::wstring cfgPath = target + L".fd.cfg";
  m_lowSpeedLimit = static_cast<long>(lowSpeedLimit);
  m_lowSpeedTime = lowSpeedTime;

  std::FILE* cfg = OpenFile(cfgPath, "r+b");
  if (!cfg) cfg = OpenFile(cfgPath, "w+b");
  long long offset = 0;
  std::string range;
  std::string stored;
  bool resume = cfg && FileExists(fd) && ReadIdentity(cfg, stored) && !identity.empty() && stored == identity;
  if (resume) {
    offset = FileSize(fd);
    range = std::to_string(offset) + "-";
    std::fclose(cfg);
    Log("[HTTPSDK] the breakpoint exists,resume download from breakpoint");
  } else {
    RemoveFile(fd);
    if (cfg) {
      WriteIdentity(cfg, identity);
      std::fclose(cfg);
    }
    Log("[HTTPSDK] the breakpoint not exist, download the whole file");
  }

  m_cancel = false;
  int result = RunTransfer(url, fd, offset, range);
  if (result == 0) {
    vorlix::MoveFileReplacing(fd, target);
    RemoveFile(cfgPath);
  }
  return result;
}

int TransferEngine::RunTransfer(const std::string& url, const std::wstring& fdPath, long long offset,
                                const std::string& range) {
  Transfer t;
  t.engine = this;
  t.fdPath = fdPath;
  t.offset = offset;
  t.file = OpenFile(fdPath, offset > 0 ? "ab" : "wb");
  if (!t.file) Log("[HTTPSDK] open file failed");

  std::string userAgent, referer;
  {
    std::lock_guard<std::mutex> hold(m_settings);
    userAgent = m_userAgent;
    referer = m_referer;
  }
  CURL* curl = curl_easy_init();
  if (!curl) {
    if (t.file) std::fclose(t.file);
    return CURLE_FAILED_INIT;
  }
  t.curl = curl;
  t.lastReport = NowSeconds();
  curl_easy_setopt(curl, CURLOPT_DNS_CACHE_TIMEOUT, 300L);
  curl_easy_setopt(curl, CURLOPT_IPRESOLVE, static_cast<long>(CURL_IPRESOLVE_V4));
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  bool custom = m_lowSpeedTime != 0 && m_lowSpeedLimit != 0;
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, custom ? m_lowSpeedTime : 20L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, custom ? m_lowSpeedLimit : 1000L);
  // What arrives here is the installer the program then runs: it must come from the named host.
  vorlix::net::VerifyPeersOf(curl);
  // Receive in blocks as large as curl's own tool does: a fraction of the receive calls of the default.
  curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &XferInfo);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  if (!range.empty()) curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Write);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(curl, CURLOPT_POST, 0L);
  if (!referer.empty()) curl_easy_setopt(curl, CURLOPT_REFERER, referer.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, userAgent.c_str());

  Log("[HTTPSDK] start http request ,the url is " + url);
  CURLcode code = curl_easy_perform(curl);
  Log("[HTTPSDK] finish http request ,the url is " + url);

  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_off_t announced = -1;
  curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  curl_easy_cleanup(curl);
  bool written = true;
  if (t.file) written = std::fclose(t.file) == 0;
  if (code != CURLE_OK) return code;
  if (status != 200 && status != 206) return static_cast<int>(status);
  // Only a whole file counts as downloaded: every announced byte is on disk (t.offset is 0 again when
  // the server ignored the range).
  if (!written) return CURLE_WRITE_ERROR;
  if (announced >= 0 && FileSize(fdPath) != t.offset + static_cast<long long>(announced)) return CURLE_PARTIAL_FILE;
  return 0;
}

size_t TransferEngine::OnData(Transfer& t, const char* data, size_t size) {
  long status = 0;
  curl_easy_getinfo(t.curl, CURLINFO_RESPONSE_CODE, &status);
  if (status != 200 && status != 206) {
    Log("[HTTPSDK] download error ,the error code is " + std::to_string(status));
    return size;
  }
  if (t.firstBlock) {
    t.firstBlock = false;
    if (status == 200 && t.offset > 0) {
      // The server ignored the Range and sends the whole file: appending would corrupt it, so start over.
      if (t.file) std::fclose(t.file);
      t.file = OpenFile(t.fdPath, "wb");
      t.offset = 0;
    }
  }
  if (!t.file) return 0;
  return std::fwrite(data, 1, size, t.file);
}

int TransferEngine::OnProgress(Transfer& t, double bodyTotal, double bodyDone, double upTotal, double upDone) {
  if (m_quit || m_cancel) {
    Log("[HTTPSDK] user cancel the download task,or the app quit");
    return 1;
  }
  std::lock_guard<std::recursive_mutex> hold(m_listenerLock);
  if (bodyTotal == 0 || !m_listener) return 0;
  long long now = NowSeconds();
  if (now <= t.lastReport) return 0;
  curl_off_t speedBytes = 0;
  curl_easy_getinfo(t.curl, CURLINFO_SPEED_DOWNLOAD_T, &speedBytes);
  double speed = static_cast<double>(speedBytes);
  ProgressTexts texts = MakeProgressTexts(speed, bodyTotal, bodyDone, static_cast<double>(t.offset));
  t.lastReport = now;
  m_listener->onProgressCallback(texts.speed, texts.remaining, texts.percent, static_cast<double>(t.offset) + bodyTotal,
                                 static_cast<double>(t.offset) + bodyDone, upTotal, upDone);
  return 0;
}

}  // namespace plHttp
