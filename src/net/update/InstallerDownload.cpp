#include "net/update/InstallerDownload.h"

#include "base/FileSystem.h"
#include "net/Sha256.h"
#include "shell/Log.h"

namespace vorlix {

int DownloadInstaller(plHttp::CPLObject& request, const std::string& url, const std::wstring& folder,
                      const std::string& expectedSha256) {
  std::wstring dir = folder;
  while (!dir.empty() && (dir.back() == PathSeparator() || dir.back() == L'/')) dir.pop_back();
  const std::wstring target = dir + PathSeparator() + kInstallerFileName;
  RemoveFile(target);
  int result = request.DownloadFile(url, folder, kInstallerFileName);
  if (result != 0) {
    RemoveFile(target);
    return result;
  }
  if (expectedSha256.empty()) return 0;
  std::string actual = net::Sha256FileHex(target);
  std::string expected = expectedSha256;
  for (char& c : expected) {
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  }
  if (!actual.empty() && actual == expected) return 0;
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "installer digest " << actual << " is not the announced "
                                                      << expected << '\n');
  RemoveFile(target);
  return kInstallerDigestMismatch;
}

}  // namespace vorlix
