// The resend countdown's texts and what the login screen's log lines show of credentials.
#include <gtest/gtest.h>

#include <string>

#include "screens/login/LoginLogText.h"
#include "screens/login/ResendCountdown.h"

namespace vorlix {
namespace {

TEST(ResendCountdown, CountsFiftyNineSecondsInWhiteThenIsOverAndStartsAgain) {
  CResendCountdown c;
  EXPECT_EQ(c.GetValue(), 60);
  for (int expected = 59; expected >= 1; --expected) {
    ASSERT_FALSE(c.Tick()) << expected;
    EXPECT_EQ(c.GetText(), L"<c #ffffff>" + std::to_wstring(expected) + L"S</c>");
  }
  EXPECT_TRUE(c.Tick()) << "the sixtieth tick ends the wait";
  EXPECT_EQ(c.GetValue(), 60);
  EXPECT_FALSE(c.Tick());
  EXPECT_EQ(c.GetText(), L"<c #ffffff>59S</c>");
  c.Reset();
  EXPECT_EQ(c.GetValue(), 60);
}

TEST(LoginLogText, CredentialsAreMaskedAndEverythingElseStays) {
  EXPECT_EQ(MaskCredential(L"482913"), L"******");
  EXPECT_EQ(MaskCredential(L""), L"");

  const std::string ok =
      R"({"code":200,"msg":"ok","data":{"loginToken":"tok-secret-1","signSecret":"sgn-secret-2","userId":"100001","member":"{\"nickName\":\"n\"}"}})";
  const std::string shown = MaskAnswerForLog(ok);
  EXPECT_EQ(shown.find("tok-secret-1"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("sgn-secret-2"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\"loginToken\":\"************\""), std::string::npos) << shown;
  EXPECT_NE(shown.find("100001"), std::string::npos) << shown;
  EXPECT_NE(shown.find("nickName"), std::string::npos) << shown;
  EXPECT_EQ(shown.find('\n'), std::string::npos) << "one log line";

  for (const std::string& plain : {std::string(R"({"code":401,"msg":"no","data":null})"),
                                   std::string(R"({"code":200,"data":"post-1"})"), std::string("<html>"),
                                   std::string()})
    EXPECT_EQ(MaskAnswerForLog(plain), plain);
}

}  // namespace
}  // namespace vorlix
