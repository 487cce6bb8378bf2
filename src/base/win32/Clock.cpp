#include <windows.h>

#include <ctime>

#include "base/Clock.h"

namespace vorlix {

LocalTime GetLocalTimeNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

int32_t GetUnixTime32() { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)))); }

}  // namespace vorlix
