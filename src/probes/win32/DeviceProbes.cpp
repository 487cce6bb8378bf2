// Registry, version query, DXGI, memory status and version resources.
#include <windows.h>
#include <dxgi.h>

#include <vector>

#include "probes/DeviceInfo.h"
#include "probes/OsTable.h"

namespace vorlix::probe {

bool ReadCpuName(std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Hardware\\Description\\System\\CentralProcessor\\0", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS) {
    return false;
  }
  wchar_t buffer[500] = {};  // 1000 bytes
  DWORD bytes = sizeof buffer;
  DWORD type = 0;
  LONG rc = RegQueryValueExW(key, L"ProcessorNameString", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  std::size_t length = bytes / sizeof(wchar_t);
  while (length > 0 && buffer[length - 1] == L'\0') --length;
  name.assign(buffer, length);
  return true;
}

std::wstring ReadOsName() {
  // The extended version query reports what the system chooses to tell this program (its manifest
  // decides whether Windows 10 shows as 10.0 or as 6.2); the table maps exactly that.
  OsVersionFacts facts;
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  facts.queryOk = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)) != FALSE;
  if (facts.queryOk) {
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    facts.major = info.dwMajorVersion;
    facts.minor = info.dwMinorVersion;
    facts.platformIsNt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    facts.workstation = info.wProductType == VER_NT_WORKSTATION;
    facts.x64Processor = system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
    facts.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
  }
  return OsNameFromFacts(facts);
}

bool EnumerateAdapters(std::vector<std::wstring>& names) {
  // Loaded at run time: a system without DXGI still starts the program.
  using CreateFactoryFn = HRESULT(WINAPI*)(REFIID, void**);
  HMODULE dxgi = LoadLibraryW(L"dxgi.dll");
  if (!dxgi) return false;
  auto create =
      reinterpret_cast<CreateFactoryFn>(reinterpret_cast<void*>(GetProcAddress(dxgi, "CreateDXGIFactory")));
  IDXGIFactory* factory = nullptr;
  if (!create || FAILED(create(__uuidof(IDXGIFactory), reinterpret_cast<void**>(&factory))) || !factory) {
    FreeLibrary(dxgi);
    return false;
  }
  IDXGIAdapter* adapter = nullptr;
  for (UINT i = 0; factory->EnumAdapters(i, &adapter) != DXGI_ERROR_NOT_FOUND; ++i) {
    if (!adapter) continue;
    DXGI_ADAPTER_DESC desc{};
    if (SUCCEEDED(adapter->GetDesc(&desc))) {
      names.emplace_back(desc.Description, wcsnlen(desc.Description, 128));
    } else {
      names.emplace_back();
    }
    adapter->Release();
    adapter = nullptr;
  }
  factory->Release();
  FreeLibrary(dxgi);
  return true;
}

std::uint64_t TotalPhysicalBytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

bool ReadFileVersion(const std::wstring& path, std::uint32_t& ms, std::uint32_t& ls) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  ms = fixed->dwFileVersionMS;
  ls = fixed->dwFileVersionLS;
  return true;
}

}  // namespace vorlix::probe
