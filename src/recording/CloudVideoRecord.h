#pragma once
// What the service learns of an uploaded clip, and where the user's cloud page is.
#include <cstdint>
#include <string>

namespace vorlix {

// The registration record as the service's peers read it, in jsoncpp's styled form (members in name
// order, three-blank indentation, " : ", a line feed at the end):
//   title    the moment, seconds since 1970
//   url      cdnBase (ending in "/") + clip name
//   duration min(moment - launch of the recorder run, 60), seconds, as text
//   format   "mp4"
//   size     the clip's bytes, as uploaded
// Texts are UTF-8.
std::string BuildCloudVideoRecord(int32_t momentSeconds, int32_t segmentStartTime, const std::string& clipName,
                                  int64_t size, const std::string& cdnBase);

// webBase + "/cloud.html#/all?id=<id>&t=<token>&s=<secret>"
std::string BuildCloudPageUrl(const std::string& webBase, const std::string& userId, const std::string& token,
                              const std::string& secret);

}  // namespace vorlix
