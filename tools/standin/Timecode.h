#pragma once
// The machine-readable timecode the stand-in game paints in every frame: two rows of sixteen black or
// white cells near the top of the client area. The first 24 cells carry the milliseconds since the
// stand-in started, most significant bit first (white is 1); the last 8 carry a check byte, so a frame
// caught half-repainted, or blurred beyond reading, decodes as nothing instead of as a wrong moment.
// Positions are fractions of the client size, so a scaled recording decodes the same way; the decoder
// in tests/e2e/timecode.py uses the same numbers.
#include <array>
#include <cstdint>

namespace vorlix::standin {

constexpr int kTimecodeColumns = 16;
constexpr int kTimecodeRows = 2;
constexpr int kTimecodeBits = kTimecodeColumns * kTimecodeRows;
constexpr int kTimecodeDataBits = 24;
constexpr uint32_t kTimecodeMaxMs = (1u << kTimecodeDataBits) - 1;  // about 4 h 40 min, then it wraps

// The cell grid: a margin of 1/32 of the width left and right, 1/24 of the height on top; each row is
// 1/8 of the height tall.
struct CellRect {
  int left, top, right, bottom;
};
CellRect TimecodeCell(int index, int clientWidth, int clientHeight);

uint8_t TimecodeCheck(uint32_t ms);
// Cell i is white when bit i of the result is set.
std::array<bool, kTimecodeBits> EncodeTimecode(uint32_t ms);

}  // namespace vorlix::standin
