// What the login screen does with each answer its worker hands over, from canned service answers.
#include <gtest/gtest.h>

#include <string>

#include "base/TextConv.h"
#include "screens/login/LoginAnswer.h"

namespace vorlix {
namespace {

// "小明" in UTF-8, as the service sends it inside the member text.
const std::string kNick = "\xE5\xB0\x8F\xE6\x98\x8E";

std::string LoginOk(const std::string& memberText, const std::string& userId = "\"100001\"") {
  return R"({"code":200,"msg":"ok","data":{"loginToken":"tok-1","signSecret":"sec-1","userId":)" + userId +
         R"(,"member":)" + memberText + "}}";
}

struct Expect {
  bool store;
  bool finish;
  bool enableLogin;
  bool resetCountdown;
  const wchar_t* text;  // null: no box
  const wchar_t* caption;
};

struct Case {
  const char* name;
  LoginRequestKind kind;
  std::string answer;
  Expect expect;
};

TEST(LoginAnswer, EachAnswerLeadsToItsReaction) {
  const Expect accepted = {true, true, true, false, nullptr, nullptr};
  const Expect refused = {false, false, true, false, kTextLoginRefused, kLoginFailedCaption};
  const Expect loginLost = {false, false, true, false, kTextNetworkFailed, kLoginFailedCaption};
  const Expect codeSent = {false, false, false, false, nullptr, nullptr};
  const Expect codeRefused = {false, false, false, true, kTextSendCodeRefused, kSendCodeFailedCaption};
  const Expect codeLost = {false, false, false, true, kTextNetworkFailed, kSendCodeFailedCaption};
  const auto L = LoginRequestKind::Login;
  const auto S = LoginRequestKind::SendCode;
  const Case cases[] = {
      {"login accepted", L, LoginOk(R"("{\"nickName\":\")" + kNick + R"(\"}")"), accepted},
      {"member not JSON", L, LoginOk(R"("<not json>")"), accepted},
      {"member missing", L, R"({"code":200,"data":{"loginToken":"t","signSecret":"s","userId":"1"}})", accepted},
      {"login refused", L, R"({"code":401,"msg":"code mismatch","data":null})", refused},
      {"code member missing", L, R"({"msg":"?"})", refused},
      {"success without token", L, R"({"code":200,"data":{"signSecret":"s","userId":"1"}})", refused},
      {"success, data not an object", L, R"({"code":200,"data":"x"})", refused},
      {"login: nothing came", L, "", loginLost},
      {"login: HTML", L, "<html>502 Bad Gateway</html>", loginLost},
      {"login: JSON array", L, "[200]", loginLost},
      {"login: code as text", L, R"({"code":"200","data":{"loginToken":"t"}})", loginLost},
      {"login: cut short", L, LoginOk("\"{}\"").substr(0, 30), loginLost},
      {"code sent", S, R"({"code":200,"msg":"ok","data":"post-7"})", codeSent},
      {"code refused", S, R"({"code":400,"msg":"mobile","data":null})", codeRefused},
      {"code: nothing came", S, "", codeLost},
      {"code: garbage", S, std::string(5000, '\x01'), codeLost},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LoginReaction r = CLoginAnswer::Decide(c.kind, c.answer);
    EXPECT_EQ(r.bStoreSession, c.expect.store);
    EXPECT_EQ(r.bFinish, c.expect.finish);
    EXPECT_EQ(r.bReportLogin, c.expect.finish);
    EXPECT_EQ(r.bEnableLogin, c.expect.enableLogin);
    EXPECT_EQ(r.bResetCountdown, c.expect.resetCountdown);
    EXPECT_EQ(r.bKeepPostId, c.kind == S && c.expect.text == nullptr);
    if (c.expect.text == nullptr) {
      EXPECT_EQ(r.message.text, nullptr);
    } else {
      ASSERT_NE(r.message.text, nullptr);
      EXPECT_EQ(std::wstring(r.message.text), c.expect.text);
      EXPECT_EQ(std::wstring(r.message.caption), c.expect.caption);
      EXPECT_EQ(r.message.type, kLoginBoxError) << "refusals and failures carry the error icon";
    }
  }
}

TEST(LoginAnswer, AcceptedLoginCarriesTheSessionAndTheNickname) {
  LoginReaction r = CLoginAnswer::Decide(LoginRequestKind::Login, LoginOk(R"("{\"nickName\":\")" + kNick + R"(\"}")"));
  EXPECT_EQ(r.token, L"tok-1");
  EXPECT_EQ(r.secret, L"sec-1");
  EXPECT_EQ(r.userId, L"100001");
  EXPECT_EQ(r.nickName, Utf8ToWide(kNick));

  // An unreadable member still ends the login with the session, and with no name rather than an old one.
  r = CLoginAnswer::Decide(LoginRequestKind::Login, LoginOk(R"("{nickName")"));
  EXPECT_TRUE(r.bFinish);
  EXPECT_EQ(r.token, L"tok-1");
  EXPECT_EQ(r.nickName, L"");

  r = CLoginAnswer::Decide(LoginRequestKind::Login, LoginOk(R"("{}")", "100002"));
  EXPECT_EQ(r.userId, L"100002") << "a numeric id keeps its digits";
}

TEST(LoginAnswer, CodeAnswerKeepsItsPostIdAndARefusalKeepsNone) {
  LoginReaction r = CLoginAnswer::Decide(LoginRequestKind::SendCode, R"({"code":200,"data":"9f2c-post"})");
  EXPECT_EQ(r.postId, L"9f2c-post");
  EXPECT_FALSE(r.bEnableLogin) << "a code answer leaves the login button alone";
  r = CLoginAnswer::Decide(LoginRequestKind::SendCode, R"({"code":500,"data":"9f2c-post"})");
  EXPECT_FALSE(r.bKeepPostId);
  EXPECT_EQ(r.postId, L"");
}

}  // namespace
}  // namespace vorlix
