// The block upload client against the development service's cloud storage.
#include <gtest/gtest.h>
#include <json/json.h>

#include <ctime>
#include <set>
#include <tuple>
#include <vector>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "net/CloudUpload.h"
#include "net/Sha1.h"
#include "net/UploadToken.h"
#include "support/DevServiceClient.h"

using namespace vorlix;
using namespace vorlix::net;
using namespace vorlix::test;

namespace {

class CloudUpload : public ::testing::Test {
 protected:
  void SetUp() override {
    m_base = ServiceUrl();
    ASSERT_FALSE(m_base.empty());
    Control("POST", "reset");
    m_file = GetAppDirectory() + L"upload_fixture.mp4";
    // 9 MiB: blocks of 4, 4 and 1 MiB. Not periodic, so a misplaced chunk changes the hash.
    std::string bytes(9 * 1024 * 1024, '\0');
    unsigned x = 12345;
    for (char& c : bytes) {
      x = x * 1103515245u + 12345u;
      c = char(x >> 23);
    }
    m_sha1 = Sha1Hex(bytes);
    ASSERT_TRUE(WriteWholeFile(m_file, bytes));
  }
  void TearDown() override { RemoveFile(m_file); }
  std::string Token(const std::string& secret = kCloudSecretKey) {
    PutPolicy policy;
    policy.scope = kCloudBucket;
    return MakeUploadToken(policy, kCloudAccessKey, secret, std::time(nullptr));
  }
  std::string m_base;
  std::wstring m_file;
  std::string m_sha1;
};

}  // namespace

TEST_F(CloudUpload, ThreeBlocksWithPerBlockProgressArriveByteExact) {
  std::vector<std::tuple<int, std::int64_t, std::int64_t>> reports;
  PutExtra extra;
  extra.notify = [&](int index, std::int64_t size, std::int64_t sent) { reports.emplace_back(index, size, sent); };
  PutResult result;
  const std::string key = "100001_1700000000.mp4";
  ASSERT_EQ(CloudPutFile(m_base, Token(), key, m_file, extra, result), kCloudUploadOk);
  EXPECT_EQ(result.key, key);
  EXPECT_FALSE(result.hash.empty());
  EXPECT_EQ(CloudBlockCount(9 * 1024 * 1024), 3);

  // Every chunk reported, bytes of each block rising to its size.
  const std::int64_t mib = 1024 * 1024;
  std::vector<std::tuple<int, std::int64_t, std::int64_t>> expected;
  for (int block = 0; block < 3; ++block) {
    std::int64_t size = block < 2 ? 4 * mib : mib;
    for (std::int64_t sent = mib; sent <= size; sent += mib) expected.emplace_back(block, size, sent);
  }
  EXPECT_EQ(reports, expected);

  HttpAnswer stored = HttpCall("GET", m_base + "/cdn/" + key);
  ASSERT_EQ(stored.status, 200);
  EXPECT_EQ(stored.body.size(), 9u * 1024 * 1024);
  EXPECT_EQ(Sha1Hex(stored.body), m_sha1);

  // The whole file over one connection: over HTTPS each new one would cost a handshake.
  std::set<std::string> peers;
  int requests = 0;
  for (const char* route : {"mkblk", "bput", "mkfile"}) {
    const Json::Value recorded = RecordedRequests(route);
    for (const Json::Value& r : recorded["requests"]) {
      peers.insert(r["peer"].asString());
      ++requests;
    }
  }
  EXPECT_EQ(requests, 10) << "3 mkblk, 6 bput, 1 mkfile";
  EXPECT_EQ(peers.size(), 1u);
}

TEST_F(CloudUpload, FailuresAreNeverReportedAsSuccess) {
  // A connection that breaks is retried once by libcurl when it was a reused one (the upload keeps its
  // connection), so the dropped block fails twice: the retry must not make the upload a success either.
  struct Case {
    const char* mode;
    int failBlock;
    int failCount;
  } cases[] = {{"status", 1, 1}, {"status", 2, 1}, {"drop", 1, 2}, {"drop", 0, 2}};
  for (const Case& c : cases) {
    Json::Value cfg;
    cfg["upload"]["fail_block"] = c.failBlock;
    cfg["upload"]["fail_count"] = c.failCount;
    cfg["upload"]["fail_mode"] = c.mode;
    Control("POST", "config", cfg);
    PutResult result;
    int code = CloudPutFile(m_base, Token(), "fail.mp4", m_file, PutExtra{}, result);
    EXPECT_NE(code, kCloudUploadOk) << c.mode << " " << c.failBlock;
    if (std::string(c.mode) == "status") {
      EXPECT_EQ(code, 500);
    }
    EXPECT_TRUE(Control("GET", "objects")["objects"].empty()) << c.mode;
  }
}

TEST_F(CloudUpload, RefusedTokenAndMissingFile) {
  PutResult result;
  EXPECT_EQ(CloudPutFile(m_base, Token("not-the-secret"), "k.mp4", m_file, PutExtra{}, result), 401);
  EXPECT_EQ(CloudPutFile(m_base, Token(), "k.mp4", m_file + L".missing", PutExtra{}, result), kCloudLocalFileError);
}

TEST_F(CloudUpload, DefaultsTakeTheBuiltInKeysAndTheOverriddenHost) {
  int blocksDone = 0;
  PutResult result;
  ASSERT_EQ(UploadToCloud("defaults.mp4", m_file,
                          [&](int, std::int64_t size, std::int64_t sent) { blocksDone += sent == size; }, result),
            kCloudUploadOk);
  EXPECT_EQ(blocksDone, 3);
  EXPECT_EQ(Sha1Hex(HttpCall("GET", m_base + "/cdn/defaults.mp4").body), m_sha1);
}
