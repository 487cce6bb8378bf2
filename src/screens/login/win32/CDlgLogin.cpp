#include "screens/login/win32/CDlgLogin.h"

#include "base/Clock.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "net/Reports.h"
#include "screens/login/LoginAnswer.h"
#include "screens/login/LoginLogText.h"
#include "shell/Log.h"
#include "shell/WindowMessages.h"

namespace vorlix {

namespace {

// Sent by the screen to itself after an answer, when the answering worker has had time to end.
constexpr UINT kMsgReleaseWorkers = WM_APP + 20;
constexpr UINT_PTR kReleaseRetryTimer = 1015;
constexpr UINT kReleaseRetryMs = 20;

constexpr int kDragStripHeight = 30;
constexpr int kDragStripRightGap = 50;

void LogLine(int line, const std::string& text) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "DlgLogin", line) << text << '\n');
}

}  // namespace

CDlgLogin::CDlgLogin() : CSkinDialog(kTemplateId) {}

CDlgLogin::~CDlgLogin() {
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
  JoinWorkers();
}

BOOL CDlgLogin::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(m_hWnd, SW_SHOW);
  SetSkinImages(411, 411, 411, 411, m_hResourceModule);
  CenterOnOwner();
  SetRoundCorners(5);
  BuildUI();
  // The focus is placed by hand: the system would give it to the first tab stop only when told.
  return FALSE;
}

void CDlgLogin::BuildUI() {
  RECT client = {};
  GetClientRect(m_hWnd, &client);
  const int w = client.right;
  GetRoot()->SetPos(0, 0, client.right, client.bottom);

  if (CUIButton* close = AddButton(kIdClose, RECT{w - 26, 10, w - 10, 26})) close->SetImage(1205, m_hResourceModule);

  AddLabel(0, RECT{37, 45, 140, 70}, L"<c #00ffdd><b>手机登录</b></c>");

  if (CUIComboBox* country = AddCombo(kIdCountry, RECT{37, 82, 93, 107})) {
    country->SetImage(1203, m_hResourceModule);
    country->AddItem(0, L"<c #7c829c><b>+86</b></c>");
    country->SelectItem(0);
  }

  UINativeEditRecord phone;
  phone.id = kIdPhone;
  phone.rc = RECT{110, 87, 260, 107};
  phone.placeholder = L"请输入手机号";
  if (CUINEdit* edit = AddNativeEdit(phone)) {
    edit->SetBkColor(RGB(0x1a, 0x27, 0x30));
    edit->SetTextColor(RGB(0x7c, 0x82, 0x9c));
    ::SetFocus(edit->GetHWND());
  }

  UINativeEditRecord code;
  code.id = kIdCode;
  code.rc = RECT{37, 130, 177, 150};
  code.placeholder = L"请输入验证码";
  if (CUINEdit* edit = AddNativeEdit(code)) {
    edit->SetBkColor(RGB(0x1a, 0x22, 0x27));
    edit->SetTextColor(RGB(0x7c, 0x82, 0x9c));
  }

  if (CUIButton* getCode = AddButton(kIdGetCode, RECT{198, 124, 269, 150}, CResendCountdown::IdleText())) {
    getCode->SetImage(1223, m_hResourceModule);
    const UIColor grey = UIRgb(0x7c, 0x82, 0x9c);
    getCode->SetTextColors(grey, grey, grey, UIRgb(0x70, 0x7b, 0x8d));
  }

  if (CUIButton* login = AddButton(kIdLogin, RECT{351, 95, 401, 145})) {
    login->SetImage(1224, m_hResourceModule);
    const UIColor white = UIRgb(0xff, 0xff, 0xff);
    login->SetTextColors(white, white, white, UIRgb(0x70, 0x7b, 0x8d));
  }
}

void CDlgLogin::CenterOnOwner() {
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT area = work;
  HWND owner = GetWindow(m_hWnd, GW_OWNER);
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
  RECT rc = {};
  GetWindowRect(m_hWnd, &rc);
  const int cx = rc.right - rc.left;
  const int cy = rc.bottom - rc.top;
  int x = area.left + (area.right - area.left - cx) / 2;
  int y = area.top + (area.bottom - area.top - cy) / 2;
  if (x + cx > work.right) x = work.right - cx;
  if (y + cy > work.bottom) y = work.bottom - cy;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CDlgLogin::OnNcHitTest(LPARAM lParam, bool& bHandled) {
  RECT strip = {};
  GetClientRect(m_hWnd, &strip);
  strip.bottom = strip.top + kDragStripHeight;
  strip.right -= kDragStripRightGap;
  MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&strip), 2);
  POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (!PtInRect(&strip, pt)) return 0;
  LRESULT hit = DefWindowProcW(m_hWnd, WM_NCHITTEST, 0, lParam);
  if (hit != HTCLIENT || (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0) return 0;
  bHandled = true;
  return HTCAPTION;
}

