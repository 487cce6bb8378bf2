#include "net/CloudUpload.h"

#include <curl/curl.h>
#include <json/json.h>

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

// One POST of the protocol; returns 200 with the parsed answer, an HTTP status, or -(CURLcode).
int Post(const std::string& url, const std::string& token, const char* contentType, const char* body,
         std::size_t size, Json::Value& answer) {
  CURL* easy = curl_easy_init();
  if (!easy) return -static_cast<int>(CURLE_FAILED_INIT);
  std::string text;
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, ("Authorization: UpToken " + token).c_str());
  headers = curl_slist_append(headers, (std::string("Content-Type: ") + contentType).c_str());
  // No 100-continue round trip before each chunk.
  headers = curl_slist_append(headers, "Expect:");
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_POST, 1L);
  curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(size));
  curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CollectAnswer);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &text);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, 10L);
  // A block may take a while on a slow line; give up only when it stalls.
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, 60L);
  VerifyPeersOf(easy);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_IPRESOLVE, (long)CURL_IPRESOLVE_V4);
  CURLcode code = curl_easy_perform(easy);
  long status = 0;
  if (code == CURLE_OK) curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(easy);
  curl_slist_free_all(headers);
  if (code != CURLE_OK) return -static_cast<int>(code);
  if (status != 200) return static_cast<int>(status);
  if (!ParseJsonText(text, answer) || !answer.isObject()) {
    return kCloudBadAnswer;
  }
  return 200;
}

}  // namespace

std::uint32_t Crc32(const char* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= static_cast<unsigned char>(data[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
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
  int blocks = CloudBlockCount(fileSize);
  for (int index = 0; index < blocks; ++index) {
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
      int code = Post(url, token, "application/octet-stream", chunk.data(), want, answer);
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
  }
  Json::Value answer;
  std::string url = host + "/mkfile/" + std::to_string(fileSize) + "/key/" + UrlSafeBase64Encode(key);
  int code = Post(url, token, "text/plain", contexts.data(), contexts.size(), answer);
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

}  // namespace vorlix::net
