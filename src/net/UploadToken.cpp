#include "net/UploadToken.h"

#include <json/json.h>

#include "net/Base64.h"
#include "net/Sha1.h"

namespace vorlix::net {

std::string EncodePutPolicy(const PutPolicy& policy, std::int64_t now) {
  Json::Value root(Json::objectValue);
  root["scope"] = policy.scope;
  root["deadline"] = Json::Int64(policy.deadline ? policy.deadline : now + kDefaultTokenValiditySeconds);
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  return Json::writeString(writer, root);
}

std::string MakeUploadToken(const PutPolicy& policy, const std::string& accessKey, const std::string& secretKey,
                            std::int64_t now) {
  std::string encodedPolicy = UrlSafeBase64Encode(EncodePutPolicy(policy, now));
  Sha1Digest mac = HmacSha1(secretKey, encodedPolicy);
  std::string sign = UrlSafeBase64Encode(std::string(mac.begin(), mac.end()));
  return accessKey + ":" + sign + ":" + encodedPolicy;
}

}  // namespace vorlix::net
