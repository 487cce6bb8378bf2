#pragma once
// Where the program's servers live: the service API, its event collector, the cloud storage's upload
// host, the cloud CDN that serves uploaded clips and the cloud web page.
//
// The built-in values are the production deployment. A run can be pointed elsewhere (the development
// service on loopback, a staging host) through the environment, read at each call:
//   VORLIX_SERVICE_URL  "scheme://host[:port]" that replaces the scheme, host and port of every built-in
//                       URL below, keeping each one's path (so the collector becomes <url>/print and the
//                       CDN <url>/cdn/); the development service serves all of them under one base.
//   VORLIX_API_BASE, VORLIX_LOG_URL, VORLIX_UPLOAD_HOST, VORLIX_CDN_BASE, VORLIX_WEB_BASE,
//   VORLIX_GUIDE_URL, VORLIX_GROUP_URL
//                       the whole URL of one role, taking precedence over VORLIX_SERVICE_URL.
// Empty variables count as unset.
#include <string>

namespace vorlix::net {

// Production values.
inline constexpr const char kBuiltInApiBase[] = "http://api.vorlix.cn";
inline constexpr const char kBuiltInLogUrl[] = "http://log.vorlix.cn/print";
// The cloud storage's South China zone upload host, over HTTPS.
inline constexpr const char kBuiltInUploadHost[] = "https://up-z2.qiniup.com";
inline constexpr const char kBuiltInCdnBase[] = "http://video.vorlix.cn/cdn/";
inline constexpr const char kBuiltInWebBase[] = "http://cloud.vorlix.cn";
// The main window's web links: the usage guide and the page that joins the users' chat group.
inline constexpr const char kBuiltInGuideUrl[] = "http://cloud.vorlix.cn/guide.html";
inline constexpr const char kBuiltInChatGroupUrl[] = "http://cloud.vorlix.cn/group.html";
inline constexpr const char kBuiltInChatGroupNumber[] = "8263014";

// API base URL, scheme and host, no trailing slash; endpoint paths are appended directly.
std::string GetApiBaseUrl();
// Full URL of the event collector, path "/print"; the event query is appended directly.
std::string GetLogCollectorUrl();
// Scheme and host of the cloud upload protocol (mkblk, bput, mkfile).
std::string GetUploadHostUrl();
// Base address of uploaded clips, ending in "/"; the object key is appended.
std::string GetCloudCdnBaseUrl();
// Base address of the cloud web page; "/cloud.html#/all?..." is appended.
std::string GetCloudWebBaseUrl();

// The usage-guide page (VORLIX_GUIDE_URL) and the chat-group join page (VORLIX_GROUP_URL).
std::string GetUsageGuideUrl();
std::string GetChatGroupUrl();
// The chat group's number as the title row shows it (VORLIX_GROUP_NUMBER).
std::string GetChatGroupNumber();

// The rule behind the getters, without the environment: a non-empty roleOverride wins; else a
// non-empty serviceOverride replaces builtIn's "scheme://authority" part (a trailing "/" of the
// override is dropped); else builtIn.
std::string ResolveEndpoint(const std::string& builtIn, const std::string& serviceOverride,
                            const std::string& roleOverride);

}  // namespace vorlix::net
