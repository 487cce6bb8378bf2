#include <gtest/gtest.h>

#include "base/TextConv.h"
#include "net/update/UpdateInfo.h"

namespace vorlix {
namespace {

std::string Answer(const std::string& version) {
  return R"({"code":200,"msg":"ok","data":{"versionCode":")" + version +
         R"(","modifyDesc":"\u4fee\u590d\u5f55\u5236","url":"http://h/download/install.exe"}})";
}

TEST(UpdateRule, AnyDifferenceInTheVersionTextMeansUpdate) {
  const std::pair<std::string, bool> cases[] = {
      {"V1.8.0.1", false},  // the same build
      {"V1.8.0.0", true},   // older: the service rolls back
      {"V1.8.0.2", true},
      {"v1.8.0.1", true},   // only the case of the first letter differs
      {"V1.8.0.1 ", true},
  };
  for (const auto& [remote, needed] : cases) {
    UpdateInfo info;
    ParseUpdateInfo(Answer(remote), "V1.8.0.1", info);
    EXPECT_EQ(info.needUpdate, needed) << remote;
    if (needed) {
      EXPECT_EQ(info.description, Utf8ToWide("\xE4\xBF\xAE\xE5\xA4\x8D\xE5\xBD\x95\xE5\x88\xB6")) << remote;
      EXPECT_EQ(info.url, "http://h/download/install.exe");
    } else {
      EXPECT_TRUE(info.url.empty());
    }
  }
}

TEST(UpdateRule, UnusableAnswersChangeNothing) {
  const std::string answers[] = {
      "not json",
      R"({"code":500,"data":{"versionCode":"V9"}})",
      R"({"code":"200","data":{"versionCode":"V9"}})",
      R"({"code":200,"data":null})",
      R"({"code":200,"data":{"versionCode":9}})",
      R"([1,2])",
      "",
      R"({"code":18446737490047551616,"data":{"versionCode":"V9"}})",  // beyond every 32- and 64-bit signed code
      R"({"code":-9223372036854775809,"data":{"versionCode":"V9"}})",
      R"({"code":200.5,"data":{"versionCode":"V9"}})",
      R"({"code":200,"data":{"versionCode":"V9","x":)" + std::string(5000, '[') + std::string(5000, ']') + "}}",
      std::string(1000, '{') + std::string(1000, '}'),
  };
  for (const auto& a : answers) {
    UpdateInfo info;
    info.needUpdate = true;
    info.url = "kept";
    ParseUpdateInfo(a, "V1.0.0.1", info);
    EXPECT_TRUE(info.needUpdate) << a;
    EXPECT_EQ(info.url, "kept") << a;
  }
}

TEST(UpdateRule, TheInstallersDigestIsKeptWhenTheServiceSendsOne) {
  const std::string digest(64, 'a');
  struct Case {
    const char* name;
    std::string member;  // the text after "url": ...
    std::string sha256;
  } cases[] = {
      {"absent", "", ""},
      {"lowercase", R"(,"sha256":")" + digest + "\"", digest},
      {"uppercase folded", R"(,"sha256":")" + std::string(64, 'A') + "\"", digest},
      // Present but unusable: kept as a value no file's digest can equal, so nothing is handed over.
      {"empty text", R"(,"sha256":"")", "-"},
      {"not a text", R"(,"sha256":12)", "-"},
      {"null", R"(,"sha256":null)", "-"},
  };
  for (const Case& c : cases) {
    std::string answer = R"({"code":200,"data":{"versionCode":"V2.0.0.0","url":"http://h/i.exe")" + c.member + "}}";
    UpdateInfo info;
    info.sha256 = "stale";
    ParseUpdateInfo(answer, "V1.0.0.0", info);
    ASSERT_TRUE(info.needUpdate) << c.name;
    EXPECT_EQ(info.sha256, c.sha256) << c.name;
  }
}

}  // namespace
}  // namespace vorlix
