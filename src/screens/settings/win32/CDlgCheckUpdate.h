#pragma once
// The update page: the running version, the offer of another build when the service has one, the
// installer download with its progress bar, and the hand-over to the main window, which starts the
// installer. In this program it is the fourth page of the settings dialog (mode 1).
#include <atomic>
#include <memory>
#include <string>

#include "net/IPLHttpCallback.h"
#include "net/PLObject.h"
#include "net/update/win32/CCheckUpdateThread.h"
#include "screens/settings/UpdatePageState.h"
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

// Progress of the download, handed from the download thread to the window thread (wParam: percent).
constexpr UINT kMsgUpdateProgress = WM_USER + 710;

class CDlgCheckUpdate : public CSkinDialog, public plHttp::IPLHttpCallback {
 public:
  enum : int { kVersionId = 1002, kOfferLinkId = 1003, kStatusId = 1004, kSpareId = 1005, kProgressId = 1010 };

  // mode 0: a window of its own with its own skin; 1: the settings dialog's page. request null: the
  // program's request object.
  explicit CDlgCheckUpdate(int mode, plHttp::CPLObject* request = nullptr, CAppModule* appModule = nullptr);
  ~CDlgCheckUpdate() override;

  // Set before the window is made.
  void SetUpdateAnswer(const std::string& answer) { m_strAnswer = answer; }
  void SetStartCheck(bool start) { m_bStartCheck = start; }
  void SetInstallTarget(HWND target) { m_hInstallTarget = target; }

  const CUpdatePageState& State() const { return m_state; }

  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
  BOOL OnInitDialog() override;
  void BuildUI() override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  void Notify(const UINotification& msg) override;

  // IPLHttpCallback: called on the download thread.
  void onProgressCallback(const std::string& speed, const std::string& remaining, const std::string& percent,
                          double total, double done, double uploadTotal, double uploadDone) override;

 private:
  void StartWorker(CCheckUpdateThread::Mode mode);
  void OnCheckDone();
  void OnDownloadDone(int result);
  // Stops what runs (a download is cancelled; a check, which cannot be, finishes on its own without
  // anyone to tell) and gives the request object its previous listener back.
  void StopWork();
  void JoinWorker();
  void ApplyView();
  void HandOver();

  int m_nMode;
  plHttp::CPLObject* m_request;
  plHttp::IPLHttpCallback* m_pPreviousListener = nullptr;
  bool m_bListening = false;
  std::string m_strAnswer;
  bool m_bStartCheck = true;
  HWND m_hInstallTarget = nullptr;
  CUpdatePageState m_state;
  std::unique_ptr<CCheckUpdateThread> m_thread;
  CCheckUpdateThread::Mode m_threadMode = CCheckUpdateThread::kCheck;
  std::atomic<HWND> m_hProgressTarget{nullptr};
  std::atomic<long long> m_announcedTotal{0};
  CUIProgressBar* m_pProgress = nullptr;
  CUILabel* m_pSpare = nullptr;
};

}  // namespace vorlix
