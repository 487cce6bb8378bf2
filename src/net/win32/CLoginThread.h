#pragma once
// The login worker: in code mode it asks the service to text a verification code to the phone number;
// in login mode it verifies number and code, which also gives the request object the new session. The
// answer text goes to the login screen with SendMessageW (WM_LOGIN_RESULT), so the screen reads it while
// the worker waits; a screen that is gone gets nothing. The owner releases the object once its thread
// has ended.
#include <windows.h>

#include <string>

#include "base/win32/CThreadImpl.h"
#include "net/PLObject.h"

namespace vorlix {

class CLoginThread : public CThreadImpl<CLoginThread> {
 public:
  // Code request for the phone number.
  CLoginThread(HWND window, const std::wstring& phone, plHttp::CPLObject* request = nullptr);
  // Login verification; postId is empty when no code was requested in this screen.
  CLoginThread(HWND window, const std::wstring& phone, const std::wstring& code, const std::wstring& postId,
               plHttp::CPLObject* request = nullptr);

  DWORD Run();

  bool IsLoginMode() const { return m_bLogin; }
  // LOGIN_VERIFY_DONE or SEND_CODE_DONE, the wParam the answer goes with.
  WPARAM GetResultKind() const;
  // The answer, NUL-terminated UTF-8 (empty when the request failed); what lParam points at.
  const std::string& GetAnswer() const { return m_strAnswer; }

 private:
  HWND m_hWnd;
  std::wstring m_strPhone;
  std::wstring m_strCode;
  std::wstring m_strPostId;
  bool m_bLogin;
  std::string m_strAnswer;
  plHttp::CPLObject* m_request;
};

}  // namespace vorlix
