// The one place where the main window reaches the recorder control, the cut worker and the screens it
// shows; each call below is the whole of that link.
#include "recording/RecordSegment.h"
#include "recording/win32/CMainFrame.h"

namespace vorlix {

int OverallClipProgress(int currentIndex, int totalUpload, int clipPercent) {
  if (totalUpload <= 0) return 0;
  int done = (currentIndex > 0 ? currentIndex - 1 : 0) * 100 + clipPercent;
  return done / totalUpload;
}

void SetRecorderCompatibilityForUs() {}

bool CMainFrame::RecorderStart(std::wstring* userMessage) {
  if (userMessage != nullptr) *userMessage = L"录制程序尚未就绪";
  return false;
}
void CMainFrame::RecorderStop(bool, SessionData*) {}
void CMainFrame::RecorderRestart() {}
void CMainFrame::RecorderMark(bool) {}
void CMainFrame::StartCutWorker(SessionData&&) { PostMessageW(m_hWnd, WM_USER + 623, 0, 0); }
int CMainFrame::RunLoginDialog() { return 0; }
void CMainFrame::RunSettingDialog() {}
int CMainFrame::RunQuitConfirm() { return 0; }
void CMainFrame::ShowClipTip() {}
void CMainFrame::OpenCloudPage() {}

}  // namespace vorlix
