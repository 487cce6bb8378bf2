#include "net/Sha256.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/FileSystem.h"
#include "net/Sha1.h"

namespace vorlix::net {
namespace {

constexpr std::uint32_t kRound[64] = {
    0x428a2f98u, 0x71374491u, 0xb5c0fbcfu, 0xe9b5dba5u, 0x3956c25bu, 0x59f111f1u, 0x923f82a4u, 0xab1c5ed5u,
    0xd807aa98u, 0x12835b01u, 0x243185beu, 0x550c7dc3u, 0x72be5d74u, 0x80deb1feu, 0x9bdc06a7u, 0xc19bf174u,
    0xe49b69c1u, 0xefbe4786u, 0x0fc19dc6u, 0x240ca1ccu, 0x2de92c6fu, 0x4a7484aau, 0x5cb0a9dcu, 0x76f988dau,
    0x983e5152u, 0xa831c66du, 0xb00327c8u, 0xbf597fc7u, 0xc6e00bf3u, 0xd5a79147u, 0x06ca6351u, 0x14292967u,
    0x27b70a85u, 0x2e1b2138u, 0x4d2c6dfcu, 0x53380d13u, 0x650a7354u, 0x766a0abbu, 0x81c2c92eu, 0x92722c85u,
    0xa2bfe8a1u, 0xa81a664bu, 0xc24b8b70u, 0xc76c51a3u, 0xd192e819u, 0xd6990624u, 0xf40e3585u, 0x106aa070u,
    0x19a4c116u, 0x1e376c08u, 0x2748774cu, 0x34b0bcb5u, 0x391c0cb3u, 0x4ed8aa4au, 0x5b9cca4fu, 0x682e6ff3u,
    0x748f82eeu, 0x78a5636fu, 0x84c87814u, 0x8cc70208u, 0x90befffau, 0xa4506cebu, 0xbef9a3f7u, 0xc67178f2u};

std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

}  // namespace

CSha256::CSha256()
    : m_h{0x6a09e667u, 0xbb67ae85u, 0x3c6ef372u, 0xa54ff53au, 0x510e527fu, 0x9b05688cu, 0x1f83d9abu, 0x5be0cd19u} {}

void CSha256::Block(const std::uint8_t* p) {
  std::uint32_t w[64];
  for (int t = 0; t < 16; ++t) {
    w[t] = (std::uint32_t(p[4 * t]) << 24) | (std::uint32_t(p[4 * t + 1]) << 16) |
           (std::uint32_t(p[4 * t + 2]) << 8) | std::uint32_t(p[4 * t + 3]);
  }
  for (int t = 16; t < 64; ++t) {
    std::uint32_t s0 = Rotr(w[t - 15], 7) ^ Rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
    std::uint32_t s1 = Rotr(w[t - 2], 17) ^ Rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
    w[t] = w[t - 16] + s0 + w[t - 7] + s1;
  }
  std::uint32_t a = m_h[0], b = m_h[1], c = m_h[2], d = m_h[3], e = m_h[4], f = m_h[5], g = m_h[6], h = m_h[7];
  for (int t = 0; t < 64; ++t) {
    std::uint32_t t1 = h + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[t] + w[t];
    std::uint32_t t2 = (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  m_h[0] += a;
  m_h[1] += b;
  m_h[2] += c;
  m_h[3] += d;
  m_h[4] += e;
  m_h[5] += f;
  m_h[6] += g;
  m_h[7] += h;
}

void CSha256::Update(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  m_bytes += size;
  if (m_used > 0) {
    std::size_t take = 64 - m_used < size ? 64 - m_used : size;
    std::memcpy(m_buffer + m_used, p, take);
    m_used += take;
    p += take;
    size -= take;
    if (m_used < 64) return;
    Block(m_buffer);
    m_used = 0;
  }
  for (; size >= 64; p += 64, size -= 64) Block(p);
  std::memcpy(m_buffer, p, size);
  m_used = size;
}

Sha256Digest CSha256::Final() {
  std::uint64_t bits = m_bytes * 8;
  std::uint8_t pad[72] = {0x80};
  std::size_t padBytes = m_used < 56 ? 56 - m_used : 120 - m_used;
  Update(pad, padBytes);
  std::uint8_t length[8];
  for (int i = 0; i < 8; ++i) length[i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
  Update(length, 8);
  Sha256Digest out{};
  for (int i = 0; i < 8; ++i) {
    for (int k = 0; k < 4; ++k) out[4 * i + k] = static_cast<std::uint8_t>(m_h[i] >> (24 - 8 * k));
  }
  return out;
}

std::string Sha256Hex(const std::string& data) {
  CSha256 h;
  h.Update(data.data(), data.size());
  Sha256Digest d = h.Final();
  return ToLowerHex(d.data(), d.size());
}

std::string Sha256FileHex(const std::wstring& path) {
  std::FILE* file = OpenFile(path, "rb");
  if (!file) return std::string();
  CSha256 h;
  std::vector<char> buffer(256 * 1024);
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) h.Update(buffer.data(), got);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::string();
  Sha256Digest d = h.Final();
  return ToLowerHex(d.data(), d.size());
}

}  // namespace vorlix::net
