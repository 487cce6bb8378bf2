// The first adapter of the IP helper's list; its hardware address names this machine to the service.
#include <windows.h>
#include <iphlpapi.h>

#include <vector>

#include "net/Signing.h"

namespace vorlix::net {

std::string GetAdapterAddressText() {
  ULONG size = 648;
  std::vector<unsigned char> buffer(size);
  if (GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size) != ERROR_SUCCESS) {
    buffer.assign(size, 0);
    if (size == 0 ||
        GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size) != ERROR_SUCCESS) {
      return std::string();
    }
  }
  const auto* first = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data());
  UINT length = first->AddressLength;
  if (length > MAX_ADAPTER_ADDRESS_LENGTH) length = MAX_ADAPTER_ADDRESS_LENGTH;
  return FormatAdapterAddress(first->Address, length);
}

}  // namespace vorlix::net
