// A server whose certificate nobody vouches for must not be trusted: the request object refuses it.
// (Linux only: the server is a Python process with an openssl-made certificate.)
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "net/PLObject.h"

TEST(TlsVerification, SelfSignedServerIsRefused) {
  std::string command = std::string("python3 ") + VORLIX_TLS_SERVER_SCRIPT;
  std::FILE* server = popen(command.c_str(), "r");
  ASSERT_NE(server, nullptr);
  char line[64] = {};
  ASSERT_NE(std::fgets(line, sizeof line, server), nullptr) << "the TLS server did not start";
  std::string base = "https://127.0.0.1:" + std::to_string(std::atoi(line));
  plHttp::CPLObject http({}, base, base + "/print");
  std::string body;
  EXPECT_EQ(http.HttpGet(base + "/", 5, 10, body), CURLE_PEER_FAILED_VERIFICATION);
  EXPECT_TRUE(body.empty());
  pclose(server);
}
