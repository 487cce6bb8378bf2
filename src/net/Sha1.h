#pragma once
// SHA-1 (FIPS 180-1) and HMAC-SHA1 (RFC 2104). The request signatures are lowercase hex SHA-1 digests and
// the cloud upload token is signed with HMAC-SHA1, so both live here, free of any platform library.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vorlix::net {

using Sha1Digest = std::array<std::uint8_t, 20>;

// Incremental hashing, for data that arrives in pieces (a 4 MiB upload block is never copied whole).
class CSha1 {
 public:
  CSha1();
  void Update(const void* data, std::size_t size);
  void Update(const std::string& text) { Update(text.data(), text.size()); }
  Sha1Digest Final();

 private:
  void Block(const std::uint8_t* p);
  std::uint32_t m_h[5];
  std::uint8_t m_buffer[64];
  std::size_t m_used = 0;
  std::uint64_t m_bytes = 0;
};

Sha1Digest Sha1(const std::string& data);
// 40 lowercase hex digits, each 32-bit word of the digest as 8 digits with leading zeros.
std::string Sha1Hex(const std::string& data);
std::string ToLowerHex(const std::uint8_t* bytes, std::size_t count);
Sha1Digest HmacSha1(const std::string& key, const std::string& message);

}  // namespace vorlix::net
