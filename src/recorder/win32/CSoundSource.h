#pragma once
// One sound input of the encoder: the system's output by WASAPI loopback (the game's sound) or a capture
// endpoint (the microphone), read in shared mode and written as a 16-bit WAV stream into a pipe that
// ffmpeg reads as one of its inputs. A worker thread
// does all of it, so the encoder's timeline gets exactly the wall clock's count of samples: silence where
// the loopback delivers nothing (nothing playing) and after the endpoint is lost.
#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace vorlix::recorder {

struct SoundEndpoint {
  enum class Kind { OutputLoopback, DefaultCapture, NamedCapture };
  Kind kind = Kind::OutputLoopback;
  std::wstring name;  // the friendly name, for NamedCapture
};

// The endpoints a recording would use now, by their friendly names, for the settings window: the
// default output (its loopback is the game's sound) and the default capture endpoint (the microphone).
std::wstring DescribeDefaultEndpoints();

class CSoundSource {
 public:
  ~CSoundSource() { Stop(); }

  // Opens the endpoint and the pipe and starts waiting for the encoder: the loopback of the default
  // output (the game's sound), the default capture endpoint (the microphone) or the capture endpoint of
  // a friendly name. label starts the source's log lines. False with the reason when there is nothing
  // to record from.
  // pictureStart tells, once the encoder has opened the sound input, the wall-clock moment (Unix
  // seconds) of its first picture, when it can: the sound then begins with the silence that puts its
  // first sample at that moment, since the encoder starts every input's timeline at its first sample.
  bool Open(const SoundEndpoint& endpoint, const std::wstring& label,
            std::function<std::optional<double>()> pictureStart, std::wstring* description, std::wstring* error);
  const std::wstring& PipeName() const { return m_pipeName; }
  int Rate() const { return m_rate; }
  int Channels() const { return m_channels; }
  // Ends the thread; the encoder sees the end of its input.
  void Stop();

 private:
  void Run(SoundEndpoint endpoint);

  std::function<std::optional<double>()> m_pictureStart;
  std::wstring m_label;
  std::thread m_thread;
  std::atomic<bool> m_bStop{false};
  HANDLE m_opened = nullptr;  // signalled once the thread knows whether the endpoint opened
  HANDLE m_stopEvent = nullptr;
  std::wstring m_pipeName;
  // Written by the thread before m_opened is signalled, read after.
  bool m_bOpen = false;
  std::wstring m_description, m_error;
  int m_rate = 0, m_channels = 0;
};

}  // namespace vorlix::recorder