LRESULT CDlgLogin::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  switch (uMsg) {
    case WM_NCHITTEST: {
      LRESULT hit = OnNcHitTest(lParam, bHandled);
      if (bHandled) return hit;
      break;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
        OnUILogin();
        bHandled = true;
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kCountdownTimer) {
        OnCountdownTick();
        bHandled = true;
        return 0;
      }
      if (wParam == kReleaseRetryTimer) {
        KillTimer(m_hWnd, kReleaseRetryTimer);
        ReleaseFinishedWorkers();
        bHandled = true;
        return 0;
      }
      break;
    case WM_LOGIN_RESULT:
      bHandled = true;
      return OnLoginInfo(wParam, lParam);
    case kMsgReleaseWorkers:
      ReleaseFinishedWorkers();
      bHandled = true;
      return 0;
    case WM_SHOWWINDOW:
      bHandled = true;
      return 0;
    default:
      break;
  }
  return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
}

BOOL CDlgLogin::PreTranslateMessage(MSG* msg) {
  if (msg == nullptr || msg->message != WM_SYSKEYDOWN || msg->wParam != VK_RETURN || m_hWnd == nullptr) return FALSE;
  if (msg->hwnd != m_hWnd && !IsChild(m_hWnd, msg->hwnd)) return FALSE;
  OnUILogin();
  return TRUE;
}

void CDlgLogin::Notify(const UINotification& msg) {
  if (msg.Type != UINOTIFY_CLICK || msg.pSender == nullptr) return;
  switch (msg.pSender->GetId()) {
    case kIdClose:
      Close(0);
      break;
    case kIdLogin:
      OnUILogin();
      break;
    case kIdGetCode:
      OnUIGetToken();
      break;
    default:
      break;
  }
}

void CDlgLogin::SetButtonEnabled(int id, bool enabled) {
  if (CUIControl* button = GetControl(id)) button->SetEnabled(enabled);
}

void CDlgLogin::FocusEdit(int id) {
  if (CUINEdit* edit = FindNativeEdit(id)) ::SetFocus(edit->GetHWND());
}

bool CDlgLogin::StartWorker(std::unique_ptr<CLoginThread> worker) {
  if (worker->GetHandle() == nullptr || !worker->Start()) return false;
  m_pThread = worker.get();
  m_workers.push_back(Worker{std::move(worker), false});
  return true;
}

void CDlgLogin::OnUIGetToken() {
  LogLine(__LINE__, "OnUIGetToken start");
  CUINEdit* phoneEdit = FindNativeEdit(kIdPhone);
  const std::wstring phone = phoneEdit != nullptr ? std::wstring(phoneEdit->GetText().GetData()) : std::wstring();
  if (phone.empty()) {
    LogLine(__LINE__, "OnUIGetToken Error: UserName Is Empty");
    MessageBox(kTextPhoneEmpty, kLoginCaption, kLoginBoxInfo);
    FocusEdit(kIdPhone);
    return;
  }
  // The screen is in its waiting state before the worker runs, so however early the answer comes, it
  // finds the state it undoes.
  SetButtonEnabled(kIdGetCode, false);
  FocusEdit(kIdCode);
  SetTimer(m_hWnd, kCountdownTimer, m_nCountdownPeriodMs, nullptr);
  if (!StartWorker(std::make_unique<CLoginThread>(m_hWnd, phone))) {
    StopCountdown();
    MessageBox(kTextNetworkFailed, kSendCodeFailedCaption, kLoginBoxError);
  }
}

void CDlgLogin::OnCountdownTick() {
  if (m_countdown.Tick()) {
    StopCountdown();
    return;
  }
  if (CUIControl* button = GetControl(kIdGetCode)) button->SetText(m_countdown.GetText().c_str());
}

void CDlgLogin::StopCountdown() {
  KillTimer(m_hWnd, kCountdownTimer);
  m_countdown.Reset();
  if (CUIControl* button = GetControl(kIdGetCode)) {
    button->SetEnabled(true);
    button->SetText(CResendCountdown::IdleText());
  }
}

