#include "recording/win32/CMainFrame.h"

#include <shellapi.h>

#include <cstdio>
#include <ctime>
#include <thread>

#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "net/Endpoints.h"
#include "net/PLObject.h"
#include "net/Reports.h"
#include "net/update/win32/CCheckUpdateThread.h"
#include "probes/win32/HotkeyRegistrar.h"
#include "recording/CloseHandling.h"
#include "recording/RecordSegment.h"
#include "recording/TrayArea.h"
#include "recording/UploadQueueResume.h"
#include "recording/win32/CRecorderControl.h"
#include "screens/dialogs/win32/CDlgShotTip.h"
#include "screens/main/MainHover.h"
#include "screens/main/MainWindowIds.h"
#include "base/TextConv.h"
#include "shell/Log.h"
#include "shell/RecorderStop.h"
#include "shell/WindowMessages.h"
#include "shell/win32/MainWindowHandle.h"
#include "ui/hosts/DlgMessgeBox.h"
#include "ui/hosts/UIMessageBoxStyle.h"

namespace vorlix {
namespace {

constexpr wchar_t kTitle[] = L"Tavro一键回录";
constexpr wchar_t kTrayCaption[] = L"Vorlix 一键回录";
constexpr int kIconId = 128;
constexpr unsigned kMsgBoxTemplate = 203;
constexpr wchar_t kBusyStatus[] = L"<c #1c998d><b>视频处理中，正在保存至本地，上传至云空间......</b></c>";

void Log(const char* text) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", __LINE__) << text << '\n');
}

int32_t Now() { return static_cast<int32_t>(std::time(nullptr)); }

void SetText(CUIControl* control, const std::wstring& text) {
  if (control != nullptr) control->SetText(text.c_str());
}
void Show(CUIControl* control, bool shown) {
  if (control != nullptr) control->SetVisible(shown);
}
void Enable(CUIControl* control, bool enabled) {
  if (control != nullptr) control->SetEnabled(enabled);
}

// The look every skinned message box of the program shares, set once before the first one shows.
void ApplyMessageBoxStyle() {
  SetMessageBoxCloseOffset(10, 10);
  SetMessageBoxButtonSize(86, 30);
  SetMessageBoxTitleHeight(30);
  SetMessageBoxCornerSize(1);
  SetMessageBoxMargin(25);
  SetMessageBoxTitlePos(22, 12);
  SetMessageBoxTitleColor(0xFFFFFF);
  SetMessageBoxTextColor(0xFFFFFF);
  SetMessageBoxTitleTextStyle(0);
  SetMessageBoxTemplate(kMsgBoxTemplate);
  SetMessageBoxResourceModule(GetModuleHandleW(nullptr));
  SetMessageBoxAppModule(&Module());
}

}  // namespace

CMainFrame::CMainFrame() : m_cancel(std::make_shared<std::atomic<bool>>(false)) {}

CMainFrame::~CMainFrame() {
  m_tray.RemoveIcon();
  if (m_pUpdateThread != nullptr) {
    // A check still waiting on the network would write into a deleted object; let it end first, and
    // leave it to the process end when it does not.
    if (m_pUpdateThread->Join(3000)) delete m_pUpdateThread;
    m_pUpdateThread = nullptr;
  }
  if (GetMainWindowHandle() == m_hWnd) SetMainWindowHandle(nullptr);
}

bool CMainFrame::CreateMainWindow() {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + (work.right - work.left - kWidth) / 2;
  int y = work.top + (work.bottom - work.top - kHeight) / 2;
  HWND hwnd = Create(nullptr, kTitle, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, x, y, kWidth, kHeight);
  return hwnd != nullptr && !m_bCreateFailed;
}

LRESULT CMainFrame::OnCreate() { return InitMainWnd(); }

