#pragma once
// The bodies and queries the endpoint operations send, built exactly as they travel: no
// percent-encoding, parameters in body order (which is not always the signing order).
#include <cstdint>
#include <string>

namespace vorlix::net {

inline constexpr const char kPathUpdateCheck[] = "/apkVersion/api/v1.0/find";
inline constexpr const char kPathSendCode[] = "/api/v1.0/send/code";
inline constexpr const char kPathLogin[] = "/api/v1.0/login/verification";
inline constexpr const char kPathGames[] = "/cloud/api/v1.0/games";
inline constexpr const char kPathRegisterClip[] = "/cloud/api/v1.0";
inline constexpr const char kPathDeviceReport[] = "/system/info/v1.0/log";

std::string BuildUpdateCheckBody(const std::string& versionText);
std::string BuildSendCodeBody(const std::string& mobile, const std::string& type, bool isTest);
std::string BuildLoginBody(const std::string& mobile, const std::string& code, const std::string& postId);
std::string BuildRegisterClipBody(const std::string& json);

// The device report: {"cpu","gpu","mem_count","os"} written compactly (keys in ascending order,
// memory as an integer) with a line feed at the end. Texts are placed unchanged.
std::string BuildDeviceReportBody(const std::string& cpu, const std::string& gpu, const std::string& os,
                                  int memoryMiB);

struct EventIdentity {
  std::string userId;
  std::string userToken;
  std::string versionText;
  std::string deviceId;  // adapter address text, without the "Windows+" prefix
};

// The event collector's query, beginning with "?", tsign last.
std::string BuildEventQuery(const EventIdentity& who, const std::string& eventName, std::int32_t timeStamp);

}  // namespace vorlix::net
