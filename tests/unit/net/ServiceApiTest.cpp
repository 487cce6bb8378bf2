// Every endpoint operation against the development service (VORLIX_SERVICE_URL): the wire form the
// service recorded, its verdict on our signatures, and the result conventions.
#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <future>
#include <thread>
#include <vector>

#include "net/Envelope.h"
#include "net/PLObject.h"
#include "net/Reports.h"
#include "net/RequestBodies.h"
#include "net/Signing.h"
#include "support/DevServiceClient.h"

using namespace plHttp;
using namespace vorlix::net;
using namespace vorlix::test;

namespace {

class ServiceApi : public ::testing::Test {
 protected:
  void SetUp() override {
    m_base = ServiceUrl();
    ASSERT_FALSE(m_base.empty());
    Control("POST", "reset");
  }
  CPLObject Object(const SessionValues& session = {}) { return CPLObject(session, m_base, m_base + "/print"); }
  // The latest recorded request of a route.
  Json::Value Last(const std::string& route) {
    Json::Value all = RecordedRequests(route)["requests"];
    return all.isArray() && all.size() > 0 ? all[all.size() - 1] : Json::Value();
  }
  SessionValues Login(const std::string& phone) {
    Json::Value body;
    body["phone"] = phone;
    Json::Value s = Control("POST", "login", body);
    return {s["userId"].asString(), s["loginToken"].asString(), s["signSecret"].asString()};
  }
  static std::vector<std::string> RawHeaders(const Json::Value& record) {
    std::vector<std::string> lines;
    for (const Json::Value& line : record["raw_headers"]) lines.push_back(line.asString());
    return lines;
  }
  static bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  static bool HasName(const std::vector<std::string>& lines, const std::string& name) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(name + ":", 0) == 0; });
  }
  std::string m_base;
};


}  // namespace

TEST_F(ServiceApi, UpdateCheckWireFormBeforeLogin) {
  CPLObject http = Object();
  std::string answer;
  ASSERT_EQ(http.CheckUpdate("V1.0.0.1", answer), 1) << answer;
  Json::Value r = Last("update_check");
  EXPECT_EQ(r["body"].asString(), "versionCode=V1.0.0.1&type=3");
  EXPECT_TRUE(r["problems"].empty()) << r["problems"].toStyledString();
  auto h = RawHeaders(r);
  SignPairs pairs = UpdateCheckSignPairs("V1.0.0.1");
  EXPECT_TRUE(Has(h, "sign:" + MakeSign("", pairs)));  // empty secret: digest of the text alone
  EXPECT_TRUE(Has(h, "tsign:" + MakeTsign(pairs)));
  EXPECT_TRUE(Has(h, "platform:2"));
  EXPECT_TRUE(Has(h, "deviceId:windows"));
  EXPECT_TRUE(Has(h, "User-Agent:" + http.GetUserAgent()));
  EXPECT_FALSE(HasName(h, "userToken"));
  Json::Value root;
  ASSERT_TRUE(Json::Reader().parse(answer, root));
  EXPECT_TRUE(root["data"]["versionCode"].isString());
}

TEST_F(ServiceApi, CodeLoginThenSignedClipRegistration) {
  const std::string phone = "13800138123";
  CPLObject http = Object({"old-id", "old-token", "old-secret"});
  std::string answer;
  ASSERT_EQ(http.SendVerifyCode(phone, "1", 0, answer), 1) << answer;
  Json::Value r = Last("send_code");
  EXPECT_EQ(r["body"].asString(), "mobile=" + phone + "&type=1&isTest=0");
  EXPECT_TRUE(r["problems"].empty()) << r["problems"].toStyledString();
  EXPECT_FALSE(HasName(RawHeaders(r), "userToken"));  // emptied before sending
  EXPECT_FALSE(HasName(RawHeaders(r), "sign"));
  Json::Value sent;
  ASSERT_TRUE(Json::Reader().parse(answer, sent));
  std::string postId = sent["data"].asString();
  std::string code = Control("GET", "sms?phone=" + phone)["code"].asString();

  ASSERT_EQ(http.LoginVerification(phone, code, postId, answer), 1) << answer;
  r = Last("login");
  EXPECT_EQ(r["body"].asString(), "mobile=" + phone + "&code=" + code + "&type=1&postId=" + postId);
  EXPECT_TRUE(r["problems"].empty()) << r["problems"].toStyledString();
  Json::Value login;
  ASSERT_TRUE(Json::Reader().parse(answer, login));
  SessionValues now = http.GetSession();
  EXPECT_EQ(now.userToken, login["data"]["loginToken"].asString());
  EXPECT_EQ(now.signSecret, login["data"]["signSecret"].asString());
  EXPECT_EQ(now.userId, login["data"]["userId"].asString());
  EXPECT_FALSE(now.userToken.empty());

  // "&" and "=" inside the record travel unencoded and are signed as they are.
  std::string record =
      "{\n   \"duration\" : \"30\",\n   \"format\" : \"mp4\",\n   \"size\" : 1234,\n   \"title\" : \"1700000000\",\n"
      "   \"url\" : \"http://x/cdn/a&b=c.mp4\"\n}\n";
  EXPECT_EQ(http.RegisterCloudVideo(record), 200);
  r = Last("register_clip");
  EXPECT_EQ(r["body"].asString(), "json=" + record);
  EXPECT_TRUE(r["problems"].empty()) << r["problems"].toStyledString();
  EXPECT_TRUE(Has(RawHeaders(r), "userToken:" + now.userToken));
  EXPECT_TRUE(Has(RawHeaders(r), "sign:" + MakeSign(now.signSecret, RegisterClipSignPairs(record))));
}

