// The game list answer: any body gives some list (possibly empty), never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "probes/GameDetection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorlix::GameList list;
  vorlix::ParseGameList(std::string(reinterpret_cast<const char*>(data), size), list);
  return 0;
}
