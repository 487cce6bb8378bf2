// The one place where the main window reaches the recorder control, the cut worker and the screens it
// shows; each call below is the whole of that link.
#include "recording/RecordSegment.h"
#include "recording/win32/CMainFrame.h"
#include "recording/win32/CRecorderControl.h"
#include "recording/win32/CutVideoThread.h"
#include "recording/win32/UploadQueueThread.h"
#include "screens/dialogs/win32/CDlgQuitConfirm.h"
#include "screens/dialogs/win32/CDlgShotTip.h"
#include "screens/login/win32/CDlgLogin.h"
#include "screens/settings/win32/CDlgSetting.h"

namespace vorlix {
namespace {
HWND Owner(HWND fallback) {
  HWND active = GetActiveWindow();
  return active != nullptr ? active : fallback;
}
}  // namespace

void CMainFrame::CreateSessionParts() {
  m_recorder = std::make_unique<CRecorderControl>();
  m_recorder->SetGameList(&m_gameList);
  m_clipTip = std::make_unique<CDlgShotTip>();
  m_clipTip->Create(m_hWnd);
}

void CMainFrame::SetRecorderCompatibilityForUs() { SetRecorderCompatibility(); }

bool CMainFrame::RecorderStart(std::wstring* userMessage) { return m_recorder->StartRecord(m_hWnd, userMessage); }
void CMainFrame::RecorderStop(bool bUpload, SessionData* handOver) { m_recorder->StopRecord(bUpload, handOver); }
void CMainFrame::RecorderRestart() { m_recorder->RestartObs(); }
void CMainFrame::RecorderMark(bool recording) { m_recorder->ThirtySecond(recording); }

void CMainFrame::StartCutWorker(SessionData&& data) { StartCutVideoThread(m_hWnd, std::move(data), m_cancel); }

void CMainFrame::StartQueuedUploads() { StartUploadQueueResume(m_hWnd); }
void CMainFrame::TellQueueRecording(bool recording) { SetUploadQueueRecording(recording); }

int CMainFrame::RunLoginDialog() { return ShowLoginDialog(Owner(m_hWnd)); }
void CMainFrame::RunSettingDialog() { ShowSettingDialog(Owner(m_hWnd), m_strUpdateResponse); }
int CMainFrame::RunQuitConfirm() { return ShowQuitConfirm(Owner(m_hWnd)); }

void CMainFrame::ShowClipTip() {
  if (m_clipTip != nullptr) m_clipTip->ShowBriefly();
}

void CMainFrame::OpenCloudPage() { OpenCloud(); }

}  // namespace vorlix
