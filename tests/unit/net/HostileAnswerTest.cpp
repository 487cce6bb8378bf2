// Servers that answer garbage: no operation may read such an answer as a success, and no answer, however
// it is built, may end the process.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "net/CloudUpload.h"
#include "net/Envelope.h"
#include "net/PLObject.h"
#include "probes/GameDetection.h"
#include "unit/net/CannedServer.h"

using namespace plHttp;
using namespace vorlix::net;
using vorlix::test::CannedServer;

namespace {

std::string Http200(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

std::string Nested(int depth) {
  return "{\"code\":200,\"data\":" + std::string(depth, '[') + std::string(depth, ']') + "}";
}

struct Operation {
  const char* name;
  std::function<int(CPLObject&, std::string&)> call;
};

const Operation kSuccessFlagOperations[] = {
    {"CheckUpdate", [](CPLObject& o, std::string& r) { return o.CheckUpdate("V1.8.0.1", r); }},
    {"GetGameList", [](CPLObject& o, std::string& r) { return o.GetGameList(r); }},
    {"SendVerifyCode", [](CPLObject& o, std::string& r) { return o.SendVerifyCode("13800138000", "1", 0, r); }},
    {"LoginVerification",
     [](CPLObject& o, std::string& r) { return o.LoginVerification("13800138000", "123456", "p1", r); }},
};

const SessionValues kHeld{"100001", "held-token", "held-secret"};

}  // namespace

// Bytes that are not HTTP end the transfer with libcurl's code 1, the very value of the success flag.
TEST(HostileAnswers, APeerThatDoesNotSpeakHttpIsNeverASuccess) {
  const std::string garbage[] = {std::string("\x16\x03\x01\x00\x05hello", 10), "SSH-2.0-OpenSSH_9.2\r\n",
                                 "garbage garbage\r\n\r\n{\"code\":200}"};
  for (const std::string& bytes : garbage) {
    CannedServer server([&](const std::string&, const CannedServer::Send& send) { send(bytes); });
    CPLObject http(kHeld, server.BaseUrl(), server.BaseUrl() + "/print");
    std::string body;
    EXPECT_EQ(http.HttpGet(server.BaseUrl() + "/", 5, 10, body), CURLE_UNSUPPORTED_PROTOCOL)
        << "the primitive keeps libcurl's code";
    for (const Operation& op : kSuccessFlagOperations) {
      std::string response = "untouched";
      int result = op.call(http, response);
      EXPECT_NE(result, 1) << op.name << " " << bytes;
      EXPECT_EQ(result, kResultTransferFailed) << op.name;
      EXPECT_EQ(response, "untouched") << op.name;
    }
    EXPECT_EQ(http.GetSession().signSecret, kHeld.signSecret) << "a failed login stores nothing";
  }
}

TEST(HostileAnswers, ADeeplyNestedAnswerIsUnreadableNotFatal) {
  const int depths[] = {65, 1000, 100000};
  for (int depth : depths) {
    const std::string body = Nested(depth);
    CannedServer server([&](const std::string&, const CannedServer::Send& send) { send(Http200(body)); });
    CPLObject http(kHeld, server.BaseUrl(), server.BaseUrl() + "/print");
    for (const Operation& op : kSuccessFlagOperations) {
      std::string response;
      EXPECT_EQ(op.call(http, response), kResultNotJson) << op.name << " depth " << depth;
    }
    EXPECT_EQ(http.GetSession().signSecret, kHeld.signSecret) << "nothing was stored from the login answer";
    EXPECT_EQ(http.RegisterCloudVideo("{}"), kResultNotJson);
    EXPECT_EQ(ServiceCodeResult(body), kResultNotJson);

    vorlix::GameList games;
    vorlix::ParseGameList(body, games);
    EXPECT_TRUE(games.empty());
  }
  // As deep as a real answer may be, it still reads.
  EXPECT_EQ(SuccessFlagResult(Nested(60)), 1);
}

// The storage's answers to each request of the block upload, hostile in the two ways that used to throw.
TEST(HostileAnswers, StorageAnswersThatCannotBeReadFailTheUpload) {
  const std::wstring file = vorlix::GetAppDirectory() + L"hostile_upload.bin";
  ASSERT_TRUE(vorlix::WriteWholeFile(file, std::string(1000, 'v')));
  const std::string answers[] = {
      "{\"ctx\":\"c1\",\"offset\":1000,\"x\":" + std::string(5000, '[') + std::string(5000, ']') + "}",
      "{\"ctx\":\"c1\",\"offset\":1000,\"crc32\":-1}",
      "{\"ctx\":\"c1\",\"offset\":1000,\"crc32\":1e300}",
      "{\"ctx\":\"c1\",\"offset\":1000,\"crc32\":\"3\"}",
  };
  for (const std::string& answer : answers) {
    CannedServer server([&](const std::string&, const CannedServer::Send& send) { send(Http200(answer)); });
    PutResult result;
    EXPECT_EQ(CloudPutFile(server.BaseUrl(), "t", "k.mp4", file, PutExtra(), result), kCloudBadAnswer)
        << answer.substr(0, 60);
  }
  vorlix::RemoveFile(file);
}
