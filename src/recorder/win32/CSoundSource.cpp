#include <initguid.h>  // the interface identifiers of the headers below are defined in this file

#include "recorder/win32/CSoundSource.h"

#include <audioclient.h>
#include <functiondiscoverykeys_devpkey.h>
#include <mmdeviceapi.h>
#include <mmreg.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/TextConv.h"
#include "recorder/AudioPacer.h"
#include "shell/Log.h"

namespace vorlix::recorder {
namespace {

void Log(const std::wstring& text) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "Recorder", 0) << WideToAnsi(text) << '\n');
}

std::wstring Hex(HRESULT hr) {
  wchar_t buf[16];
  swprintf(buf, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return buf;
}

template <class T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

std::wstring FriendlyName(IMMDevice* device) {
  std::wstring name;
  IPropertyStore* props = nullptr;
  if (SUCCEEDED(device->OpenPropertyStore(STGM_READ, &props))) {
    PROPVARIANT v;
    PropVariantInit(&v);
    if (SUCCEEDED(props->GetValue(PKEY_Device_FriendlyName, &v)) && v.vt == VT_LPWSTR) name = v.pwszVal;
    PropVariantClear(&v);
    props->Release();
  }
  return name;
}

// The capture endpoint with this friendly name; every name seen goes into seen for the error message.
IMMDevice* FindCaptureEndpoint(IMMDeviceEnumerator* e, const std::wstring& name, std::wstring* seen) {
  IMMDeviceCollection* all = nullptr;
  if (FAILED(e->EnumAudioEndpoints(eCapture, DEVICE_STATE_ACTIVE, &all))) return nullptr;
  UINT count = 0;
  all->GetCount(&count);
  IMMDevice* found = nullptr;
  for (UINT i = 0; i < count && !found; ++i) {
    IMMDevice* d = nullptr;
    if (FAILED(all->Item(i, &d))) continue;
    const std::wstring n = FriendlyName(d);
    *seen += (seen->empty() ? L"\"" : L", \"") + n + L"\"";
    if (n == name) {
      found = d;
    } else {
      d->Release();
    }
  }
  all->Release();
  return found;
}

enum class SampleKind { Float32, Int16, Unsupported };

// The extensible format's sub-types: the plain format tag in the first field of the common base GUID.
bool IsSubtype(const GUID& g, WORD tag) {
  static const GUID base = {0x00000000, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  GUID want = base;
  want.Data1 = tag;
  return g == want;
}

SampleKind KindOf(const WAVEFORMATEX* f) {
  WORD tag = f->wFormatTag;
  if (tag == WAVE_FORMAT_EXTENSIBLE) {
    const auto* x = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(f);
    if (IsSubtype(x->SubFormat, WAVE_FORMAT_IEEE_FLOAT)) tag = WAVE_FORMAT_IEEE_FLOAT;
    if (IsSubtype(x->SubFormat, WAVE_FORMAT_PCM)) tag = WAVE_FORMAT_PCM;
  }
  if (tag == WAVE_FORMAT_IEEE_FLOAT && f->wBitsPerSample == 32) return SampleKind::Float32;
  if (tag == WAVE_FORMAT_PCM && f->wBitsPerSample == 16) return SampleKind::Int16;
  return SampleKind::Unsupported;
}

bool WriteBytes(HANDLE pipe, HANDLE stop, const void* bytes, DWORD size) {
  OVERLAPPED ov{};
  ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD put = 0;
  bool ok = WriteFile(pipe, bytes, size, &put, &ov) != 0;
  if (!ok && GetLastError() == ERROR_IO_PENDING) {
    HANDLE both[] = {ov.hEvent, stop};
    if (WaitForMultipleObjects(2, both, FALSE, INFINITE) == WAIT_OBJECT_0) {
      ok = GetOverlappedResult(pipe, &ov, &put, FALSE) != 0;
    } else {
      CancelIo(pipe);
      GetOverlappedResult(pipe, &ov, &put, TRUE);
      ok = false;
    }
  }
  CloseHandle(ov.hEvent);
  return ok && put == size;
}

// A WAV stream of unknown length: the encoder reads its rate and channels from the header.
bool WriteWavHeader(HANDLE pipe, HANDLE stop, int rate, int channels) {
  unsigned char h[44];
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) h[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  auto put16 = [&](int at, uint32_t v) {
    h[at] = static_cast<unsigned char>(v);
    h[at + 1] = static_cast<unsigned char>(v >> 8);
  };
  memcpy(h, "RIFF", 4);
  put32(4, 0xFFFFFFFFu);
  memcpy(h + 8, "WAVEfmt ", 8);
  put32(16, 16);
  put16(20, 1);  // integer PCM
  put16(22, static_cast<uint32_t>(channels));
  put32(24, static_cast<uint32_t>(rate));
  put32(28, static_cast<uint32_t>(rate * channels * 2));
  put16(32, static_cast<uint32_t>(channels * 2));
  put16(34, 16);
  memcpy(h + 36, "data", 4);
  put32(40, 0);  // no length: the data runs to the end of the stream
  return WriteBytes(pipe, stop, h, sizeof h);
}

bool WriteSamples(HANDLE pipe, HANDLE stop, const std::vector<float>& samples, std::vector<short>* buffer) {
  if (samples.empty()) return true;
  buffer->resize(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    const float v = samples[i] < -1.0f ? -1.0f : samples[i] > 1.0f ? 1.0f : samples[i];
    (*buffer)[i] = static_cast<short>(std::lround(v * 32767.0f));
  }
  return WriteBytes(pipe, stop, buffer->data(), static_cast<DWORD>(buffer->size() * sizeof(short)));
}

double UnixNow() {
  using Precise = void(WINAPI*)(LPFILETIME);
  static const auto precise = reinterpret_cast<Precise>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  FILETIME ft;
  if (precise) {
    precise(&ft);
  } else {
    GetSystemTimeAsFileTime(&ft);
  }
  const unsigned long long t = static_cast<unsigned long long>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
  return static_cast<double>(t - 116444736000000000ull) / 1e7;
}

}  // namespace

std::wstring DescribeDefaultEndpoints() {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::wstring out;
  IMMDeviceEnumerator* e = nullptr;
  if (SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                 reinterpret_cast<void**>(&e)))) {
    for (auto [flow, what] : {std::pair{eRender, L"output (game sound by loopback): "},
                              std::pair{eCapture, L"capture (microphone): "}}) {
      IMMDevice* d = nullptr;
      out += out.empty() ? L"" : L"\r\n";
      out += what;
      if (SUCCEEDED(e->GetDefaultAudioEndpoint(flow, eConsole, &d))) {
        out += L"\"" + FriendlyName(d) + L"\"";
        d->Release();
      } else {
        out += L"none";
      }
    }
    e->Release();
  } else {
    out = L"no sound endpoints";
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return out;
}

