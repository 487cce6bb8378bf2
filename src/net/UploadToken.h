#pragma once
// Upload credentials of the cloud storage and the upload token made from them:
//   token = AccessKey ":" urlsafe-b64(HMAC-SHA1(SecretKey, encodedPolicy)) ":" encodedPolicy
// where encodedPolicy = urlsafe-b64 of the policy's JSON text.
#include <cstdint>
#include <string>

namespace vorlix::net {

inline constexpr const char kCloudAccessKey[] = "Kd3mPq9XwRt7LcZ2vNb8HsYf4JgA6eUoWiQ1xTn-";
inline constexpr const char kCloudSecretKey[] = "Zp5Qw-Lm2RtY8vCx4NbJ7kHs3GdF9aWe6UiOo1Ty";
inline constexpr const char kCloudBucket[] = "video-cloud";
// Validity of a token whose policy sets no deadline of its own.
inline constexpr std::int64_t kDefaultTokenValiditySeconds = 3600;

struct PutPolicy {
  std::string scope;          // bucket, or "bucket:key" to pin the key
  std::int64_t deadline = 0;  // seconds since 1970; 0 = now + kDefaultTokenValiditySeconds
};

// The policy's JSON text, {"deadline":N,"scope":"..."}.
std::string EncodePutPolicy(const PutPolicy& policy, std::int64_t now);
std::string MakeUploadToken(const PutPolicy& policy, const std::string& accessKey, const std::string& secretKey,
                            std::int64_t now);

}  // namespace vorlix::net
