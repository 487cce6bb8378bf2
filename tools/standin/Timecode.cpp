#include "standin/Timecode.h"

namespace vorlix::standin {

CellRect TimecodeCell(int index, int clientWidth, int clientHeight) {
  const int column = index % kTimecodeColumns, row = index / kTimecodeColumns;
  // x = W/32 + column * (30W/32)/16, in whole pixels without drift across the row.
  auto x = [&](int c) { return clientWidth / 32 + (clientWidth * 30 * c) / (32 * kTimecodeColumns); };
  auto y = [&](int r) { return clientHeight / 24 + (clientHeight * r) / 8; };
  return CellRect{x(column), y(row), x(column + 1), y(row + 1)};
}

uint8_t TimecodeCheck(uint32_t ms) {
  const uint32_t v = ms & kTimecodeMaxMs;
  // Not a plain sum: an all-black or all-white row must not pass.
  return static_cast<uint8_t>(((v >> 16) + (v >> 8) + v + 0x5A) ^ 0xC3);
}

std::array<bool, kTimecodeBits> EncodeTimecode(uint32_t ms) {
  const uint32_t v = ms & kTimecodeMaxMs;
  const uint32_t word = (v << 8) | TimecodeCheck(v);
  std::array<bool, kTimecodeBits> cells{};
  for (int i = 0; i < kTimecodeBits; ++i) cells[i] = ((word >> (kTimecodeBits - 1 - i)) & 1u) != 0;
  return cells;
}

}  // namespace vorlix::standin
