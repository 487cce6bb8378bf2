#include "net/RequestBodies.h"

#include <json/json.h>

#include "net/Signing.h"

namespace vorlix::net {

std::string BuildUpdateCheckBody(const std::string& versionText) {
  return "versionCode=" + versionText + "&type=3";
}

std::string BuildSendCodeBody(const std::string& mobile, const std::string& type, bool isTest) {
  return "mobile=" + mobile + "&type=" + type + "&isTest=" + (isTest ? "1" : "0");
}

std::string BuildLoginBody(const std::string& mobile, const std::string& code, const std::string& postId) {
  return "mobile=" + mobile + "&code=" + code + "&type=1" + "&postId=" + postId;
}

std::string BuildRegisterClipBody(const std::string& json) { return "json=" + json; }

std::string BuildDeviceReportBody(const std::string& cpu, const std::string& gpu, const std::string& os,
                                  int memoryMiB) {
  Json::Value body(Json::objectValue);
  body["cpu"] = cpu;
  body["gpu"] = gpu;
  body["mem_count"] = memoryMiB;
  body["os"] = os;
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  // The service takes the narrow code-page texts as they are; no \u escaping of their bytes.
  writer["emitUTF8"] = true;
  return Json::writeString(writer, body) + "\n";
}

std::string BuildEventQuery(const EventIdentity& who, const std::string& eventName, std::int32_t timeStamp) {
  std::string query = "?os=3&deviceName=windows&channel=&searchWord=&searchType=&videoId=&stime=";
  query += "&userId=" + who.userId;
  query += "&userToken=" + who.userToken;
  query += "&version=" + who.versionText;
  query += "&deviceId=" + who.deviceId;
  query += "&type=" + eventName;
  query += "&dtime=" + std::to_string(timeStamp);
  query += "&tsign=" + MakeTsign(EventSignPairs(who.userToken, timeStamp));
  return query;
}

}  // namespace vorlix::net
