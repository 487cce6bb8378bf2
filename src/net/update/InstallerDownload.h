#pragma once
// The installer download of the update page, as the update worker runs it: only a file that is known
// to be the announced installer is left in place to be started.
#include <string>

#include "net/PLObject.h"

namespace vorlix {

inline constexpr wchar_t kInstallerFileName[] = L"install.exe";
// The download completed but its SHA-256 is not the one the update answer announced.
inline constexpr int kInstallerDigestMismatch = -5101;

// Downloads url to folder\install.exe. An installer left from an earlier attempt is removed first, so a
// failed attempt never leaves a file that would be started. With expectedSha256 (64 hex digits, as
// UpdateInfo::sha256) the downloaded file stays only when its digest matches; without it, only a
// complete download (every byte the server announced) stays. Returns 0 when install.exe may be
// started, else the download's result (a libcurl code or an HTTP status) or kInstallerDigestMismatch.
int DownloadInstaller(plHttp::CPLObject& request, const std::string& url, const std::wstring& folder,
                      const std::string& expectedSha256);

}  // namespace vorlix
