#pragma once
// SHA-256 (FIPS 180-4): what the update answer announces for the installer, checked before it is handed
// over to run.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vorlix::net {

using Sha256Digest = std::array<std::uint8_t, 32>;

class CSha256 {
 public:
  CSha256();
  void Update(const void* data, std::size_t size);
  Sha256Digest Final();

 private:
  void Block(const std::uint8_t* p);
  std::uint32_t m_h[8];
  std::uint8_t m_buffer[64];
  std::size_t m_used = 0;
  std::uint64_t m_bytes = 0;
};

// 64 lowercase hex digits.
std::string Sha256Hex(const std::string& data);
// The file's digest as 64 lowercase hex digits; empty when it cannot be read to its end.
std::string Sha256FileHex(const std::wstring& path);

}  // namespace vorlix::net