int CMainFrame::InitMainWnd() {
  // 1: root, manager, listener and message filter; the content (step 7) is built from there.
  CSkinFrame::OnCreate();
  CreateSessionParts();
  // The remaining steps of the start-up.
  std::thread([] { net::SendEventReport("start"); }).join();
  std::thread([this] {
    if (plHttp::GetPLObject().GetGameList(m_strGameListResponse) == 1) PostMessageW(m_hWnd, WM_GAME_LIST, 0, 0);
  }).join();

  if (IsSessionExpired(GetLoginTime(), Now())) {
    if (RunLoginDialog() != 1) {
      m_bCreateFailed = true;
      ExitClient();
      return -1;
    }
  }
  SetText(m_c.userName, L"<b>" + GetUserName() + L"</b>");

  m_pUpdateThread = new CCheckUpdateThread(m_hWnd, CCheckUpdateThread::kCheck);
  m_pUpdateThread->Start();

  SetCanvasWidth(GetSystemMetrics(SM_CXSCREEN));
  SetCanvasHeight(GetSystemMetrics(SM_CYSCREEN));
  SetRecorderCompatibilityForUs();
  StartLog();
  // Clips left over from an earlier run (a failed upload, a quit, a crash) are sent from here on.
  StartQueuedUploads();
  SetWindowTextW(m_hWnd, kTitle);
  SetGameTitle(L"");
  // A login dialog above ran the message loop, so the game list may have been handled already and its
  // running game chosen; the title just cleared would leave the drop-down without it.
  if (!m_gameList.empty()) OfferRunningGame();
  net::StartDeviceReport([](int, const std::string& answer) {
    if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", __LINE__) << "RecordDeviceInfo result:" << answer << '\n');
  });
  return 0;
}

void CMainFrame::BuildUI() {
  // 2-6 of the start-up: handle, size, icons, tray, chrome and the toolkit's shared look.
  SetMainWindowHandle(m_hWnd);
  SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  m_tray.AddIcon(m_hWnd, LoadIconW(instance, MAKEINTRESOURCEW(kIconId)), kTrayCaption);

  SetSkinImages(kImgMainBackground, kImgMainBackground, kImgMainBackground, kImgMainBackground);
  SetDialogBackgroundImage(404);
  SetMsgBoxCloseImage(1207);
  SetMsgBoxButtonImage(402);
  SetRadioImage(1209);
  SetCheckBoxImage(1208);
  SetScrollBarImage(1239);
  SetRoundCorners(3);
  SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_MINIMIZEBOX);
  ApplyMessageBoxStyle();

  // 7: the content, which registers the hotkeys and fills the drop-down on the way.
  MainWindowBuildSteps steps;
  steps.registerHotkeys = [this](std::wstring& record, std::wstring& replay) { RegisterHotkeys(record, replay); };
  steps.fillGameChoices = [this] { RefreshGameChoices(); };
  steps.chatGroupNumber = Utf8ToWide(net::GetChatGroupNumber());
  BuildMainWindowContent(*this, steps, m_c);
}

void CMainFrame::RegisterHotkeys(std::wstring& recordText, std::wstring& replayText) {
  recordText = RegisterSlotHotkey(m_hWnd, HotkeySlot::StartStop);
  replayText = RegisterSlotHotkey(m_hWnd, HotkeySlot::Replay);
  m_strRecordHotkey = recordText;
  m_strReplayHotkey = replayText;
}

void CMainFrame::RefreshGameChoices() {
  CGameChoiceView view(m_c);
  m_gameChoices.RefreshGameChoices(view, SystemWindows());
}

LRESULT CMainFrame::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  // The frame's own messages first, then the tray's, then the window's table.
  switch (uMsg) {
    case WM_CREATE:
    case WM_DESTROY:
    case kMsgLayerUpdate:
    case WM_ENABLE:
      return CSkinFrame::HandleMessage(uMsg, wParam, lParam);
    default:
      break;
  }
  if (uMsg == WM_TIMER && wParam == kLayerRetryTimer) return CSkinFrame::HandleMessage(uMsg, wParam, lParam);
  if (m_tray.HandleTrayMessage(uMsg, wParam, lParam, result)) return result;
  if (HandleOwnMessage(uMsg, wParam, lParam, result)) return result;
  return CSkinFrame::HandleMessage(uMsg, wParam, lParam);
}

