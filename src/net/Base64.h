#pragma once
// The URL-safe Base64 alphabet ('-' and '_' for '+' and '/', '=' padding kept) that the cloud storage
// uses in upload tokens and object keys inside URL paths.
#include <string>

namespace vorlix::net {

std::string UrlSafeBase64Encode(const std::string& bytes);

}  // namespace vorlix::net
