#pragma once
// Facts about the machine and the program for the device report and the requests' version text. Each
// probe asks the platform and degrades to a fixed result instead of failing; the processor name and the
// file version are cached (filled under a lock; an empty result is retried on the next call).
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

std::wstring GetCpuName();
std::wstring GetOsName();
// Every display adapter's description in enumeration order, joined by "," (empty without DXGI).
std::wstring GetGpuNames();
int GetTotalMemoryMiB();
// "V%d.%d.%d.%d" from the fixed file version of GetAppDirectory() + "Vorlix.exe"; empty without one.
std::string GetFileVersionText();

// The portable rules behind them.
std::wstring JoinAdapterNames(const std::vector<std::wstring>& names);
int MemoryBytesToMiB(std::uint64_t bytes);
std::string FormatFileVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// Platform seams (win32/ and posix/ DeviceProbes.cpp).
namespace probe {
bool ReadCpuName(std::wstring& name);
std::wstring ReadOsName();
bool EnumerateAdapters(std::vector<std::wstring>& names);  // false when the factory cannot be made
std::uint64_t TotalPhysicalBytes();
bool ReadFileVersion(const std::wstring& path, std::uint32_t& mostSignificant, std::uint32_t& leastSignificant);
}  // namespace probe

}  // namespace vorlix
