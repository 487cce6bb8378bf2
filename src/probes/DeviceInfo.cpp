#include "probes/DeviceInfo.h"

#include <cstdio>
#include <mutex>

#include "config/Settings.h"

namespace vorlix {
namespace {

std::mutex g_cpuLock;
std::wstring g_cpuName;
std::mutex g_versionLock;
std::string g_versionText;

}  // namespace

std::wstring JoinAdapterNames(const std::vector<std::wstring>& names) {
  std::wstring text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += L",";
    text += names[i];
  }
  return text;
}

int MemoryBytesToMiB(std::uint64_t bytes) { return static_cast<int>(bytes >> 20); }

std::string FormatFileVersion(std::uint32_t ms, std::uint32_t ls) {
  char text[64];
  std::snprintf(text, sizeof text, "V%d.%d.%d.%d", int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16), int(ls & 0xFFFF));
  return text;
}

std::wstring GetCpuName() {
  std::lock_guard<std::mutex> lock(g_cpuLock);
  if (g_cpuName.empty()) {
    std::wstring name;
    if (probe::ReadCpuName(name)) g_cpuName = name;
  }
  return g_cpuName;
}

std::wstring GetOsName() { return probe::ReadOsName(); }

std::wstring GetGpuNames() {
  std::vector<std::wstring> names;
  if (!probe::EnumerateAdapters(names)) return std::wstring();
  // The two texts of this trace are GBK bytes ("获取到", "块显卡").
  std::printf("===============\xbb\xf1\xc8\xa1\xb5\xbd%d\xbf\xe9\xcf\xd4\xbf\xa8===============\n", int(names.size()));
  return JoinAdapterNames(names);
}

int GetTotalMemoryMiB() { return MemoryBytesToMiB(probe::TotalPhysicalBytes()); }

std::string GetFileVersionText() {
  std::lock_guard<std::mutex> lock(g_versionLock);
  if (g_versionText.empty()) {
    std::uint32_t ms = 0, ls = 0;
    if (probe::ReadFileVersion(GetAppDirectory() + L"Vorlix.exe", ms, ls)) g_versionText = FormatFileVersion(ms, ls);
  }
  return g_versionText;
}

}  // namespace vorlix
