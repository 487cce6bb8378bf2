#include <cstdlib>
#include <fstream>
#include <sstream>

#include "net/tls/TrustStore.h"

namespace vorlix::net {

std::string SystemAuthoritiesPem() {
  // libcurl is built with the system bundle as its default; the variable lets a run choose another file,
  // as it does for every OpenSSL program.
  const char* file = std::getenv("SSL_CERT_FILE");
  if (!file || !*file) return std::string();
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  // An unreadable file must not fall back to more authorities than were asked for: a text without any
  // certificate makes every peer fail.
  std::string pem = text.str();
  return pem.empty() ? std::string("-") : pem;
}

}  // namespace vorlix::net
