#pragma once
// A small always-on-top window that shows the milliseconds since it opened as two rows of black and white
// squares (the value, then its complement as a check), repainted in one blit every few milliseconds on a
// thread of its own. A frame of a desktop recording then tells when it was captured.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace vorlix::test {

class CTimecodeWindow {
 public:
  static constexpr int kBits = 24;
  static constexpr int kCell = 24;
  static constexpr int kLeft = 200, kTop = 200;

  CTimecodeWindow();
  ~CTimecodeWindow();
  // Milliseconds on the window's clock.
  uint32_t Now() const { return GetTickCount() - m_base; }
  // Reads the code from a gray frame (one byte a pixel, frameWidth x frameHeight) of a recording of the
  // whole screen, scaled to fit the frame and centred in it; -1 when the two rows do not agree. The two
  // rows may come from consecutive paints, so they may differ by a few milliseconds.
  static int64_t Decode(const std::string& gray, int frameWidth, int frameHeight, int screenWidth, int screenHeight);

 private:
  void Run();
  DWORD m_base;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_ready{false};
  std::thread m_thread;
};

}  // namespace vorlix::test
