// Linux has no adapter list in the IP helper's sense: the first non-loopback interface in name order
// stands in for it, read from sysfs.
#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <vector>

#include "net/Signing.h"

namespace vorlix::net {

std::string GetAdapterAddressText() {
  std::vector<std::string> names;
  if (DIR* dir = opendir("/sys/class/net")) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != ".." && name != "lo") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::ifstream in("/sys/class/net/" + name + "/address");
    std::string text;
    if (!(in >> text)) continue;
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i + 2 <= text.size(); i += 3) {
      char* end = nullptr;
      std::string pair = text.substr(i, 2);
      unsigned long value = std::strtoul(pair.c_str(), &end, 16);
      if (end != pair.c_str() + 2) {
        bytes.clear();
        break;
      }
      bytes.push_back(static_cast<unsigned char>(value));
    }
    if (!bytes.empty()) return FormatAdapterAddress(bytes.data(), bytes.size());
  }
  return std::string();
}

}  // namespace vorlix::net
