#pragma once
// The main controller and its window: a borderless skinned frame titled "Tavro一键回录" that lives in the
// notification area. It translates window messages, notifications, hotkeys and worker reports into the
// session state machine's inputs and the pieces that do the work (recorder control, cut worker, dialogs),
// and their results into control changes. Everything here runs on the main thread; workers post.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "probes/GameDetection.h"
#include "recording/SessionStateMachine.h"
#include "recording/UploadProgress.h"
#include "recording/win32/CShellIcon.h"
#include "screens/main/win32/MainWindowContent.h"
#include "ui/hosts/CSkinFrame.h"

namespace vorlix {

class CCheckUpdateThread;
class CDlgShotTip;
class CRecorderControl;
struct SessionData;

class CMainFrame : public CSkinFrame {
 public:
  static constexpr int kWidth = 552;
  static constexpr int kHeight = 304;
  static constexpr UINT_PTR TIMER_RESTART_OBS = 1045;
  static constexpr int HOTKEY_BEGIN_OR_STOP_SHOT = 300;
  static constexpr int HOTKEY_BACK_SHOT = 301;

  CMainFrame();
  ~CMainFrame() override;

  // Creates the window; creation runs InitMainWnd. False when the window could not be made or the user
  // did not log in.
  bool CreateMainWindow();
  HWND GetHwnd() const { return m_hWnd; }

  void BuildUI() override;
  LRESULT OnCreate() override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void Notify(const UINotification& msg) override;

  // Ends the program: stops the recorder, destroys the window and quits the loop with code 0.
  void ExitClient();

 private:
  bool HandleOwnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int InitMainWnd();
  void OnHotKey(int id);
  void OnTimer(UINT_PTR id);
  void OnMouseMove(LPARAM lParam);
  bool OnHitTest(LPARAM lParam, LRESULT& result);
  void OnGameList();
  void OfferRunningGame();
  void OnUpdateResult(WPARAM kind, LPARAM text);

  // The session: the gate, the record toggle and the worker's reports.
  void StartStopGate();
  void OperateRecorder(bool bUpload);
  void ThirtySecond();
  void ApplySessionAction(SessionAction action, bool bUpload);
  void ShowRecordingState(bool recording);
  void OnCutBegin(int clips);
  void OnCutFinished(int uploaded, int kept);
  void OnProgerssMsg(int clipPercent);
  void OnUploadQueue(int waiting, int percent);

  void CloseHandling();
  void OnUserLogout();
  void onCancelUpload();
  void onClickedBtnSetting();
  void OnStartInstall();
  void MinimizeToTray() { m_tray.MinimizeToTray(); }
  void OpenShell(const wchar_t* verb, const std::wstring& target, const wchar_t* directory, int show);

  // The recorder and the cut worker.
  void CreateSessionParts();
  void SetRecorderCompatibilityForUs();
  bool RecorderStart(std::wstring* userMessage);
  void RecorderStop(bool bUpload, SessionData* handOver);
  void RecorderRestart();
  void RecorderMark(bool recording);
  void StartCutWorker(SessionData&& data);
  void StartQueuedUploads();
  void TellQueueRecording(bool recording);

  // The screens this window shows modally, each owned by the active window.
  int RunLoginDialog();
  void RunSettingDialog();
  int RunQuitConfirm();
  void ShowClipTip();
  void OpenCloudPage();

  int Confirm(const wchar_t* text, const wchar_t* caption = L"");
  void Notice(const wchar_t* text, const wchar_t* caption = L"");
  void RegisterHotkeys(std::wstring& recordText, std::wstring& replayText);
  void RefreshGameChoices();

  MainWindowControls m_c;
  CShellIcon m_tray;
  CSessionStateMachine m_session;
  CGameChoices m_gameChoices;
  GameList m_gameList;
  std::unique_ptr<CRecorderControl> m_recorder;
  std::unique_ptr<CDlgShotTip> m_clipTip;
  CCutProgress m_progress;
  std::shared_ptr<std::atomic<bool>> m_cancel;
  CCheckUpdateThread* m_pUpdateThread = nullptr;
  std::wstring m_strRecordHotkey;
  std::wstring m_strReplayHotkey;
  std::string m_strUpdateResponse;
  std::string m_strGameListResponse;
  bool m_bCreateFailed = false;
  bool m_bQueueStatusShown = false;
};

}  // namespace vorlix
