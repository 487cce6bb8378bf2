#include "net/tls/TrustStore.h"

#include <curl/curl.h>

namespace vorlix::net {

void VerifyPeersOf(void* handle) {
  CURL* easy = static_cast<CURL*>(handle);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  std::string pem = SystemAuthoritiesPem();
  if (!pem.empty()) {
    curl_blob blob;
    blob.data = pem.data();
    blob.len = pem.size();
    blob.flags = CURL_BLOB_COPY;
    curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
  }
}

}  // namespace vorlix::net
