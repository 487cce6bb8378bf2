#include "screens/settings/win32/CDlgCheckUpdate.h"

#include <thread>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "probes/DeviceInfo.h"
#include "resource.h"
#include "screens/settings/win32/SettingsPage.h"
#include "screens/win32/CaptionDrag.h"
#include "shell/Log.h"
#include "shell/WindowMessages.h"

namespace vorlix {

namespace {

const UIColor kLabelColor = UIRgb(0x7d, 0x7d, 0x7d);

std::wstring InstallerPath() { return GetAppDirectory() + L"temp\\install.exe"; }

}  // namespace

CDlgCheckUpdate::CDlgCheckUpdate(int mode, plHttp::CPLObject* request, CAppModule* appModule)
    : CSkinDialog(IDD_EMPTY_205, appModule),
      m_nMode(mode),
      m_request(request != nullptr ? request : &plHttp::GetPLObject()),
      m_state(GetFileVersionText()) {
  m_pPreviousListener = m_request->GetHttpCallback();
  m_request->SetHttpCallback(this);
  m_bListening = true;
}

CDlgCheckUpdate::~CDlgCheckUpdate() { StopWork(); }

BOOL CDlgCheckUpdate::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  m_hProgressTarget = m_hWnd;
  SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, 0);
  SetWindowPos(m_hWnd, nullptr, kSettingsPageLeft, kSettingsPageTop, kSettingsPageWidth, kSettingsPageHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (m_nMode == 0) SetSkinImages(1211, 1211, 1211, 1211, m_hResourceModule);
  const bool check = m_state.Init(m_strAnswer, m_bStartCheck);
  BuildUI();
  if (check) StartWorker(CCheckUpdateThread::kCheck);
  return TRUE;
}

void CDlgCheckUpdate::BuildUI() {
  m_pRoot->SetPos(0, 0, kSettingsPageWidth, kSettingsPageHeight);
  const std::wstring version = L"当前版本: " + AnsiToWide(GetFileVersionText());
  if (CUILabel* l = AddLabel(kVersionId, RECT{60, 100, 200, 116}, version.c_str())) l->SetTextColor(kLabelColor);
  if (CUILabel* l = AddLabel(kOfferLinkId, RECT{200, 100, 290, 116}, L"<a>有可更新版本</a>")) {
    l->SetTextColor(kLabelColor);
    l->SetVisible(false);
  }
  if (CUILabel* l = AddLabel(kStatusId, RECT{100, 128, 290, 144}, kUpdateStatusUpToDate)) {
    l->SetTextColor(kLabelColor);
    l->SetVisible(false);
  }
  m_pSpare = AddLabel(kSpareId, RECT{320, 230, 370, 246}, kUpdateStatusUpToDate);
  if (m_pSpare != nullptr) {
    m_pSpare->SetTextColor(kLabelColor);
    m_pSpare->SetVisible(false);
  }
  m_pProgress = AddProgress(kProgressId, RECT{10, 250, 370, 257});
  if (m_pProgress != nullptr) {
    m_pProgress->SetBarImage(1228, m_hResourceModule);
    m_pProgress->SetForceStripMode(true);
    m_pProgress->SetRange(0, 100);
    m_pProgress->SetValue(0);
    m_pProgress->SetVisible(false);
  }
  ApplyView();
  m_pm.NeedUpdate();
}

void CDlgCheckUpdate::ApplyView() {
  const UpdatePageView& v = m_state.View();
  if (CUIControl* link = GetControl(kOfferLinkId)) link->SetVisible(v.linkVisible);
  if (CUIControl* status = GetControl(kStatusId)) {
    if (v.statusVisible) status->SetText(v.statusText.c_str());
    status->SetVisible(v.statusVisible);
  }
  if (m_pProgress != nullptr) {
    m_pProgress->SetValue(v.barValue);
    m_pProgress->SetVisible(v.barVisible);
  }
}

void CDlgCheckUpdate::StartWorker(CCheckUpdateThread::Mode mode) {
  JoinWorker();
  m_threadMode = mode;
  m_announcedTotal = 0;
  m_thread = std::make_unique<CCheckUpdateThread>(m_hWnd, mode, m_state.Info().url, m_request);
  // The installer is handed over only when it is the file the service announced.
  m_thread->SetExpectedSha256(m_state.Info().sha256);
  if (m_thread->Start()) return;
  // No worker: nothing will ever answer, so the page ends the step itself.
  m_thread.reset();
  if (mode == CCheckUpdateThread::kCheck)
    m_state.OnCheckAnswer(std::string());
  else
    m_state.OnDownloadDone(-1, -1);
  ApplyView();
}

