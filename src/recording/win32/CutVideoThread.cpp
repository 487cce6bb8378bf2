#include "recording/win32/CutVideoThread.h"

#include <shellapi.h>

#include <thread>
#include <utility>

#include "base/TextConv.h"
#include "config/Settings.h"
#include "net/Endpoints.h"
#include "recording/CCutVideoJob.h"
#include "recording/CCutVideoServices.h"
#include "recording/CloudVideoRecord.h"
#include "recording/UploadQueueResume.h"
#include "shell/Log.h"

namespace vorlix {

void StartCutVideoThread(HWND target, SessionData data, std::shared_ptr<std::atomic<bool>> cancel) {
  std::thread([target, data = std::move(data), cancel = std::move(cancel)]() mutable {
    CCutVideoServices services([target](unsigned message, uintptr_t wParam, intptr_t lParam) {
      PostMessageW(target, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    });
    // The queue's resume pass waits while the cut worker has the main window's progress.
    ++UploadQueueHolds();
    CCutVideoJob job(std::move(data), services, std::move(cancel), &ProgramUploadQueue());
    job.Run();
    --UploadQueueHolds();
  }).detach();
}

void OpenCloud() {
  const std::string base = net::GetCloudWebBaseUrl(), id = WideToUtf8(GetUserId());
  const std::string url = BuildCloudPageUrl(base, id, WideToUtf8(GetUserToken()), WideToUtf8(GetUserSecret()));
  wchar_t windowsDir[MAX_PATH] = L"";
  GetWindowsDirectoryW(windowsDir, MAX_PATH);
  ShellExecuteW(nullptr, L"open", Utf8ToWide(url).c_str(), nullptr, windowsDir, SW_SHOW);
  // The token and the secret are a login; the log shows where the page went, not the keys to it.
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "MainFrame", __LINE__) << "OpenCloud  url:" << BuildCloudPageUrl(base, id, "***", "***") << '\n');
}

}  // namespace vorlix