bool CMainFrame::HandleOwnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (uMsg) {
    case WM_CUT_FINISHED:
      OnCutFinished(static_cast<int>(wParam), static_cast<int>(lParam));
      return true;
    case WM_CUT_BEGIN:
      OnCutBegin(static_cast<int>(wParam));
      return true;
    case WM_CUT_CLIP_INDEX:
      m_progress.OnClipIndex(static_cast<int>(wParam), static_cast<int>(lParam));
      return true;
    case WM_UPLOAD_QUEUE:
      OnUploadQueue(static_cast<int>(wParam), static_cast<int>(lParam));
      return true;
    case WM_CLIP_SAVED:
      ShowClipTip();
      return true;
    case WM_CHECK_UPDATE_RESULT:
      OnUpdateResult(wParam, lParam);
      return true;
    case WM_START_INSTALL:
      OnStartInstall();
      return true;
    case WM_UPLOAD_PROGRESS:
      OnProgerssMsg(static_cast<int>(wParam));
      return true;
    case WM_GAME_LIST:
      OnGameList();
      return true;
    case WM_SHOW_MAIN_WINDOW:
      ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
      SetForegroundWindow(m_hWnd);
      return true;
    case WM_HOTKEY:
      OnHotKey(static_cast<int>(wParam));
      return true;
    case WM_TIMER:
      OnTimer(wParam);
      return false;  // then the default processing
    case WM_COMMAND:
      if (LOWORD(wParam) == 2100) {
        ::ShowWindow(m_hWnd, IsWindowVisible(m_hWnd) ? SW_HIDE : SW_SHOW);
        return true;
      }
      if (LOWORD(wParam) == 2101) {
        ExitClient();
        return true;
      }
      return false;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) PostQuitMessage(0);
      if ((wParam & 0xFFF0) == SC_RESTORE) SetForegroundWindow(m_hWnd);
      return false;
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      return false;  // the controls hot-track too
    case WM_NCHITTEST:
      return OnHitTest(lParam, result);
    case WM_MOUSELEAVE:
      CSkinFrame::HandleMessage(uMsg, wParam, lParam);
      result = 0;
      return true;
    default:
      return false;
  }
}

void CMainFrame::Notify(const UINotification& msg) {
  if (msg.pSender == nullptr) return;
  int id = msg.pSender->GetId();
  if (msg.Type == UINOTIFY_CLICK) {
    switch (id) {
      case kIdMinimizeButton:
        MinimizeToTray();
        break;
      case kIdCloseButton:
        CloseHandling();
        break;
      case kIdUserIcon:
        Log("ID_BTN_USRE_ICON OnUserLogout");
        break;
      case kIdSettingsButton:
        onClickedBtnSetting();
        break;
      case kIdRefreshButton:
        RefreshGameChoices();
        break;
      case kIdStartButton:
        StartStopGate();
        break;
      case kIdRecordButton:
        Log("ID_BTN_RECORD OperateRecorder");
        ApplySessionAction(m_session.OnRecordButton(), true);
        break;
      case kIdReplayButton:
        Log("ID_BTN_BACK ThirtySecond");
        ThirtySecond();
        break;
      case kIdCancelButton:
        Log("ID_BTN_CANCEL_UPLOAD onCancelUpload");
        onCancelUpload();
        break;
      default:
        break;
    }
  } else if (msg.Type == UINOTIFY_LINK) {
    switch (id) {
      case kIdUserPanel:
        Log("ID_LAB_LOGOUT OnUserLogout");
        OnUserLogout();
        break;
      case kIdLogoutLink:
        Log("ID_LAB_LOGOUT_EXIT OnUserLogout");
        OnUserLogout();
        break;
      case kIdCloudLink:
        Log("ID_LAB_CLOUD OnOpenCloud");
        OpenCloudPage();
        break;
      case kIdVideoFolderLink:
        Log("ID_LAB_VIDEO_LOCATION ShellExecute");
        OpenShell(L"explore", GetVideoSavePath(), nullptr, SW_SHOWNORMAL);
        break;
      case kIdGuideLink: {
        Log("ID_LAB_COURSE ShellExecute");
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        OpenShell(L"open", Utf8ToWide(net::GetUsageGuideUrl()), windows, SW_SHOW);
        break;
      }
      case kIdChatGroupLink:
        Log("ID_LAB_QQ ShellExecute");
        OpenShell(L"open", Utf8ToWide(net::GetChatGroupUrl()), nullptr, SW_SHOWNORMAL);
        break;
      default:
        break;
    }
  } else if (msg.Type == UINOTIFY_SELECTCHANGED && id == kIdGameCombo && m_c.games != nullptr) {
    CGameChoiceView view(m_c);
    m_gameChoices.OnGameChoiceChanged(m_c.games->GetCurSel(), view);
  }
}