bool CSoundSource::Open(const SoundEndpoint& endpoint, const std::wstring& label,
                        std::function<std::optional<double>()> pictureStart, std::wstring* description,
                        std::wstring* error) {
  m_pictureStart = std::move(pictureStart);
  m_label = label;
  m_bOpen = false;
  static std::atomic<int> serial{0};
  m_pipeName = L"\\\\.\\pipe\\vorlix-sound-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++serial);
  m_opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_bStop = false;
  m_thread = std::thread(&CSoundSource::Run, this, endpoint);
  WaitForSingleObject(m_opened, INFINITE);
  if (!m_bOpen) {
    *error = m_error;
    Stop();
    return false;
  }
  *description = m_description;
  return true;
}

void CSoundSource::Stop() {
  if (m_thread.joinable()) {
    m_bStop = true;
    SetEvent(m_stopEvent);
    m_thread.join();
  }
  if (m_opened) CloseHandle(m_opened);
  if (m_stopEvent) CloseHandle(m_stopEvent);
  m_opened = m_stopEvent = nullptr;
}

void CSoundSource::Run(SoundEndpoint endpoint) {
  const bool loopback = endpoint.kind == SoundEndpoint::Kind::OutputLoopback;
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IMMDeviceEnumerator* enumerator = nullptr;
  IMMDevice* device = nullptr;
  IAudioClient* client = nullptr;
  IAudioCaptureClient* capture = nullptr;
  WAVEFORMATEX* mix = nullptr;
  HANDLE pipe = INVALID_HANDLE_VALUE;
  SampleKind kind = SampleKind::Unsupported;
  auto fail = [&](const std::wstring& why) {
    m_error = why;
    SetEvent(m_opened);
  };
  HRESULT hr = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(&enumerator));
  std::wstring seen;
  if (FAILED(hr)) {
    fail(L"no audio endpoints (" + Hex(hr) + L")");
  } else if (loopback && FAILED(hr = enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device))) {
    fail(L"no default output to record (" + Hex(hr) + L")");
  } else if (endpoint.kind == SoundEndpoint::Kind::DefaultCapture &&
             FAILED(hr = enumerator->GetDefaultAudioEndpoint(eCapture, eConsole, &device))) {
    fail(L"no default capture endpoint (" + Hex(hr) + L")");
  } else if (endpoint.kind == SoundEndpoint::Kind::NamedCapture &&
             !(device = FindCaptureEndpoint(enumerator, endpoint.name, &seen))) {
    fail(L"no capture endpoint named \"" + endpoint.name + L"\" (there are: " + (seen.empty() ? L"none" : seen) +
         L")");
  } else if (FAILED(hr = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                          reinterpret_cast<void**>(&client)))) {
    fail(L"the endpoint cannot be opened (" + Hex(hr) + L")");
  } else if (FAILED(hr = client->GetMixFormat(&mix))) {
    fail(L"the endpoint has no format (" + Hex(hr) + L")");
  } else if ((kind = KindOf(mix)) == SampleKind::Unsupported) {
    fail(L"the endpoint's format is neither 32-bit float nor 16-bit samples");
  } else if (FAILED(hr = client->Initialize(AUDCLNT_SHAREMODE_SHARED, loopback ? AUDCLNT_STREAMFLAGS_LOOPBACK : 0,
                                            2000000, 0, mix, nullptr))) {
    fail(L"the endpoint does not start (" + Hex(hr) + L")");
  } else if (FAILED(hr = client->GetService(__uuidof(IAudioCaptureClient), reinterpret_cast<void**>(&capture)))) {
    fail((loopback ? L"this system cannot record its output (" : L"the endpoint cannot be read (") + Hex(hr) + L")");
  } else if ((pipe = CreateNamedPipeW(m_pipeName.c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                      PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 20, 0, 0, nullptr)) == INVALID_HANDLE_VALUE) {
    fail(L"no pipe for the encoder (error " + std::to_wstring(GetLastError()) + L")");
  } else {
    m_rate = static_cast<int>(mix->nSamplesPerSec);
    m_channels = mix->nChannels;
    m_description = (loopback ? L"loopback of \"" : L"capture endpoint \"") + FriendlyName(device) + L"\", " +
                    std::to_wstring(m_rate) + L" Hz, " + std::to_wstring(m_channels) + L" channels";
    m_bOpen = true;
    SetEvent(m_opened);
  }

  if (m_bOpen) {
    // The clock starts when the encoder opens its input; nothing captured before then is kept.
    OVERLAPPED ov{};
    ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool connected = ConnectNamedPipe(pipe, &ov) != 0 || GetLastError() == ERROR_PIPE_CONNECTED;
    if (!connected && GetLastError() == ERROR_IO_PENDING) {
      HANDLE both[] = {ov.hEvent, m_stopEvent};
      DWORD unused = 0;
      if (WaitForMultipleObjects(2, both, FALSE, INFINITE) == WAIT_OBJECT_0) {
        connected = GetOverlappedResult(pipe, &ov, &unused, FALSE) != 0;
      } else {
        CancelIo(pipe);
        GetOverlappedResult(pipe, &ov, &unused, TRUE);
      }
    }
    CloseHandle(ov.hEvent);
    if (connected) connected = WriteWavHeader(pipe, m_stopEvent, m_rate, m_channels);
    if (connected && SUCCEEDED(hr = client->Start())) {
      LARGE_INTEGER freq, start, now;
      QueryPerformanceFrequency(&freq);
      QueryPerformanceCounter(&start);
      long long leadUs = 0;
      const double connectedAt = UnixNow();
      const std::optional<double> picture = m_pictureStart ? m_pictureStart() : std::nullopt;
      if (picture && connectedAt > *picture && connectedAt - *picture < 10) {
        leadUs = static_cast<long long>((connectedAt - *picture) * 1e6);
        Log(m_label + L": its input opened " + std::to_wstring(leadUs / 1000) +
            L" ms after the first picture; as much silence goes first");
      } else {
        Log(m_label + L": the first picture's moment is unknown; the sound starts as the encoder opened it");
      }
      const CAudioPacer pacer(m_rate, m_rate / 10);
      long long written = 0;
      bool lost = false;
      std::vector<float> out;
      std::vector<short> pcm;
      while (!m_bStop) {
        out.clear();
        UINT32 packet = 0;
        while (!lost && SUCCEEDED(hr = capture->GetNextPacketSize(&packet)) && packet > 0) {
          BYTE* data = nullptr;
          UINT32 frames = 0;
          DWORD flags = 0;
          if (FAILED(hr = capture->GetBuffer(&data, &frames, &flags, nullptr, nullptr))) break;
          const size_t n = static_cast<size_t>(frames) * m_channels;
          const size_t at = out.size();
          out.resize(at + n, 0.0f);
          if (!(flags & AUDCLNT_BUFFERFLAGS_SILENT)) {
            if (kind == SampleKind::Float32) {
              memcpy(out.data() + at, data, n * sizeof(float));
            } else {
              const auto* s = reinterpret_cast<const short*>(data);
              for (size_t i = 0; i < n; ++i) out[at + i] = s[i] / 32768.0f;
            }
          }
          capture->ReleaseBuffer(frames);
        }
        if (!lost && FAILED(hr)) {
          lost = true;
          Log(m_label + L": the endpoint was lost (" + Hex(hr) + L"); recording silence from now on");
        }
        QueryPerformanceCounter(&now);
        const long long elapsedUs = leadUs + (now.QuadPart - start.QuadPart) * 1000000 / freq.QuadPart;
        const long long frames = static_cast<long long>(out.size()) / m_channels;
        const long long silence = pacer.SilenceDue(elapsedUs, written + frames);
        out.resize(out.size() + static_cast<size_t>(silence) * m_channels, 0.0f);
        if (!WriteSamples(pipe, m_stopEvent, out, &pcm)) break;  // the encoder ended
        written += frames + silence;
        WaitForSingleObject(m_stopEvent, 10);
      }
      client->Stop();
    } else if (connected) {
      Log(m_label + L": the endpoint does not run (" + Hex(hr) + L"); the encoder gets no sound");
    }
  }
  if (pipe != INVALID_HANDLE_VALUE) {
    DisconnectNamedPipe(pipe);
    CloseHandle(pipe);
  }
  Release(capture);
  Release(client);
  Release(device);
  Release(enumerator);
  if (mix) CoTaskMemFree(mix);
  CoUninitialize();
}

}  // namespace vorlix::recorder
