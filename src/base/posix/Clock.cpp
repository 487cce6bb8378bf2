#include <ctime>

#include "base/Clock.h"

namespace vorlix {

LocalTime GetLocalTimeNow() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm t{};
  localtime_r(&ts.tv_sec, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
          static_cast<int>(ts.tv_nsec / 1000000)};
}

int32_t GetUnixTime32() { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)))); }

}  // namespace vorlix
