#include "recording/SessionClock.h"

#include <chrono>
#include <thread>

namespace vorlix {
namespace {

class CSystemSessionClock : public ISessionClock {
 public:
  int64_t NowMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  }
  void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

ISessionClock& SystemSessionClock() {
  static CSystemSessionClock clock;
  return clock;
}

}  // namespace vorlix
