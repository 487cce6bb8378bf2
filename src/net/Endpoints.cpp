#include "net/Endpoints.h"

#include <cstdlib>

namespace vorlix::net {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string Resolve(const char* builtIn, const char* roleVariable) {
  return ResolveEndpoint(builtIn, Env("VORLIX_SERVICE_URL"), Env(roleVariable));
}

}  // namespace

std::string ResolveEndpoint(const std::string& builtIn, const std::string& serviceOverride,
                            const std::string& roleOverride) {
  if (!roleOverride.empty()) return roleOverride;
  if (serviceOverride.empty()) return builtIn;
  std::string base = serviceOverride;
  while (!base.empty() && base.back() == '/') base.pop_back();
  std::string::size_type scheme = builtIn.find("://");
  std::string::size_type pathStart =
      scheme == std::string::npos ? std::string::npos : builtIn.find('/', scheme + 3);
  return pathStart == std::string::npos ? base : base + builtIn.substr(pathStart);
}

std::string GetApiBaseUrl() { return Resolve(kBuiltInApiBase, "VORLIX_API_BASE"); }
std::string GetLogCollectorUrl() { return Resolve(kBuiltInLogUrl, "VORLIX_LOG_URL"); }
std::string GetUploadHostUrl() { return Resolve(kBuiltInUploadHost, "VORLIX_UPLOAD_HOST"); }
std::string GetCloudCdnBaseUrl() { return Resolve(kBuiltInCdnBase, "VORLIX_CDN_BASE"); }
std::string GetCloudWebBaseUrl() { return Resolve(kBuiltInWebBase, "VORLIX_WEB_BASE"); }
std::string GetUsageGuideUrl() { return Resolve(kBuiltInGuideUrl, "VORLIX_GUIDE_URL"); }
std::string GetChatGroupUrl() { return Resolve(kBuiltInChatGroupUrl, "VORLIX_GROUP_URL"); }

std::string GetChatGroupNumber() {
  std::string number = Env("VORLIX_GROUP_NUMBER");
  return number.empty() ? std::string(kBuiltInChatGroupNumber) : number;
}

}  // namespace vorlix::net
