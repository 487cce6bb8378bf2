#pragma once
// The login screen: phone number, "获取" for a text-message code with its 60-second resend countdown,
// the code, and the round login button. It ends with 1 once the service has accepted number and code
// and the session is stored, and with 0 through its close button.
//
// Its requests run on CLoginThread workers. Every worker the screen starts is kept until its thread has
// ended after handing over its answer; the screen waits for the ones still running when it goes, so no
// worker outlives it.
#include <memory>
#include <string>
#include <vector>

#include "net/win32/CLoginThread.h"
#include "screens/login/ResendCountdown.h"
#include "ui/hosts/CSkinDialog.h"

namespace vorlix {

class CDlgLogin : public CSkinDialog {
 public:
  static constexpr UINT kTemplateId = 206;
  static constexpr int kWidth = 459;
  static constexpr int kHeight = 246;

  static constexpr int kIdClose = 1000;
  static constexpr int kIdLogin = 1001;
  static constexpr int kIdCountry = 1007;
  static constexpr int kIdGetCode = 1009;
  static constexpr int kIdPhone = 1012;
  static constexpr int kIdCode = 1013;

  static constexpr UINT_PTR kCountdownTimer = 1014;
  static constexpr UINT kCountdownPeriodMs = 1000;

  CDlgLogin();
  ~CDlgLogin() override;

  BOOL OnInitDialog() override;
  void BuildUI() override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void Notify(const UINotification& msg) override;

  void OnUIGetToken();
  void OnUILogin();
  LRESULT OnLoginInfo(WPARAM kind, LPARAM answer);
  void OnCountdownTick();

  int GetCountdown() const { return m_countdown.GetValue(); }
  const std::wstring& GetPostId() const { return m_strPostId; }
  // Workers started and not yet released.
  size_t GetWorkerCount() const { return m_workers.size(); }

  // Tests only: a shorter countdown tick, so the whole wait runs in a moment. Set before the window.
  void SetCountdownPeriodForTests(UINT ms) { m_nCountdownPeriodMs = ms; }

 private:
  struct Worker {
    std::unique_ptr<CLoginThread> thread;
    bool bAnswered = false;
  };

  // Starts the worker and keeps it as the running one; false when its thread could not be made.
  bool StartWorker(std::unique_ptr<CLoginThread> worker);
  void MarkAnswered(LPARAM answer);
  // Releases every worker that has answered and whose thread has ended.
  void ReleaseFinishedWorkers();
  // Waits for every worker, answering what they send meanwhile (the window is gone by then).
  void JoinWorkers();
  void StopCountdown();
  void CenterOnOwner();
  LRESULT OnNcHitTest(LPARAM lParam, bool& bHandled);
  void SetButtonEnabled(int id, bool enabled);
  void FocusEdit(int id);

  std::vector<Worker> m_workers;
  CLoginThread* m_pThread = nullptr;  // the most recent worker
  std::wstring m_strPhone;
  std::wstring m_strCode;
  std::wstring m_strPostId;
  CResendCountdown m_countdown;
  UINT m_nCountdownPeriodMs = kCountdownPeriodMs;
};

// Shows the login screen modally over owner (null: no owner, centred on the work area) and returns its
// result: 1 when the user logged in, 0 when closed with its close button, another value when closed
// otherwise (2 for the system's close command, -1 when the window could not be made).
int ShowLoginDialog(HWND owner);

}  // namespace vorlix
