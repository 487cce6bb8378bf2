#pragma once
// Wall-clock readings in the two forms the program uses.
#include <cstdint>

namespace vorlix {

struct LocalTime {
  int year, month, day, hour, minute, second, millisecond;
};

LocalTime GetLocalTimeNow();
// Seconds since 1970-01-01 UTC, cut to the low 32 bits as the program stores them.
int32_t GetUnixTime32();

}  // namespace vorlix
