#pragma once
// Talks to the development service from C++ tests: its base URL comes from VORLIX_SERVICE_URL, which
// scripts/test exports for the whole run (start the service by hand otherwise; see tools/devservice).
#include <json/json.h>

#include <string>

namespace vorlix::test {

// The base URL; fails the calling test (and returns empty) when the variable is missing.
std::string ServiceUrl();

struct HttpAnswer {
  long status = 0;
  std::string body;
};

HttpAnswer HttpCall(const std::string& method, const std::string& url, const std::string& body = std::string(),
                    const std::string& contentType = "application/json");

// The control API under /__test__/.
Json::Value Control(const std::string& method, const std::string& path, const Json::Value& body = Json::Value());
// Stores a file on the download route and returns its URL.
std::string PutDownload(const std::string& name, const std::string& bytes);
void ConfigureDownloads(const Json::Value& download);
Json::Value RecordedRequests(const std::string& route);

}  // namespace vorlix::test
