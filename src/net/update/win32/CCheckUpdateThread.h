#pragma once
// The update worker: in check mode it asks the service for the latest build and posts the answer text;
// in download mode it downloads the installer to "temp\install.exe" beside the program and posts the
// result. The receiver of the message releases the object (after reading the text, in check mode).
#include <windows.h>

#include <string>

#include "base/win32/CThreadImpl.h"
#include "net/PLObject.h"

namespace vorlix {

class CCheckUpdateThread : public CThreadImpl<CCheckUpdateThread> {
 public:
  enum Mode { kCheck = 0, kDownload = 1 };

  CCheckUpdateThread(HWND window, Mode mode, const std::string& downloadUrl = std::string(),
                     plHttp::CPLObject* request = nullptr);

  // The installer's SHA-256 from the update answer (UpdateInfo::sha256); set before the thread starts.
  // With it, the download is kept only when the file matches (net/update/InstallerDownload.h).
  void SetExpectedSha256(const std::string& sha256) { m_strSha256 = sha256; }

  DWORD Run();
  // The answer of a check, NUL-terminated UTF-8; what lParam of UPDATE_CHECK_DONE points at.
  const std::string& GetResultText() const { return m_strResult; }

 private:
  std::string m_strResult;
  std::string m_strUrl;
  std::string m_strSha256;
  int m_nMode;
  HWND m_hWnd;
  plHttp::CPLObject* m_request;
};

}  // namespace vorlix
