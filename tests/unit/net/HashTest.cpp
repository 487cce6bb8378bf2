// SHA-1 against the FIPS 180-1 test vectors, HMAC-SHA1 against RFC 2202, and the URL-safe Base64 form.
#include <gtest/gtest.h>

#include "net/Base64.h"
#include "net/Sha1.h"
#include "net/Sha256.h"

using namespace vorlix::net;

namespace {

std::string Hex(const Sha1Digest& d) { return ToLowerHex(d.data(), d.size()); }

}  // namespace

TEST(Sha1, FipsVectors) {
  struct Case {
    std::string input;
    const char* digest;
  } cases[] = {
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
  };
  for (const Case& c : cases) EXPECT_EQ(Sha1Hex(c.input), c.digest) << c.input.substr(0, 20);
}

TEST(Sha1, PiecewiseUpdatesEqualOneShotAcrossBlockBoundaries) {
  std::string data;
  for (int i = 0; i < 300; ++i) data += char(i * 7);
  for (std::size_t split : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 128u, 299u}) {
    CSha1 h;
    h.Update(data.data(), split);
    h.Update(data.data() + split, data.size() - split);
    EXPECT_EQ(Hex(h.Final()), Sha1Hex(data)) << split;
  }
}

TEST(Sha256, FipsVectorsWholeAndPiecewise) {
  struct Case {
    std::string input;
    const char* digest;
  } cases[] = {
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sha256Hex(c.input), c.digest) << c.input.substr(0, 20);
    for (std::size_t split : {std::size_t(1), std::size_t(55), std::size_t(64), std::size_t(65)}) {
      if (split > c.input.size()) continue;
      CSha256 h;
      h.Update(c.input.data(), split);
      h.Update(c.input.data() + split, c.input.size() - split);
      Sha256Digest d = h.Final();
      EXPECT_EQ(ToLowerHex(d.data(), d.size()), c.digest) << split;
    }
  }
}

TEST(HmacSha1, Rfc2202Vectors) {
  struct Case {
    std::string key, message;
    const char* mac;
  } cases[] = {
      {std::string(20, '\x0b'), "Hi There", "b617318655057264e28bc0b6fb378c8ef146be00"},
      {"Jefe", "what do ya want for nothing?", "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
      {std::string(20, '\xaa'), std::string(50, '\xdd'), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
      // A key longer than the block is hashed first.
      {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
       "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(HmacSha1(c.key, c.message)), c.mac) << c.message;
}

TEST(UrlSafeBase64, PaddingAndAlphabet) {
  struct Case {
    std::string in;
    const char* out;
  } cases[] = {
      {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"},
      {"\xfb\xff\xbf", "-_-_"},  // '+' and '/' in the standard alphabet
  };
  for (const Case& c : cases) EXPECT_EQ(UrlSafeBase64Encode(c.in), c.out) << c.in;
}