void CDlgLogin::OnUILogin() {
  LogLine(__LINE__, "OnUILogin start");
  CUINEdit* phoneEdit = FindNativeEdit(kIdPhone);
  CUINEdit* codeEdit = FindNativeEdit(kIdCode);
  if (phoneEdit == nullptr || codeEdit == nullptr) {
    LogLine(__LINE__, "OnUILogin Error: lpEdtUserName == NULL || lpEdtPassword == NULL");
    MessageBox(kTextFieldsMissing, kLoginCaption, kLoginBoxInfo);
    return;
  }
  const std::wstring phone = phoneEdit->GetText().GetData();
  const std::wstring code = codeEdit->GetText().GetData();
  LogLine(__LINE__, "OnUILogin Input UserName:" + WideToAnsi(phone) + " Token:" + WideToAnsi(MaskCredential(code)));
  if (phone.empty()) {
    LogLine(__LINE__, "OnUILogin Error: UserName Is Empty");
    MessageBox(kTextPhoneEmpty, kLoginCaption, kLoginBoxInfo);
    FocusEdit(kIdPhone);
    return;
  }
  if (code.empty()) {
    LogLine(__LINE__, "OnUILogin Error: Password Is Empty");
    MessageBox(kTextCodeEmpty, kLoginCaption, kLoginBoxInfo);
    FocusEdit(kIdCode);
    return;
  }
  SetButtonEnabled(kIdLogin, false);
  m_strPhone = phone;
  m_strCode = code;
  if (!StartWorker(std::make_unique<CLoginThread>(m_hWnd, phone, code, m_strPostId))) {
    SetButtonEnabled(kIdLogin, true);
    MessageBox(kTextNetworkFailed, kLoginFailedCaption, kLoginBoxError);
  }
}

LRESULT CDlgLogin::OnLoginInfo(WPARAM kind, LPARAM answer) {
  const std::string text = answer != 0 ? std::string(reinterpret_cast<const char*>(answer)) : std::string();
  LogLine(__LINE__, "OnLoginInfo Start");
  LogLine(__LINE__, "OnLoginInfo response:" + MaskAnswerForLog(text));
  if (kind != LOGIN_VERIFY_DONE && kind != SEND_CODE_DONE) return 0;
  MarkAnswered(answer);
  // The worker is still inside its send; it is released once it has ended.
  PostMessageW(m_hWnd, kMsgReleaseWorkers, 0, 0);

  const LoginReaction r =
      CLoginAnswer::Decide(kind == LOGIN_VERIFY_DONE ? LoginRequestKind::Login : LoginRequestKind::SendCode, text);
  if (r.bStoreSession) {
    SetUserId(r.userId);
    SetUserToken(r.token);
    SetUserSecret(r.secret);
    SetLoginTime(GetUnixTime32());
    SetUserName(r.nickName);
  }
  if (r.bKeepPostId) m_strPostId = r.postId;
  if (r.bResetCountdown) StopCountdown();
  if (r.bEnableLogin) SetButtonEnabled(kIdLogin, true);
  if (r.message.text != nullptr) MessageBox(r.message.text, r.message.caption, r.message.type);
  if (r.bReportLogin) net::SendEventReport("login");
  if (r.bFinish) Close(1);
  return 0;
}

void CDlgLogin::MarkAnswered(LPARAM answer) {
  for (Worker& w : m_workers)
    if (reinterpret_cast<LPARAM>(w.thread->GetAnswer().c_str()) == answer) w.bAnswered = true;
}

void CDlgLogin::ReleaseFinishedWorkers() {
  bool waiting = false;
  for (auto it = m_workers.begin(); it != m_workers.end();) {
    if (it->bAnswered && it->thread->Join(0)) {
      if (m_pThread == it->thread.get()) m_pThread = nullptr;
      it = m_workers.erase(it);
      continue;
    }
    waiting = waiting || it->bAnswered;
    ++it;
  }
  if (waiting && m_hWnd != nullptr) SetTimer(m_hWnd, kReleaseRetryTimer, kReleaseRetryMs, nullptr);
}

void CDlgLogin::JoinWorkers() {
  for (Worker& w : m_workers) {
    HANDLE h = w.thread->GetHandle();
    if (h == nullptr) continue;
    // A worker may be sending its answer at this moment; taking sent messages keeps it from waiting on us.
    while (MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
  m_workers.clear();
  m_pThread = nullptr;
}

int ShowLoginDialog(HWND owner) {
  CDlgLogin dlg;
  return static_cast<int>(dlg.DoModal(owner));
}

}  // namespace vorlix
