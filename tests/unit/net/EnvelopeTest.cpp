// The two envelope conventions over the answers the service can give.
#include <gtest/gtest.h>

#include "net/Envelope.h"

using namespace vorlix::net;

TEST(Envelope, ConventionsTable) {
  struct Case {
    const char* body;
    int flag;
    int code;
  } cases[] = {
      {"{\"code\":200,\"msg\":\"ok\",\"data\":{\"x\":1}}", 1, 200},
      {"{\"code\":200}", 1, 200},  // no "data"
      {"{\"msg\":\"no code\"}", 0, 0},
      {"{\"code\":401,\"msg\":\"bad sign\"}", 0, 401},
      {"{\"code\":-3}", 0, -3},
      {"/* note */ {\"code\":200}", 1, 200},  // comments allowed
      {"not json", kResultNotJson, kResultNotJson},
      {"", kResultNotJson, kResultNotJson},
      {"{\"code\":\"200\"}", kResultNotJson, kResultNotJson},  // code of another type
      {"{\"code\":true}", kResultNotJson, kResultNotJson},
      {"{\"code\":{}}", kResultNotJson, kResultNotJson},
      {"[1,2]", 0, 0},
      {"{\"code\":200", kResultNotJson, kResultNotJson},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SuccessFlagResult(c.body), c.flag) << c.body;
    EXPECT_EQ(ServiceCodeResult(c.body), c.code) << c.body;
  }
}