void CMainFrame::OpenShell(const wchar_t* verb, const std::wstring& target, const wchar_t* directory, int show) {
  // A failing open (no browser, no folder) is not the user's business here.
  ShellExecuteW(m_hWnd, verb, target.c_str(), nullptr, directory, show);
}

void CMainFrame::OnHotKey(int id) {
  if (id == HOTKEY_BEGIN_OR_STOP_SHOT) {
    Log("OnHotKey HOTKEY_BEGIN_OR_STOP_SHOT");
    StartStopGate();
  } else if (id == HOTKEY_BACK_SHOT) {
    Log("OnHotKey HOTKEY_BACK_SHOT");
    ThirtySecond();
  }
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id != TIMER_RESTART_OBS) return;
  Log("Timer RestartObs");
  if (m_session.IsRecording()) RecorderRestart();
}

void CMainFrame::OnMouseMove(LPARAM lParam) {
  UIPoint pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  // Disabled controls count: the replay button shows its tip before a session enables it.
  CUIControl* control = GetRoot() == nullptr ? nullptr
                                             : GetRoot()->FindControl([](CUIControl* c, void*) { return c; }, &pt,
                                                                      UIFIND_VISIBLE | UIFIND_HITTEST);
  bool panelShown = m_c.userPanel != nullptr && m_c.userPanel->IsVisible();
  HoverDecision d = DecideHover(control != nullptr, control != nullptr && control->IsVisible(),
                                control != nullptr ? control->GetId() : 0, panelShown);
  if (!d.handled) return;
  if (d.showUserPanel || d.hideUserPanel) {
    Show(m_c.userPanel, d.showUserPanel);
    Show(m_c.userName, d.showUserPanel);
    Show(m_c.logout, d.showUserPanel);
  }
  if (d.tip == HoverTip::None) {
    Show(m_c.tipBackground, false);
    Show(m_c.tipText, false);
    return;
  }
  const HoverTipLayout& tip = TipLayout(d.tip);
  if (m_c.tipBackground != nullptr) {
    m_c.tipBackground->SetPos(tip.background.left, tip.background.top, tip.background.right, tip.background.bottom);
  }
  if (m_c.tipText != nullptr) {
    m_c.tipText->SetPos(tip.textRect.left, tip.textRect.top, tip.textRect.right, tip.textRect.bottom);
    m_c.tipText->SetText(tip.text);
  }
  Show(m_c.tipBackground, true);
  Show(m_c.tipText, true);
}

bool CMainFrame::OnHitTest(LPARAM lParam, LRESULT& result) {
  POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(m_hWnd, &pt);
  if (!InDragStrip(pt.x, pt.y)) return false;
  result = DefWindowProcW(m_hWnd, WM_NCHITTEST, 0, lParam);
  if (result == HTCLIENT && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) result = HTCAPTION;
  return true;
}

void CMainFrame::OnGameList() {
  // The worker filled the field and ended before posting; the text is read on a copy.
  std::string text = m_strGameListResponse;
  ParseGameList(text, m_gameList);
  OfferRunningGame();
}

void CMainFrame::OfferRunningGame() {
  // A listed game that already runs is offered at once, as the user would pick it.
  if (GetGameTitle().empty() && !m_session.IsRecording()) {
    std::wstring running = FindRunningGame(m_gameList, SystemWindows());
    if (!running.empty()) {
      SetGameTitle(running);
      RefreshGameChoices();
    }
  }
}

void CMainFrame::OnUpdateResult(WPARAM kind, LPARAM text) {
  if (kind == UPDATE_CHECK_DONE && text != 0) m_strUpdateResponse = reinterpret_cast<const char*>(text);
  if (kind == UPDATE_CHECK_DONE || kind == UPDATE_DOWNLOAD_DONE) {
    if (m_pUpdateThread != nullptr) {
      // It posted as its last act; wait for its return before the object goes.
      m_pUpdateThread->Join(3000);
      delete m_pUpdateThread;
      m_pUpdateThread = nullptr;
    }
  }
}

void CMainFrame::StartStopGate() {
  bool chosen = EnsureGameChosen(m_gameList, SystemWindows());
  SessionAction action = m_session.OnStartStopGate(chosen);
  if (action == SessionAction::StartRecording) ShowGamePanel(m_c, false);
  ApplySessionAction(action, true);
}

