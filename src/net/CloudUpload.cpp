#include "net/CloudUpload.h"

#include <curl/curl.h>
#include <json/json.h>
#include <zlib.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "base/FileSystem.h"
#include "base/JsonText.h"
#include "net/Base64.h"
#include "net/Endpoints.h"
#include "net/UploadToken.h"
#include "net/tls/TrustStore.h"

namespace vorlix::net {
namespace {

constexpr std::size_t kMaxAnswerBytes = 64 * 1024;

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};

std::size_t CollectAnswer(char* data, std::size_t size, std::size_t count, void* context) {
  auto* answer = static_cast<std::string*>(context);
  std::size_t bytes = size * count;
  if (answer->size() + bytes > kMaxAnswerBytes) return bytes + 1;
  answer->append(data, bytes);
  return bytes;
}

struct HeaderList {
  curl_slist* list = nullptr;
  void Add(const std::string& line) { list = curl_slist_append(list, line.c_str()); }
  ~HeaderList() { curl_slist_free_all(list); }
};

// The requests of one file upload share one easy handle, so they share its connection: one connect
// (and over HTTPS one handshake) for the whole file instead of one per chunk.
class CUploadSession {
 public:
  explicit CUploadSession(const std::string& token) : m_easy(curl_easy_init()) {
    for (HeaderList* headers : {&m_chunkHeaders, &m_listHeaders}) {
      headers->Add("Authorization: UpToken " + token);
      // No 100-continue round trip before each chunk.
      headers->Add("Expect:");
    }
    m_chunkHeaders.Add("Content-Type: application/octet-stream");
    m_listHeaders.Add("Content-Type: text/plain");
    if (!m_easy) return;
    curl_easy_setopt(m_easy, CURLOPT_POST, 1L);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CollectAnswer);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, &m_text);
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT, 10L);
    // A block may take a while on a slow line; give up only when it stalls.
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(m_easy, CURLOPT_TCP_KEEPALIVE, 1L);
    VerifyPeersOf(m_easy);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_IPRESOLVE, (long)CURL_IPRESOLVE_V4);
  }
  ~CUploadSession() {
    if (m_easy) curl_easy_cleanup(m_easy);
  }
  CUploadSession(const CUploadSession&) = delete;
  CUploadSession& operator=(const CUploadSession&) = delete;

  // One POST of the protocol; returns 200 with the parsed answer, an HTTP status, or -(CURLcode).
  int Post(const std::string& url, bool chunk, const char* body, std::size_t size, Json::Value& answer) {
    if (!m_easy) return -static_cast<int>(CURLE_FAILED_INIT);
    m_text.clear();
    curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(size));
    curl_easy_setopt(m_easy, CURLOPT_POSTFIELDS, body);
    curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, (chunk ? m_chunkHeaders : m_listHeaders).list);
    CURLcode code = curl_easy_perform(m_easy);
    if (code != CURLE_OK) return -static_cast<int>(code);
    long status = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    if (status != 200) return static_cast<int>(status);
    if (!ParseJsonText(m_text, answer) || !answer.isObject()) return kCloudBadAnswer;
    return 200;
  }

 private:
  CURL* m_easy;
  std::string m_text;
  HeaderList m_chunkHeaders;
  HeaderList m_listHeaders;
};

