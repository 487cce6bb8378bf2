#include "net/win32/CLoginThread.h"

#include "base/TextConv.h"
#include "shell/WindowMessages.h"

namespace vorlix {

CLoginThread::CLoginThread(HWND window, const std::wstring& phone, plHttp::CPLObject* request)
    : m_hWnd(window), m_strPhone(phone), m_bLogin(false), m_request(request) {}

CLoginThread::CLoginThread(HWND window, const std::wstring& phone, const std::wstring& code,
                           const std::wstring& postId, plHttp::CPLObject* request)
    : m_hWnd(window), m_strPhone(phone), m_strCode(code), m_strPostId(postId), m_bLogin(true), m_request(request) {}

WPARAM CLoginThread::GetResultKind() const { return m_bLogin ? LOGIN_VERIFY_DONE : SEND_CODE_DONE; }

DWORD CLoginThread::Run() {
  plHttp::CPLObject& request = m_request != nullptr ? *m_request : plHttp::GetPLObject();
  const std::string phone = WideToAnsi(m_strPhone);
  if (m_bLogin)
    request.LoginVerification(phone, WideToAnsi(m_strCode), WideToAnsi(m_strPostId), m_strAnswer);
  else
    request.SendVerifyCode(phone, "1", 0, m_strAnswer);
  if (IsWindow(m_hWnd))
    SendMessageW(m_hWnd, WM_LOGIN_RESULT, GetResultKind(), reinterpret_cast<LPARAM>(m_strAnswer.c_str()));
  return 0;
}

}  // namespace vorlix
