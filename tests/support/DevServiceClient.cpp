#include "support/DevServiceClient.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace vorlix::test {
namespace {
size_t Collect(char* p, size_t size, size_t n, void* out) {
  static_cast<std::string*>(out)->append(p, size * n);
  return size * n;
}
}  // namespace

std::string ServiceUrl() {
  const char* url = std::getenv("VORLIX_SERVICE_URL");
  if (!url || !*url) {
    ADD_FAILURE() << "VORLIX_SERVICE_URL is not set: start the development service "
                     "(python3 tools/devservice --port 0 --data DIR) and export its URL";
    return {};
  }
  std::string s = url;
  while (!s.empty() && s.back() == '/') s.pop_back();
  return s;
}

HttpAnswer HttpCall(const std::string& method, const std::string& url, const std::string& body,
                    const std::string& contentType) {
  HttpAnswer a;
  CURL* c = curl_easy_init();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, method.c_str());
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Collect);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &a.body);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, 30L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_slist* headers = nullptr;
  if (method != "GET") {
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    headers = curl_slist_append(headers, ("Content-Type: " + contentType).c_str());
    headers = curl_slist_append(headers, "Expect:");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
  }
  if (curl_easy_perform(c) == CURLE_OK) curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &a.status);
  curl_slist_free_all(headers);
  curl_easy_cleanup(c);
  return a;
}

Json::Value Control(const std::string& method, const std::string& path, const Json::Value& body) {
  std::string text = body.isNull() ? std::string() : Json::FastWriter().write(body);
  HttpAnswer a = HttpCall(method, ServiceUrl() + "/__test__/" + path, text);
  EXPECT_EQ(a.status, 200) << method << " " << path << ": " << a.body;
  Json::Value v;
  Json::Reader().parse(a.body, v);
  return v;
}

std::string PutDownload(const std::string& name, const std::string& bytes) {
  HttpAnswer a = HttpCall("PUT", ServiceUrl() + "/__test__/download/" + name, bytes, "application/octet-stream");
  EXPECT_EQ(a.status, 200) << a.body;
  Json::Value v;
  Json::Reader().parse(a.body, v);
  return v["url"].asString();
}

void ConfigureDownloads(const Json::Value& download) {
  Json::Value cfg;
  cfg["download"] = download;
  Control("POST", "config", cfg);
}

Json::Value RecordedRequests(const std::string& route) { return Control("GET", "requests?route=" + route); }

}  // namespace vorlix::test
