#include "recording/CloudVideoRecord.h"

#include <json/json.h>

namespace vorlix {

std::string BuildCloudVideoRecord(int32_t momentSeconds, int32_t segmentStartTime, const std::string& clipName,
                                  int64_t size, const std::string& cdnBase) {
  int64_t duration = int64_t(momentSeconds) - segmentStartTime;
  if (duration > 60) duration = 60;
  Json::Value record(Json::objectValue);
  record["title"] = std::to_string(momentSeconds);
  record["url"] = cdnBase + clipName;
  record["duration"] = std::to_string(duration);
  record["format"] = "mp4";
  record["size"] = Json::Int64(size);
  // The three-blank styled form; the builder leaves out the final line feed the styled writer adds.
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "   ";
  return Json::writeString(writer, record) + "\n";
}

std::string BuildCloudPageUrl(const std::string& webBase, const std::string& userId, const std::string& token,
                              const std::string& secret) {
  return webBase + "/cloud.html#/all?id=" + userId + "&t=" + token + "&s=" + secret;
}

}  // namespace vorlix
