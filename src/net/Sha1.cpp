#include "net/Sha1.h"

#include <cstring>

namespace vorlix::net {
namespace {

std::uint32_t Rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

}  // namespace

CSha1::CSha1() : m_h{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u} {}

void CSha1::Block(const std::uint8_t* p) {
  std::uint32_t w[80];
  for (int t = 0; t < 16; ++t) {
    w[t] = (std::uint32_t(p[4 * t]) << 24) | (std::uint32_t(p[4 * t + 1]) << 16) |
           (std::uint32_t(p[4 * t + 2]) << 8) | std::uint32_t(p[4 * t + 3]);
  }
  for (int t = 16; t < 80; ++t) w[t] = Rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
  std::uint32_t a = m_h[0], b = m_h[1], c = m_h[2], d = m_h[3], e = m_h[4];
  for (int t = 0; t < 80; ++t) {
    std::uint32_t f, k;
    if (t < 20) {
      f = (b & c) | (~b & d);
      k = 0x5A827999u;
    } else if (t < 40) {
      f = b ^ c ^ d;
      k = 0x6ED9EBA1u;
    } else if (t < 60) {
      f = (b & c) | (b & d) | (c & d);
      k = 0x8F1BBCDCu;
    } else {
      f = b ^ c ^ d;
      k = 0xCA62C1D6u;
    }
    std::uint32_t temp = Rotl(a, 5) + f + e + w[t] + k;
    e = d;
    d = c;
    c = Rotl(b, 30);
    b = a;
    a = temp;
  }
  m_h[0] += a;
  m_h[1] += b;
  m_h[2] += c;
  m_h[3] += d;
  m_h[4] += e;
}

void CSha1::Update(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  m_bytes += size;
  while (size > 0) {
    std::size_t take = 64 - m_used;
    if (take > size) take = size;
    std::memcpy(m_buffer + m_used, p, take);
    m_used += take;
    p += take;
    size -= take;
    if (m_used == 64) {
      Block(m_buffer);
      m_used = 0;
    }
  }
}

Sha1Digest CSha1::Final() {
  std::uint64_t bits = m_bytes * 8;
  std::uint8_t pad = 0x80;
  Update(&pad, 1);
  std::uint8_t zero = 0;
  while (m_used != 56) Update(&zero, 1);
  std::uint8_t length[8];
  for (int i = 0; i < 8; ++i) length[i] = std::uint8_t(bits >> (56 - 8 * i));
  Update(length, 8);
  Sha1Digest out{};
  for (int i = 0; i < 5; ++i) {
    out[4 * i] = std::uint8_t(m_h[i] >> 24);
    out[4 * i + 1] = std::uint8_t(m_h[i] >> 16);
    out[4 * i + 2] = std::uint8_t(m_h[i] >> 8);
    out[4 * i + 3] = std::uint8_t(m_h[i]);
  }
  return out;
}

Sha1Digest Sha1(const std::string& data) {
  CSha1 h;
  h.Update(data);
  return h.Final();
}

std::string ToLowerHex(const std::uint8_t* bytes, std::size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 15];
  }
  return out;
}

std::string Sha1Hex(const std::string& data) {
  Sha1Digest d = Sha1(data);
  return ToLowerHex(d.data(), d.size());
}

Sha1Digest HmacSha1(const std::string& key, const std::string& message) {
  std::uint8_t block[64] = {};
  if (key.size() > 64) {
    Sha1Digest k = Sha1(key);
    std::memcpy(block, k.data(), k.size());
  } else {
    std::memcpy(block, key.data(), key.size());
  }
  std::uint8_t ipad[64], opad[64];
  for (int i = 0; i < 64; ++i) {
    ipad[i] = block[i] ^ 0x36;
    opad[i] = block[i] ^ 0x5c;
  }
  CSha1 inner;
  inner.Update(ipad, 64);
  inner.Update(message);
  Sha1Digest innerDigest = inner.Final();
  CSha1 outer;
  outer.Update(opad, 64);
  outer.Update(innerDigest.data(), innerDigest.size());
  return outer.Final();
}

}  // namespace vorlix::net