void CMainFrame::ApplySessionAction(SessionAction action, bool bUpload) {
  switch (action) {
    case SessionAction::RefuseNoGame:
      Notice(L"当前未选中游戏，请选择游戏后再录制");
      break;
    case SessionAction::RefuseBusy:
      Notice(L"上次录制的视频还在处理中，请处理完成后再开始新的录制");
      break;
    case SessionAction::StartRecording:
    case SessionAction::StopWithClips:
      OperateRecorder(bUpload);
      break;
    case SessionAction::StopWithoutClips:
      OperateRecorder(false);
      break;
    case SessionAction::None:
      break;
  }
}

void CMainFrame::OperateRecorder(bool bUpload) {
  if (m_session.IsRecording()) {
    Log("OperateRecorder StopRecord");
    SessionData data;
    RecorderStop(bUpload, bUpload ? &data : nullptr);
    TellQueueRecording(false);
    if (bUpload) {
      m_session.OnStoppedWithClips();
      // Each worker gets a flag of its own: clearing a shared one would revive a cancelled worker.
      m_cancel = std::make_shared<std::atomic<bool>>(false);
      StartCutWorker(std::move(data));
    } else {
      m_session.OnStoppedWithoutClips();
    }
  } else {
    Log("OperateRecorder StartRecord");
    std::wstring message;
    if (!RecorderStart(&message)) {
      m_session.OnRecordingStartFailed();
      // Nothing records: the panel comes back where it was, and the user hears why.
      if (m_session.State() == SessionState::Choosing) ShowGamePanel(m_c, true);
      Notice(message.empty() ? L"录制程序启动失败，请重新安装后再试" : message.c_str());
      return;
    }
    m_session.OnRecordingStarted();
    TellQueueRecording(true);
  }
  SetText(m_c.status, L"");
  ShowRecordingState(m_session.IsRecording());
}

void CMainFrame::ShowRecordingState(bool recording) {
  if (m_c.record != nullptr) m_c.record->SetImage(recording ? kImgRecordBusy : kImgRecordIdle);
  SetText(m_c.recordCaption, RecordCaptionText(recording));
  Enable(m_c.replay, recording);
  Enable(m_c.settings, !recording);
}

void CMainFrame::ThirtySecond() {
  // The recorder control logs and ignores a mark outside a session itself.
  RecorderMark(m_session.OnReplay());
}

void CMainFrame::OnCutBegin(int clips) {
  m_session.OnCutBegin(clips);
  if (m_c.progress != nullptr) m_c.progress->SetValue(0);
  if (clips <= 0) {
    Show(m_c.cancel, false);
    Show(m_c.progress, false);
    if (!m_session.IsRecording()) ShowGamePanel(m_c, true);
    return;
  }
  m_progress.OnCutBegin(clips);
  Enable(m_c.record, false);
  SetText(m_c.status, kBusyStatus);
  Show(m_c.cancel, true);
  Show(m_c.progress, true);
  ShowGamePanel(m_c, false);
}

void CMainFrame::OnProgerssMsg(int clipPercent) {
  int value = m_progress.OnProgerssMsg(clipPercent);
  // After a cancel the bar is hidden at 0 and stays there for the clip the worker still finishes.
  if (m_c.progress == nullptr || value < 0 || m_cancel->load()) return;
  m_c.progress->SetValue(value);
}

void CMainFrame::OnUploadQueue(int waiting, int percent) {
  const std::wstring text = WaitingUploadsText(waiting, percent);
  m_tray.SetTip(text);
  // The status line belongs to the session's own clips while they are made.
  if (m_session.IsWorkerBusy() || m_session.IsRecording()) return;
  if (!text.empty() || m_bQueueStatusShown) SetText(m_c.status, text.empty() ? L"" : L"<c #9abecc>" + text + L"</c>");
  m_bQueueStatusShown = !text.empty();
}

