#include "screens/login/LoginAnswer.h"

#include <json/json.h>

#include <memory>

#include "base/TextConv.h"

namespace vorlix {

namespace {

constexpr int kServiceOk = 200;

bool ParseObject(const std::string& text, Json::Value& root) {
  if (text.empty()) return false;
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  std::string errors;
  return reader->parse(text.data(), text.data() + text.size(), &root, &errors) && root.isObject();
}

// Ids come as text from the service; a number is taken at its decimal value rather than dropped.
std::string MemberText(const Json::Value& object, const char* name) {
  if (!object.isObject()) return std::string();
  const Json::Value& v = object[name];
  if (v.isString()) return v.asString();
  if (v.isIntegral()) return v.asString();
  return std::string();
}

LoginReaction DecideLogin(int code, const Json::Value& data) {
  LoginReaction r;
  r.bEnableLogin = true;
  const std::string token = MemberText(data, "loginToken");
  // A success without a token would be a session nothing can use: the user is told to try again.
  if (code != kServiceOk || token.empty()) {
    r.message = {kTextLoginRefused, kLoginFailedCaption, kLoginBoxError};
    return r;
  }
  r.bStoreSession = true;
  r.token = Utf8ToWide(token);
  r.secret = Utf8ToWide(MemberText(data, "signSecret"));
  r.userId = Utf8ToWide(MemberText(data, "userId"));
  // The session is already held by the request object: an unreadable profile must not undo the login.
  Json::Value member;
  if (ParseObject(MemberText(data, "member"), member)) r.nickName = Utf8ToWide(MemberText(member, "nickName"));
  r.bReportLogin = true;
  r.bFinish = true;
  return r;
}

LoginReaction DecideSendCode(int code, const Json::Value& data) {
  LoginReaction r;
  if (code == kServiceOk) {
    r.bKeepPostId = true;
    r.postId = Utf8ToWide(data.isString() || data.isIntegral() ? data.asString() : std::string());
    return r;
  }
  r.bResetCountdown = true;
  r.message = {kTextSendCodeRefused, kSendCodeFailedCaption, kLoginBoxError};
  return r;
}

}  // namespace

LoginReaction CLoginAnswer::Decide(LoginRequestKind kind, const std::string& answer) {
  Json::Value root;
  const bool readable = ParseObject(answer, root) && (root["code"].isNull() || root["code"].isInt());
  if (!readable) {
    LoginReaction r;
    if (kind == LoginRequestKind::Login) {
      r.bEnableLogin = true;
      r.message = {kTextNetworkFailed, kLoginFailedCaption, kLoginBoxError};
    } else {
      r.bResetCountdown = true;
      r.message = {kTextNetworkFailed, kSendCodeFailedCaption, kLoginBoxError};
    }
    return r;
  }
  const int code = root["code"].isInt() ? root["code"].asInt() : 0;
  const Json::Value& data = root["data"];
  return kind == LoginRequestKind::Login ? DecideLogin(code, data) : DecideSendCode(code, data);
}

}  // namespace vorlix
