#include "net/tls/TrustStore.h"

namespace vorlix::net {

// libcurl is built with the system's bundle as its default.
std::string SystemAuthoritiesPem() { return std::string(); }

}  // namespace vorlix::net
