// Signing orders, request bodies, the event query, the device report body, endpoint overrides and the
// upload token. Expected digests were computed independently (Python hashlib/hmac).
#include <gtest/gtest.h>

#include "net/CloudUpload.h"
#include "net/Endpoints.h"
#include "net/RequestBodies.h"
#include "net/Signing.h"
#include "net/UploadToken.h"

using namespace vorlix::net;

TEST(Signing, UpdateCheckSignsTypeBeforeVersion) {
  SignPairs pairs = UpdateCheckSignPairs("V1.8.0.1");
  EXPECT_EQ(MakeParamText(pairs), "type3versionCodeV1.8.0.1");
  EXPECT_EQ(MakeTsign(pairs), "d3e5c4e217c9ecc3e78abb684035e9f6949f6160");
  // Before any login the secret is empty: the digest of the parameter text alone.
  EXPECT_EQ(MakeSign("", pairs), "009e35d8619df861e26314240e81d407a7cac2b5");
  // The body sends versionCode first.
  EXPECT_EQ(BuildUpdateCheckBody("V1.8.0.1"), "versionCode=V1.8.0.1&type=3");
}

TEST(Signing, ParameterTextsOfEveryRequest) {
  struct Case {
    SignPairs pairs;
    const char* text;
  } cases[] = {
      {SendCodeSignPairs("13800138000", "1", false), "mobile13800138000type1isTest0"},
      {SendCodeSignPairs("13800138000", "1", true), "mobile13800138000type1isTest1"},
      {LoginSignPairs("13800138000", "123456", "p-9"), "mobile13800138000code123456type1postIdp-9"},
      {RegisterClipSignPairs("{\"a\":\"x&y=z\"}"), "json{\"a\":\"x&y=z\"}"},
      {EventSignPairs("", 1700000000), "userTokendtime1700000000"},
      {EventSignPairs("tok", -5), "userTokentokdtime-5"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeParamText(c.pairs), c.text);
  // Neither the signature input nor the body encodes "&" or "=".
  EXPECT_EQ(MakeSign("s3cret", RegisterClipSignPairs("{\"a\":\"x&y=z\"}")),
            "3e3b632d579737a6dea4f98caf56adbf60c404f8");
  EXPECT_EQ(BuildRegisterClipBody("{\"a\":\"x&y=z\"}"), "json={\"a\":\"x&y=z\"}");
}

TEST(Signing, BodiesInTheirOwnOrder) {
  EXPECT_EQ(BuildSendCodeBody("13800138000", "1", false), "mobile=13800138000&type=1&isTest=0");
  EXPECT_EQ(BuildLoginBody("13800138000", "123456", "p-9"), "mobile=13800138000&code=123456&type=1&postId=p-9");
}

TEST(Signing, AdapterAddressAndUserAgent) {
  const unsigned char mac[] = {0x00, 0x1a, 0x2B, 0xff, 0x09, 0xa0};
  std::string text = FormatAdapterAddress(mac, sizeof mac);
  EXPECT_EQ(text, "001A2BFF09A0");
  EXPECT_EQ(MakeUserAgent(text), "Windows+001A2BFF09A0");
  EXPECT_EQ(MakeUserAgent(text).size(), 20u);
  EXPECT_EQ(MakeUserAgent(""), "Windows+");
  std::string live = GetAdapterAddressText();
  EXPECT_EQ(live.find_first_not_of("0123456789ABCDEF"), std::string::npos) << live;
  EXPECT_EQ(live.size() % 2, 0u);
}

TEST(EventQuery, FixedOrderAndTsignOverEmptyTokenBeforeLogin) {
  EventIdentity who{"", "", "V1.0.0.1", "001A2BFF09A0"};
  std::string q = BuildEventQuery(who, "uploadRec", 1700000000);
  EXPECT_EQ(q,
            "?os=3&deviceName=windows&channel=&searchWord=&searchType=&videoId=&stime="
            "&userId=&userToken=&version=V1.0.0.1&deviceId=001A2BFF09A0&type=uploadRec&dtime=1700000000"
            "&tsign=ce447f5e7a012f55ac11d86e72c8b87707bd4071");
}

TEST(DeviceReportBody, CompactSortedKeysIntegerMemoryAndLineFeed) {
  EXPECT_EQ(BuildDeviceReportBody("Intel(R) Core", "A,B", "Microsoft Windows 10", 16384),
            "{\"cpu\":\"Intel(R) Core\",\"gpu\":\"A,B\",\"mem_count\":16384,\"os\":\"Microsoft Windows 10\"}\n");
  // Narrow code-page bytes are placed unchanged, not escaped.
  EXPECT_EQ(BuildDeviceReportBody("\xd6\xd0", "", "", 0), "{\"cpu\":\"\xd6\xd0\",\"gpu\":\"\",\"mem_count\":0,\"os\":\"\"}\n");
}

TEST(Endpoints, OverrideRules) {
  struct Case {
    const char* builtIn;
    const char* service;
    const char* role;
    const char* expected;
  } cases[] = {
      {"http://api.vorlix.cn", "", "", "http://api.vorlix.cn"},
      {"http://api.vorlix.cn", "http://127.0.0.1:5000", "", "http://127.0.0.1:5000"},
      {"http://log.vorlix.cn/print", "http://127.0.0.1:5000/", "", "http://127.0.0.1:5000/print"},
      {"http://video.vorlix.cn/cdn/", "http://127.0.0.1:5000", "", "http://127.0.0.1:5000/cdn/"},
      {"https://up-z2.qiniup.com", "http://127.0.0.1:5000", "", "http://127.0.0.1:5000"},
      {"http://log.vorlix.cn/print", "http://127.0.0.1:5000", "http://other/print", "http://other/print"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveEndpoint(c.builtIn, c.service, c.role), c.expected) << c.builtIn;
}

TEST(UploadToken, SignedPolicyWithDefaultDeadline) {
  PutPolicy policy;
  policy.scope = kCloudBucket;
  EXPECT_EQ(EncodePutPolicy(policy, 1700000000), "{\"deadline\":1700003600,\"scope\":\"video-cloud\"}");
  EXPECT_EQ(MakeUploadToken(policy, kCloudAccessKey, kCloudSecretKey, 1700000000),
            "Kd3mPq9XwRt7LcZ2vNb8HsYf4JgA6eUoWiQ1xTn-:TDmgnQseW1KCj4xSZhdEXfWc0DY=:"
            "eyJkZWFkbGluZSI6MTcwMDAwMzYwMCwic2NvcGUiOiJ2aWRlby1jbG91ZCJ9");
  policy.deadline = 42;
  EXPECT_EQ(EncodePutPolicy(policy, 1700000000), "{\"deadline\":42,\"scope\":\"video-cloud\"}");
}

TEST(CloudUpload, BlockCountAndChunkCrc) {
  struct Case {
    std::int64_t size;
    int blocks;
  } cases[] = {{0, 0}, {1, 1}, {kCloudBlockSize, 1}, {kCloudBlockSize + 1, 2}, {9 * 1024 * 1024, 3}};
  for (const Case& c : cases) EXPECT_EQ(CloudBlockCount(c.size), c.blocks) << c.size;
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);  // the standard check value
  EXPECT_EQ(Crc32("", 0), 0u);
}
