// The service's answer envelope: any body gives one of the documented results, never an exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/Envelope.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  int flag = vorlix::net::SuccessFlagResult(body);
  if (flag != 0 && flag != 1 && flag != vorlix::net::kResultNotJson) __builtin_trap();
  int code = vorlix::net::ServiceCodeResult(body);
  if ((code == vorlix::net::kServiceOk) != (flag == 1)) __builtin_trap();
  if (vorlix::net::SuccessFlagOfTransfer(1, body) == 1) __builtin_trap();
  return 0;
}
