// Linux stand-ins: /proc for the processor and memory; no display adapter list, no version resource.
#include <unistd.h>

#include <fstream>

#include "base/TextConv.h"
#include "probes/DeviceInfo.h"
#include "probes/OsTable.h"

namespace vorlix::probe {

bool ReadCpuName(std::wstring& name) {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("model name", 0) != 0) continue;
    std::string::size_type colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string value = line.substr(colon + 1);
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    name = Utf8ToWide(value);
    return !name.empty();
  }
  return false;
}

// None of the table's systems.
std::wstring ReadOsName() { return OsNameFromFacts(OsVersionFacts{}); }

bool EnumerateAdapters(std::vector<std::wstring>&) { return false; }

std::uint64_t TotalPhysicalBytes() {
  long pages = sysconf(_SC_PHYS_PAGES);
  long pageSize = sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 0;
}

bool ReadFileVersion(const std::wstring&, std::uint32_t&, std::uint32_t&) { return false; }

}  // namespace vorlix::probe
