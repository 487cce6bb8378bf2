#include "CTonePlayer.h"

#include <cmath>

namespace vorlix::standin {
namespace {
constexpr int kRate = 48000;
constexpr int kChannels = 2;
constexpr int kBuffers = 4;
constexpr int kFramesPerBuffer = kRate / 25;  // 40 ms each
constexpr double kAmplitude = 0.5 * 32767;    // -6 dBFS
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

CTonePlayer::~CTonePlayer() {
  if (m_out) {
    waveOutReset(m_out);
    for (WAVEHDR& h : m_headers) waveOutUnprepareHeader(m_out, &h, sizeof h);
    waveOutClose(m_out);
  }
  if (m_event) CloseHandle(m_event);
}

bool CTonePlayer::Start(int hz, std::wstring* error) {
  m_event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = kChannels;
  f.nSamplesPerSec = kRate;
  f.wBitsPerSample = 16;
  f.nBlockAlign = kChannels * 2;
  f.nAvgBytesPerSec = kRate * f.nBlockAlign;
  const MMRESULT r = waveOutOpen(&m_out, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(m_event), 0, CALLBACK_EVENT);
  if (r != MMSYSERR_NOERROR) {
    m_out = nullptr;
    *error = L"no sound output (waveOutOpen error " + std::to_wstring(r) + L")";
    return false;
  }
  m_step = kTwoPi * hz / kRate;
  m_samples.assign(kBuffers, std::vector<short>(kFramesPerBuffer * kChannels));
  m_headers.assign(kBuffers, WAVEHDR{});
  for (int i = 0; i < kBuffers; ++i) {
    WAVEHDR& h = m_headers[i];
    h.lpData = reinterpret_cast<LPSTR>(m_samples[i].data());
    h.dwBufferLength = static_cast<DWORD>(m_samples[i].size() * sizeof(short));
    waveOutPrepareHeader(m_out, &h, sizeof h);
    Fill(h);
  }
  return true;
}

void CTonePlayer::Fill(WAVEHDR& h) {
  short* s = reinterpret_cast<short*>(h.lpData);
  for (int i = 0; i < kFramesPerBuffer; ++i) {
    const short v = static_cast<short>(std::lround(kAmplitude * std::sin(m_phase)));
    for (int c = 0; c < kChannels; ++c) *s++ = v;
    m_phase += m_step;
    if (m_phase > kTwoPi) m_phase -= kTwoPi;
  }
  waveOutWrite(m_out, &h, sizeof h);
}

void CTonePlayer::Refill() {
  if (!m_out) return;
  for (WAVEHDR& h : m_headers)
    if (h.dwFlags & WHDR_DONE) Fill(h);
}

}  // namespace vorlix::standin
