// The update check answer: any body either leaves the information as it was or fills it consistently.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/update/UpdateInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorlix::UpdateInfo info;
  info.url = "kept";
  vorlix::ParseUpdateInfo(std::string(reinterpret_cast<const char*>(data), size), "V1.8.0.1", info);
  if (!info.needUpdate && info.url != "kept") __builtin_trap();
  if (!info.sha256.empty() && !info.needUpdate) __builtin_trap();
  return 0;
}