bool SeekFile(std::FILE* file, std::int64_t offset) {
#ifdef _WIN32
  return _fseeki64(file, offset, SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

std::uint32_t Crc32(const char* data, std::size_t size) {
  // zlib takes at most a uInt per call.
  uLong crc = crc32(0L, Z_NULL, 0);
  const auto* p = reinterpret_cast<const Bytef*>(data);
  while (size > 0) {
    uInt piece = size > 0x40000000u ? 0x40000000u : static_cast<uInt>(size);
    crc = crc32(crc, p, piece);
    p += piece;
    size -= piece;
  }
  return static_cast<std::uint32_t>(crc);
}

int CloudBlockCount(std::int64_t fileSize) {
  return static_cast<int>((fileSize + kCloudBlockSize - 1) / kCloudBlockSize);
}

int CloudPutFile(const std::string& host, const std::string& token, const std::string& key,
                 const std::wstring& localFile, const PutExtra& extra, PutResult& result) {
  long long fileSize = FileSize(localFile);
  if (fileSize < 0) return kCloudLocalFileError;
  std::unique_ptr<std::FILE, FileCloser> file(OpenFile(localFile, "rb"));
  if (!file) return kCloudLocalFileError;
  std::int64_t chunkSize = extra.chunkSize > 0 && extra.chunkSize <= kCloudBlockSize ? extra.chunkSize
                                                                                      : kCloudBlockSize;
  std::vector<char> chunk(static_cast<std::size_t>(chunkSize));
  std::string contexts;
  CUploadSession session(token);
  int blocks = CloudBlockCount(fileSize);
  // More confirmed blocks than the file has means the file changed since: start over.
  const int skipped = static_cast<int>(extra.confirmed.size()) <= blocks ? static_cast<int>(extra.confirmed.size()) : 0;
  for (int index = 0; index < skipped; ++index) {
    if (!contexts.empty()) contexts += ",";
    contexts += extra.confirmed[static_cast<std::size_t>(index)];
    std::int64_t blockSize = fileSize - std::int64_t(index) * kCloudBlockSize;
    if (blockSize > kCloudBlockSize) blockSize = kCloudBlockSize;
    if (extra.notify) extra.notify(index, blockSize, blockSize);
  }
  if (skipped > 0 && !SeekFile(file.get(), std::int64_t(skipped) * kCloudBlockSize)) return kCloudLocalFileError;
  for (int index = skipped; index < blocks; ++index) {
    std::int64_t blockSize = fileSize - std::int64_t(index) * kCloudBlockSize;
    if (blockSize > kCloudBlockSize) blockSize = kCloudBlockSize;
    std::int64_t sent = 0;
    std::string ctx;
    while (sent < blockSize) {
      std::size_t want = static_cast<std::size_t>(blockSize - sent < chunkSize ? blockSize - sent : chunkSize);
      if (std::fread(chunk.data(), 1, want, file.get()) != want) return kCloudLocalFileError;
      std::string url = sent == 0 ? host + "/mkblk/" + std::to_string(blockSize)
                                  : host + "/bput/" + ctx + "/" + std::to_string(sent);
      Json::Value answer;
      int code = session.Post(url, true, chunk.data(), want, answer);
      if (code != 200) return code;
      if (!answer["ctx"].isString() || answer["ctx"].asString().empty()) return kCloudBadAnswer;
      // The storage reports the CRC-32 of the chunk it received; a chunk damaged on the way is not
      // built into the file.
      const Json::Value& crc = answer["crc32"];
      if (crc.isIntegral() && (!crc.isUInt64() || crc.asUInt64() != Crc32(chunk.data(), want))) {
        return kCloudBadAnswer;
      }
      ctx = answer["ctx"].asString();
      sent += static_cast<std::int64_t>(want);
      if (extra.notify) extra.notify(index, blockSize, sent);
    }
    if (!contexts.empty()) contexts += ",";
    contexts += ctx;
    if (extra.blockDone) extra.blockDone(index, ctx);
  }
  Json::Value answer;
  std::string url = host + "/mkfile/" + std::to_string(fileSize) + "/key/" + UrlSafeBase64Encode(key);
  int code = session.Post(url, false, contexts.data(), contexts.size(), answer);
  if (code != 200) return code;
  if (!answer["hash"].isString() || !answer["key"].isString()) return kCloudBadAnswer;
  result.hash = answer["hash"].asString();
  result.key = answer["key"].asString();
  return kCloudUploadOk;
}

int UploadToCloud(const std::string& key, const std::wstring& localFile, const BlockProgress& notify,
                  PutResult& result) {
  PutPolicy policy;
  policy.scope = kCloudBucket;
  std::string token = MakeUploadToken(policy, kCloudAccessKey, kCloudSecretKey, std::time(nullptr));
  PutExtra extra;
  extra.notify = notify;
  return CloudPutFile(GetUploadHostUrl(), token, key, localFile, extra, result);
}

int UploadToCloudResuming(const std::string& key, const std::wstring& localFile,
                          const std::vector<std::string>& confirmed,
                          const std::function<void(int blockIndex, const std::string& ctx)>& blockDone,
                          const BlockProgress& notify, PutResult& result) {
  PutPolicy policy;
  policy.scope = kCloudBucket;
  std::string token = MakeUploadToken(policy, kCloudAccessKey, kCloudSecretKey, std::time(nullptr));
  PutExtra extra;
  extra.notify = notify;
  extra.confirmed = confirmed;
  extra.blockDone = blockDone;
  return CloudPutFile(GetUploadHostUrl(), token, key, localFile, extra, result);
}

}  // namespace vorlix::net
