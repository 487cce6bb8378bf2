#pragma once
// A steady sine through the default sound output (the "game sound"), kept going by refilling a few short
// buffers whenever the system hands one back.
#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

namespace vorlix::standin {

class CTonePlayer {
 public:
  ~CTonePlayer();
  // False with the reason when no output can be opened (no sound device or server).
  bool Start(int hz, std::wstring* error);
  // Signalled when a buffer came back; Refill then queues it again.
  HANDLE Event() const { return m_event; }
  void Refill();

 private:
  void Fill(WAVEHDR& h);

  HWAVEOUT m_out = nullptr;
  HANDLE m_event = nullptr;
  std::vector<std::vector<short>> m_samples;
  std::vector<WAVEHDR> m_headers;
  double m_phase = 0;
  double m_step = 0;
};

}  // namespace vorlix::standin
