// Transport rules that need answers the development service does not give: redirects, an answer still
// arriving when the object stops, and an oversized body.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "unit/net/CannedServer.h"
#include "net/PLObject.h"

using namespace plHttp;
using vorlix::test::CannedServer;

namespace {

std::string Answer(const std::string& statusLine, const std::string& extraHeaders, const std::string& body) {
  return "HTTP/1.1 " + statusLine + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

}  // namespace

TEST(Transport, GetFollowsRedirectFormPostReturnsIt) {
  CannedServer server([](const std::string& head, const CannedServer::Send& send) {
    if (head.rfind("GET /final", 0) == 0) {
      send(Answer("200 OK", "", "{\"code\":200}"));
    } else {
      send(Answer("302 Found", "Location: /final\r\n", ""));
    }
  });
  CPLObject http({}, server.BaseUrl(), server.BaseUrl() + "/print");
  std::string body;
  EXPECT_EQ(http.HttpGet(server.BaseUrl() + "/moved", 10, 20, body), 0);
  EXPECT_EQ(body, "{\"code\":200}");
  EXPECT_EQ(http.HttpPostForm(server.BaseUrl() + "/moved", "a=1", "", "t", 10, 20, body), 302);
  EXPECT_EQ(http.HttpPostJson(server.BaseUrl() + "/moved", "{}", 10, 20, body), 0);
}

TEST(Transport, StopRefusesAnAnswerInFlight) {
  std::promise<void> firstPartSent;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  CannedServer server([&](const std::string&, const CannedServer::Send& send) {
    std::string body(200000, 'x');
    std::string all = Answer("200 OK", "", body);
    send(all.substr(0, 2000));
    firstPartSent.set_value();
    released.wait();
    send(all.substr(2000));
  });
  CPLObject http({}, server.BaseUrl(), server.BaseUrl() + "/print");
  std::string body;
  auto call = std::async(std::launch::async, [&] { return http.HttpGet(server.BaseUrl() + "/slow", 10, 20, body); });
  firstPartSent.get_future().wait();
  // Let the first bytes reach the write callback before stopping.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  http.RequestStop();
  release.set_value();
  EXPECT_EQ(call.get(), CURLE_WRITE_ERROR);
}

TEST(Transport, OversizedAnswerIsRefused) {
  CannedServer server([](const std::string&, const CannedServer::Send& send) {
    send(Answer("200 OK", "", std::string(kMaxApiResponseBytes + 1, 'y')));
  });
  CPLObject http({}, server.BaseUrl(), server.BaseUrl() + "/print");
  std::string body;
  EXPECT_EQ(http.GetGameList(body), CURLE_WRITE_ERROR);
  EXPECT_LE(body.size(), kMaxApiResponseBytes);
}

TEST(Transport, UnreachableServerGivesTheLibcurlCode) {
  int port = 0;
  {
    CannedServer probe([](const std::string&, const CannedServer::Send&) {});
    port = std::stoi(probe.BaseUrl().substr(probe.BaseUrl().rfind(':') + 1));
  }
  std::string base = "http://127.0.0.1:" + std::to_string(port);
  CPLObject http({}, base, base + "/print");
  std::string body;
  EXPECT_EQ(http.GetGameList(body), CURLE_COULDNT_CONNECT);
}