void CDlgCheckUpdate::JoinWorker() {
  if (m_thread == nullptr) return;
  m_thread->Join();
  m_thread.reset();
}

void CDlgCheckUpdate::OnCheckDone() {
  // The text is read from the worker that was started, not through the message's pointer.
  std::string answer;
  if (m_thread != nullptr && m_threadMode == CCheckUpdateThread::kCheck) {
    m_thread->Join();
    answer = m_thread->GetResultText();
    m_thread.reset();
  }
  m_strAnswer = answer;
  m_state.OnCheckAnswer(answer);
  ApplyView();
}

void CDlgCheckUpdate::OnDownloadDone(int result) {
  if (m_thread != nullptr && m_threadMode == CCheckUpdateThread::kDownload) JoinWorker();
  const bool handOver = m_state.OnDownloadDone(result, FileSize(InstallerPath()));
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "download result:" << static_cast<int32_t>(result)
                                                     << (handOver ? " installer handed over" : " nothing to install")
                                                     << '\n');
  // A file the engine took for complete but whose size is not the announced one must never run.
  if (!handOver && result == 0) RemoveFile(InstallerPath());
  ApplyView();
  if (handOver) HandOver();
}

void CDlgCheckUpdate::HandOver() {
  if (m_hInstallTarget != nullptr) PostMessageW(m_hInstallTarget, WM_START_INSTALL, 0, 0);
  // Embedded, the page closes the settings dialog it belongs to: the program is about to end.
  HWND root = GetAncestor(m_hWnd, GA_ROOT);
  if (root != nullptr && root != m_hWnd)
    PostMessageW(root, WM_CLOSE, 0, 0);
  else
    Close(1);
}

void CDlgCheckUpdate::StopWork() {
  m_hProgressTarget = nullptr;
  if (m_thread != nullptr) {
    if (m_threadMode == CCheckUpdateThread::kDownload) {
      m_request->CancelDownload();
      JoinWorker();
    } else {
      // A check cannot be cancelled and may wait for the server a while: let it end on its own. It
      // posts nothing once the window is gone, and the object goes when its thread has ended.
      CCheckUpdateThread* running = m_thread.release();
      std::thread([running] {
        running->Join();
        delete running;
      }).detach();
    }
  }
  if (m_bListening) {
    m_bListening = false;
    // Only if nobody else took the request object's listener meanwhile.
    if (m_request->GetHttpCallback() == this) m_request->SetHttpCallback(m_pPreviousListener);
  }
}

BOOL CDlgCheckUpdate::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  // Before the window goes: its worker must not outlive it, nor the listener registration.
  if (uMsg == WM_DESTROY) StopWork();
  return CSkinDialog::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult);
}

LRESULT CDlgCheckUpdate::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  switch (uMsg) {
    case WM_NCHITTEST:
      // Only a window of its own is dragged; the embedded page stays where the dialog put it.
      if (m_nMode == 0 && IsCaptionDragPoint(m_hWnd, lParam, 31, 100)) {
        bHandled = true;
        return HTCAPTION;
      }
      break;
    case WM_CHECK_UPDATE_RESULT:
      bHandled = true;
      if (wParam == UPDATE_CHECK_DONE) OnCheckDone();
      if (wParam == UPDATE_DOWNLOAD_DONE) OnDownloadDone(static_cast<int>(lParam));
      return 0;
    case kMsgUpdateProgress:
      bHandled = true;
      m_state.OnProgress(std::to_string(static_cast<int>(wParam)), m_announcedTotal.load());
      ApplyView();
      return 0;
    default:
      break;
  }
  return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
}

void CDlgCheckUpdate::Notify(const UINotification& msg) {
  if (msg.Type != UINOTIFY_LINK || msg.pSender == nullptr || msg.pSender->GetId() != kOfferLinkId) return;
  // A click while a download runs changes nothing: the state refuses it.
  if (!m_state.OnLinkClicked()) return;
  ApplyView();
  StartWorker(CCheckUpdateThread::kDownload);
}

void CDlgCheckUpdate::onProgressCallback(const std::string& speed, const std::string& remaining,
                                         const std::string& percent, double total, double done, double uploadTotal,
                                         double uploadDone) {
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "onProgressCallback percent:" << percent << '\n');
  OutputDebugStringA(percent.c_str());
  if (total > 0) m_announcedTotal = static_cast<long long>(total);
  HWND target = m_hProgressTarget.load();
  if (target != nullptr) PostMessageW(target, kMsgUpdateProgress, static_cast<WPARAM>(PercentFromText(percent)), 0);
}

}  // namespace vorlix
