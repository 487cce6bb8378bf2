#include "net/update/win32/CCheckUpdateThread.h"

#include "config/Settings.h"
#include "net/update/InstallerDownload.h"
#include "probes/DeviceInfo.h"
#include "shell/WindowMessages.h"

namespace vorlix {

CCheckUpdateThread::CCheckUpdateThread(HWND window, Mode mode, const std::string& downloadUrl,
                                       plHttp::CPLObject* request)
    : m_strUrl(downloadUrl), m_nMode(mode), m_hWnd(window), m_request(request ? request : &plHttp::GetPLObject()) {}

DWORD CCheckUpdateThread::Run() {
  if (m_nMode == kCheck) {
    m_request->CheckUpdate(GetFileVersionText(), m_strResult);
    if (IsWindow(m_hWnd))
      PostMessageW(m_hWnd, WM_CHECK_UPDATE_RESULT, UPDATE_CHECK_DONE, reinterpret_cast<LPARAM>(m_strResult.c_str()));
  } else {
    int result = DownloadInstaller(*m_request, m_strUrl, GetAppDirectory() + L"temp", m_strSha256);
    PostMessageW(m_hWnd, WM_CHECK_UPDATE_RESULT, UPDATE_DOWNLOAD_DONE, static_cast<LPARAM>(result));
  }
  return 0;
}

}  // namespace vorlix