void CMainFrame::OnCutFinished(int uploaded, int kept) {
  bool cancelled = m_cancel->load();
  // The prompt's text is drawn, not readable from outside; this line tells which one the user got.
  Log(("OnCutFinished uploaded:" + std::to_string(uploaded) + " kept:" + std::to_string(kept) +
       (cancelled ? " cancelled" : ""))
          .c_str());
  m_session.OnCutFinished();
  m_progress.OnCutFinished();
  Show(m_c.cancel, false);
  Show(m_c.progress, false);
  if (!m_session.IsRecording()) ShowGamePanel(m_c, true);
  Enable(m_c.record, true);
  SetText(m_c.status, L"");
  std::wstring text;
  if (kept > 0) {
    wchar_t buf[160];
    swprintf(buf, sizeof buf / sizeof(wchar_t), L"已上传 %d 个视频，%d 个视频上传失败，已保存在录制文件夹。前往云空间查看？",
             uploaded, kept);
    text = buf;
  } else if (uploaded > 0 || !cancelled) {
    text = L"上传成功，前往云空间查看";
  }
  if (text.empty()) return;
  if (Confirm(text.c_str()) == IDOK) OpenCloudPage();
}

void CMainFrame::CloseHandling() {
  bool processing = m_c.progress != nullptr && m_c.progress->IsVisible();
  CloseStep step = DecideClose(processing, GetConfirmQuit() != 0, GetMinimizeOnClose() != 0);
  if (step == CloseStep::AskAbortProcessing) {
    if (Confirm(L"正在生成视频，确定退出软件？") != IDOK) return;
    step = DecideCloseAfterProcessingAsked(GetConfirmQuit() != 0, GetMinimizeOnClose() != 0);
  }
  if (step == CloseStep::ShowQuitConfirm) step = QuitConfirmStep(RunQuitConfirm());
  if (step == CloseStep::MinimizeToTray) MinimizeToTray();
  if (step == CloseStep::Exit) ExitClient();
}

void CMainFrame::ExitClient() {
  Log("Exit Client");
  TerminateRecorderProcess();
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
  PostQuitMessage(0);
}

void CMainFrame::OnUserLogout() {
  Log("OnUserLogout");
  const wchar_t* text = m_session.IsRecording() ? L"确定放弃本次录制内容并退出登录？" : L"确认登出？";
  if (Confirm(text, L"提示") != IDOK) return;
  if (m_session.OnLogoutConfirmed() == SessionAction::StopWithoutClips) OperateRecorder(false);
  if (RunLoginDialog() != 1) {
    ExitClient();
    return;
  }
  SetText(m_c.userName, L"<b>" + GetUserName() + L"</b>");
}

void CMainFrame::onCancelUpload() {
  if (Confirm(L"取消将丢失本次录制未上传的视频。") != IDOK) return;
  if (m_c.progress != nullptr) m_c.progress->SetValue(0);
  Enable(m_c.record, true);
  SetText(m_c.status, L"");
  m_cancel->store(true);
  Show(m_c.cancel, false);
  Show(m_c.progress, false);
  m_session.OnCancelConfirmed();
  if (!m_session.IsRecording()) ShowGamePanel(m_c, true);
}

void CMainFrame::onClickedBtnSetting() {
  Log("onClickedBtnSetting");
  RunSettingDialog();
  std::wstring record = RegisterSlotHotkey(m_hWnd, HotkeySlot::StartStop);
  m_strRecordHotkey = record;
  if (!m_session.IsRecording()) {
    SetText(m_c.recordHotkey, HotkeyLabelText(record));
    SetText(m_c.startHotkey, StartHotkeyLabelText(record));
  }
  m_strReplayHotkey = RegisterSlotHotkey(m_hWnd, HotkeySlot::Replay);
  SetText(m_c.replayHotkey, HotkeyLabelText(m_strReplayHotkey));
}

void CMainFrame::OnStartInstall() {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", __LINE__) << "OnStartInstall start temp`install.exe" << '\n');
  std::wstring installer = GetAppDirectory() + L"temp\\install.exe";
  ShellExecuteW(m_hWnd, L"open", installer.c_str(), nullptr, nullptr, SW_SHOW);
  ExitClient();
}

int CMainFrame::Confirm(const wchar_t* text, const wchar_t* caption) {
  return SkinMessageBox(GetActiveWindow() != nullptr ? GetActiveWindow() : m_hWnd, text, caption, MB_OKCANCEL);
}

void CMainFrame::Notice(const wchar_t* text, const wchar_t* caption) {
  SkinMessageBox(GetActiveWindow() != nullptr ? GetActiveWindow() : m_hWnd, text, caption, MB_OK);
}

}  // namespace vorlix
