// The registration record's exact text and the cloud page's address.
#include <gtest/gtest.h>

#include "recording/CloudVideoRecord.h"

namespace vorlix {
namespace {

TEST(CloudVideoRecord, StyledTextWithMembersInNameOrder) {
  EXPECT_EQ(BuildCloudVideoRecord(1700000030, 1700000000, "100001_1700000030.mp4", 9437184,
                                  "http://127.0.0.1:8080/cdn/"),
            "{\n"
            "   \"duration\" : \"30\",\n"
            "   \"format\" : \"mp4\",\n"
            "   \"size\" : 9437184,\n"
            "   \"title\" : \"1700000030\",\n"
            "   \"url\" : \"http://127.0.0.1:8080/cdn/100001_1700000030.mp4\"\n"
            "}\n");
}

TEST(CloudVideoRecord, DurationIsTheDistanceFromLaunchCappedAtSixty) {
  struct Case {
    int32_t moment, start;
    const char* duration;
  } cases[] = {{1030, 1000, "\"30\""}, {1060, 1000, "\"60\""}, {1061, 1000, "\"60\""}, {4600, 1000, "\"60\""},
               {1000, 1000, "\"0\""}};
  for (const Case& c : cases) {
    const std::string text = BuildCloudVideoRecord(c.moment, c.start, "a.mp4", 1, "/");
    EXPECT_NE(text.find(std::string("\"duration\" : ") + c.duration + ",\n"), std::string::npos) << text;
  }
  // Sizes beyond 4 GiB stay exact.
  EXPECT_NE(BuildCloudVideoRecord(1, 0, "a.mp4", 5000000000LL, "/").find("\"size\" : 5000000000,"), std::string::npos);
}

TEST(CloudPageUrl, CarriesIdTokenAndSecretInThisOrder) {
  EXPECT_EQ(BuildCloudPageUrl("http://cloud.vorlix.cn", "100001", "tok-1", "sec/2"),
            "http://cloud.vorlix.cn/cloud.html#/all?id=100001&t=tok-1&s=sec/2");
}

}  // namespace
}  // namespace vorlix