TEST_F(ServiceApi, ServiceRefusesAWrongSignatureAndWeReportIt) {
  CPLObject http = Object(Login("13800138124"));
  std::string body;
  SignPairs pairs = UpdateCheckSignPairs("V1.0.0.1");
  ASSERT_EQ(http.HttpPostForm(m_base + kPathUpdateCheck, BuildUpdateCheckBody("V1.0.0.1"), MakeSign("wrong", pairs),
                              MakeTsign(pairs), 10, 20, body),
            0);
  EXPECT_EQ(SuccessFlagResult(body), 0) << body;
  // The same request with the session's secret is accepted.
  EXPECT_EQ(http.CheckUpdate("V1.0.0.1", body), 1) << body;
}

TEST_F(ServiceApi, GameListDeviceReportAndEvents) {
  Json::Value cfg;
  cfg["games"][0]["window_title"] = "Game One";
  cfg["games"][0]["game_name"] = "G1";
  Control("POST", "config", cfg);
  CPLObject http = Object();
  std::string answer;
  ASSERT_EQ(http.GetGameList(answer), 1) << answer;
  Json::Value games;
  ASSERT_TRUE(Json::Reader().parse(answer, games));
  EXPECT_EQ(games["data"][0]["window_title"].asString(), "Game One");

  ASSERT_EQ(http.ReportDeviceInfo("CPU \xd6\xd0", "A,B", "Microsoft Windows 10", 16384, answer), 0);
  Json::Value r = Last("device_report");
  EXPECT_EQ(r["body_length"].asInt(), int(BuildDeviceReportBody("CPU \xd6\xd0", "A,B", "Microsoft Windows 10", 16384).size()));
  EXPECT_TRUE(Has(RawHeaders(r), "Content-Type: application/json"));
  EXPECT_TRUE(r["problems"].empty()) << r["problems"].toStyledString();
  EXPECT_FALSE(answer.empty());

  // Before login: empty id and token, still a 40-digit tsign the collector accepts.
  EXPECT_EQ(http.ReportEvent("V1.0.0.1", 1700000000, "uploadRec"), 200);
  r = Last("event");
  std::string query = r["query"].asString();
  EXPECT_NE(query.find("&userId=&userToken=&version=V1.0.0.1&deviceId=" + GetAdapterAddressText() +
                       "&type=uploadRec&dtime=1700000000&tsign=" + MakeTsign(EventSignPairs("", 1700000000))),
            std::string::npos)
      << query;
  EXPECT_TRUE(r["problems"].empty()) << r["problems"].toStyledString();
}

TEST_F(ServiceApi, StatusAndBodyConventions) {
  struct Case {
    int status;
    const char* body;
    int flag;  // GetGameList, success flag
    int code;  // RegisterCloudVideo, service code
  } cases[] = {
      {206, "{\"code\":200}", 206, 206},
      {500, "{\"code\":200}", 500, 500},  // never parsed
      {404, "not json", 404, 404},
      {200, "not json", kResultNotJson, kResultNotJson},
      {200, "{\"code\":\"200\"}", kResultNotJson, kResultNotJson},
      {200, "{\"msg\":\"x\"}", 0, 0},
      {200, "{\"code\":200}", 1, 200},
      {200, "{\"code\":7}", 0, 7},
  };
  CPLObject http = Object(Login("13800138125"));
  for (const Case& c : cases) {
    Json::Value cfg;
    for (const char* path : {"/cloud/api/v1.0/games", "/cloud/api/v1.0"}) {
      cfg["overrides"][path]["status"] = c.status;
      cfg["overrides"][path]["body"] = c.body;
    }
    Control("POST", "config", cfg);
    std::string answer = "untouched";
    EXPECT_EQ(http.GetGameList(answer), c.flag) << c.status << " " << c.body;
    if (c.flag == 0 || c.flag == 1) {
      EXPECT_EQ(answer, c.body);
    } else {
      EXPECT_EQ(answer, "untouched");
    }
    EXPECT_EQ(http.RegisterCloudVideo("{}"), c.code) << c.status << " " << c.body;
  }
}

TEST_F(ServiceApi, ConcurrentCallsEachGetTheirOwnAnswer) {
  Json::Value cfg;
  cfg["games"][0]["window_title"] = "Concurrent";
  Control("POST", "config", cfg);
  CPLObject http = Object();
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 10; ++i) {
        std::string answer;
        if (t % 2 == 0) {
          if (http.GetGameList(answer) != 1 || answer.find("Concurrent") == std::string::npos) ++wrong;
        } else {
          if (http.CheckUpdate("V1.0.0.1", answer) != 1 || answer.find("versionCode") == std::string::npos ||
              answer.find("Concurrent") != std::string::npos) {
            ++wrong;
          }
        }
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(ServiceApi, ReportsThroughTheProcessObjectReachTheOverriddenService) {
  // The process object takes its URLs from VORLIX_SERVICE_URL.
  int result = SendEventReport("start");
  Json::Value r = Last("event");
  ASSERT_FALSE(r.isNull()) << "no event reached the service";
  EXPECT_NE(r["query"].asString().find("&type=start&dtime="), std::string::npos);
  EXPECT_EQ(result, r["code"].asInt());

  std::promise<std::pair<int, std::string>> done;
  StartDeviceReport([&](int code, const std::string& answer) { done.set_value({code, answer}); });
  auto answered = done.get_future();
  ASSERT_EQ(answered.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  auto [code, answer] = answered.get();
  EXPECT_EQ(code, 0) << answer;
  r = Last("device_report");
  EXPECT_TRUE(r["problems"].empty()) << r["problems"].toStyledString();
  EXPECT_NE(r["body"].asString().find("\"mem_count\":"), std::string::npos) << r["body"].asString();
}
