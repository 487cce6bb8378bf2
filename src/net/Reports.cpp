#include "net/Reports.h"

#include <cstdint>
#include <ctime>
#include <thread>

#include "base/TextConv.h"
#include "net/PLObject.h"
#include "probes/DeviceInfo.h"

namespace vorlix::net {

int SendEventReport(const std::string& eventName) {
  int result = 0;
  std::thread worker([&] {
    std::int32_t now = static_cast<std::int32_t>(std::time(nullptr));
    result = plHttp::GetPLObject().ReportEvent(GetFileVersionText(), now, eventName);
  });
  worker.join();
  return result;
}

void StartDeviceReport(std::function<void(int result, const std::string& answer)> sink) {
  std::thread([sink] {
    std::string cpu = WideToAnsi(GetCpuName());
    std::string gpu = WideToAnsi(GetGpuNames());
    std::string os = WideToAnsi(GetOsName());
    std::string answer;
    int result = plHttp::GetPLObject().ReportDeviceInfo(cpu, gpu, os, GetTotalMemoryMiB(), answer);
    if (sink) sink(result, answer);
  }).detach();
}

}  // namespace vorlix::net
