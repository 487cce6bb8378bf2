#pragma once
// What the login screen does with an answer of its worker: the login verification or the code request.
// The screen applies the reaction; the rules live here so they run without a window.
#include <string>

#include "screens/login/LoginTexts.h"

namespace vorlix {

enum class LoginRequestKind { Login, SendCode };

struct LoginReaction {
  // Login accepted: the session keys to write, in the settings store's own form.
  bool bStoreSession = false;
  std::wstring userId;
  std::wstring token;
  std::wstring secret;
  // Written together with the session; empty when the answer's "member" cannot be read, so the name
  // of an earlier user never stays beside a new session.
  std::wstring nickName;
  bool bReportLogin = false;
  bool bFinish = false;  // close the screen with result 1

  bool bEnableLogin = false;
  // The code request is over: get-code button enabled, countdown back to its start, timer stopped.
  bool bResetCountdown = false;
  bool bKeepPostId = false;
  std::wstring postId;

  LoginMessage message;
};

class CLoginAnswer {
 public:
  // answer: the UTF-8 body the worker received; empty when the request failed on the way.
  static LoginReaction Decide(LoginRequestKind kind, const std::string& answer);
};

}  // namespace vorlix
