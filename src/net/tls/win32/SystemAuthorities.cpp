#include <windows.h>
#include <wincrypt.h>

#include <string>

#include "net/tls/TrustStore.h"

namespace vorlix::net {

// Read at every transfer, so an authority the user adds or removes counts from the next transfer on.
std::string SystemAuthoritiesPem() {
  HCERTSTORE store = CertOpenSystemStoreW(0, L"ROOT");
  // No store at all: an empty set of authorities rather than libcurl's default, which under Wine
  // would accept anyone.
  if (!store) return std::string("-");
  std::string pem;
  PCCERT_CONTEXT cert = nullptr;
  while ((cert = CertEnumCertificatesInStore(store, cert)) != nullptr) {
    DWORD chars = 0;
    const DWORD flags = CRYPT_STRING_BASE64HEADER;
    if (!CryptBinaryToStringA(cert->pbCertEncoded, cert->cbCertEncoded, flags, nullptr, &chars) || chars == 0) {
      continue;
    }
    std::string one(chars, '\0');
    if (!CryptBinaryToStringA(cert->pbCertEncoded, cert->cbCertEncoded, flags, &one[0], &chars)) continue;
    one.resize(chars);
    pem += one;
  }
  CertCloseStore(store, 0);
  return pem.empty() ? std::string("-") : pem;
}

}  // namespace vorlix::net
