#include "recorder/win32/CRecorderApp.h"

#include <vector>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "recorder/FfmpegCommand.h"
#include "recording/CommandRunner.h"
#include "shell/Log.h"

namespace vorlix::recorder {
namespace {

void Log(const std::wstring& text) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "Recorder", 0) << WideToAnsi(text) << '\n');
}

std::wstring OneLine(std::wstring text) {
  for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L"; ");
  return text;
}

void CreateFolders(const std::wstring& dir) {
  for (size_t i = 1; i <= dir.size(); ++i) {
    if (i < dir.size() && dir[i] != L'\\') continue;
    std::wstring prefix = dir.substr(0, i);
    if (prefix.back() != L':' && !DirectoryExists(prefix)) CreateOneDirectory(prefix);
  }
}

// The client area of the window with this title in the coordinates of the desktop picture (whose
// corner is the virtual screen's); none when there is no such window or it shows nothing.
std::optional<CaptureRect> ClientAreaOf(const std::wstring& title) {
  HWND hwnd = FindWindowW(nullptr, title.c_str());
  if (!hwnd || !IsWindowVisible(hwnd) || IsIconic(hwnd)) return std::nullopt;
  RECT client;
  POINT corner{0, 0};
  if (!GetClientRect(hwnd, &client) || !ClientToScreen(hwnd, &corner)) return std::nullopt;
  return CaptureRect{corner.x - GetSystemMetrics(SM_XVIRTUALSCREEN), corner.y - GetSystemMetrics(SM_YVIRTUALSCREEN),
                     client.right, client.bottom};
}

std::wstring Describe(const CaptureRect& r) {
  return std::to_wstring(r.cx) + L"x" + std::to_wstring(r.cy) + L" at " + std::to_wstring(r.x) + L"," +
         std::to_wstring(r.y);
}

// How often the game's window is looked up while recording it.
constexpr DWORD kFollowIntervalMs = 250;

}  // namespace

void CRecorderApp::StartLogs() {
  std::wstring roaming = GetRoamingAppDataPath();
  std::wstring dir = roaming.empty() ? GetAppDirectory() + L"logs" : roaming + L"\\vorlix\\logs";
  CreateFolders(dir);
  const std::wstring stem = dir + L"\\recorder_" + AnsiToWide(GetTimeString());
  m_logPath = stem + L".log";
  m_ffmpegLogPath = stem + L"_ffmpeg.log";
  ConfigureLog(2, LOG_TIME | LOG_LEVEL | LOG_FILE, WideToAnsi(m_logPath));
}

std::function<std::optional<double>()> CRecorderApp::PictureStart() const {
  const std::wstring ffmpegLog = m_ffmpegLogPath;
  return [ffmpegLog]() -> std::optional<double> {
    std::string text;
    if (!ReadWholeFile(ffmpegLog, text)) return std::nullopt;
    return FirstInputStart(text);
  };
}

std::vector<AudioInput> CRecorderApp::MicrophoneInputs(const std::wstring& ffmpeg) {
  if (!m_settings.bMicrophone) {
    Log(L"microphone is off in the scene file: recording without it");
    return {};
  }
  SoundEndpoint endpoint;
  endpoint.kind = m_settings.microphoneDevice.empty() ? SoundEndpoint::Kind::DefaultCapture
                                                      : SoundEndpoint::Kind::NamedCapture;
  endpoint.name = m_settings.microphoneDevice;
  std::wstring description, error;
  if (m_microphone.Open(endpoint, L"microphone", PictureStart(), &description, &error)) {
    Log(L"microphone: " + description);
    return {AudioInput{L"wav", m_microphone.PipeName(), L"-thread_queue_size 1024"}};
  }
  Log(L"microphone: " + error + L"; trying DirectShow");
  const std::wstring listing =
      ExecCmd(WideToAnsi(QuoteArgument(ffmpeg) + L" -hide_banner -list_devices true -f dshow -i dummy"));
  if (LacksDshowInput(listing)) {
    Log(L"microphone is on, but this ffmpeg has no DirectShow input: recording without it");
    return {};
  }
  std::vector<std::wstring> devices = ParseDshowAudioDevices(listing);
  if (devices.empty()) {
    Log(L"microphone is on, but no audio capture device exists: recording without it");
    return {};
  }
  std::wstring device = devices.front();
  for (const std::wstring& d : devices)
    if (d == m_settings.microphoneDevice) device = d;
  Log(L"microphone: " + device);
  return {AudioInput{L"dshow", L"audio=" + device, L""}};
}

std::vector<AudioInput> CRecorderApp::GameSoundInputs() {
  std::wstring description, error;
  SoundEndpoint endpoint;
  if (!m_settings.testOnlySoundEndpoint.empty()) {
    endpoint.kind = SoundEndpoint::Kind::NamedCapture;
    endpoint.name = m_settings.testOnlySoundEndpoint;
  }
  if (!m_sound.Open(endpoint, L"game sound", PictureStart(), &description, &error)) {
    Log(L"game sound: " + error + L"; recording without it");
    return {};
  }
  Log(L"game sound: " + description);
  return {AudioInput{L"wav", m_sound.PipeName(), L"-thread_queue_size 1024"}};
}

bool CRecorderApp::StartRecording() {
  if (m_args.name.empty() || m_args.folder.empty()) {
    m_status = L"not recording: the folder or the file name is missing on the command line";
    Log(m_status);
    return false;
  }
  if (!DirectoryExists(m_args.folder)) {
    m_status = L"not recording: the folder " + m_args.folder + L" does not exist";
    Log(m_status);
    return false;
  }
  const std::wstring ffmpeg = m_programDir + L"ffmpeg.exe";
  if (!FileExists(ffmpeg)) {
    m_status = L"not recording: " + ffmpeg + L" is missing";
    Log(m_status);
    return false;
  }
  const std::wstring title = ReadProgramGameTitle(m_programDir);
  const int desktopCX = GetSystemMetrics(SM_CXVIRTUALSCREEN), desktopCY = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const CaptureChoice capture = ChooseCapture(m_settings, title, title.empty() ? std::nullopt : ClientAreaOf(title),
                                              desktopCX, desktopCY);
  Log(capture.bWindow ? L"capture source: window \"" + capture.title + L"\" (" + capture.reason + L"), " +
                            Describe(capture.region) + L" of the desktop, followed by its title"
                      : L"capture source: desktop (" + capture.reason + L")");

  m_output = RecordingPath(m_args);
  std::vector<AudioInput> audio = GameSoundInputs();
  for (AudioInput& mic : MicrophoneInputs(ffmpeg)) audio.push_back(mic);
  const std::wstring command = BuildRecordCommand(ffmpeg, m_settings, capture, audio, m_output);
  Log(L"ffmpeg: " + command);
  DWORD error = 0;
  if (!m_ffmpeg.Start(command, m_ffmpegLogPath, &error)) {
    m_sound.Stop();
    m_microphone.Stop();
    m_status = L"not recording: ffmpeg could not start (error " + std::to_wstring(error) + L")";
    Log(m_status);
    return false;
  }
  if (capture.bWindow) {
    m_follower.emplace(capture.region, desktopCX, desktopCY);
    m_followTitle = capture.title;
  }
  m_status = L"recording to " + m_output;
  Log(m_status + L" (ffmpeg process " + std::to_wstring(m_ffmpeg.Id()) + L", its log " + m_ffmpegLogPath + L")");
  return true;
}

void CRecorderApp::FollowWindow() {
  if (!m_follower || !m_ffmpeg.Running()) return;
  std::wstring note;
  for (const FilterCommand& c : m_follower->Follow(ClientAreaOf(m_followTitle), &note)) {
    if (!m_ffmpeg.Send(KeyboardText(c))) {
      Log(L"could not pass a command to ffmpeg; the picture stays as it is");
      break;
    }
  }
  if (!note.empty()) Log(note);
}

void CRecorderApp::StopRecording(const char* why) {
  m_follower.reset();
  if (!m_ffmpeg.Running()) return;
  Log(AnsiToWide(why) + L": stopping ffmpeg");
  DWORD code = m_ffmpeg.Stop(15000);
  m_sound.Stop();
  m_microphone.Stop();
  Log(L"ffmpeg ended with exit code " + std::to_wstring(code) + L"; recording " + m_output);
}

std::wstring CRecorderApp::SettingsText() const {
  return DescribeSettings(m_settings) + L"\r\n\r\nsound endpoints now:\r\n" + DescribeDefaultEndpoints() +
         L"\r\n\r\nprofile: " + GetRecorderProfilePath() +
         L"\r\nscene: " + GetRecorderScenePath() + L"\r\nprogram settings: " + m_programDir +
         L"Config\\Config.ini\r\nffmpeg: " + m_programDir + L"ffmpeg.exe\r\nlog: " + m_logPath +
         (m_status.empty() ? L"" : L"\r\n\r\n" + m_status);
}

LRESULT CALLBACK CRecorderApp::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<CRecorderApp*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->OnMessage(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CRecorderApp::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      StopRecording("asked to close");
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      // The controller sends WM_DESTROY after WM_CLOSE; it may also come alone.
      StopRecording("window destroyed");
      if (hwnd == m_hwnd) {
        Log(L"recorder exits");
        m_hwnd = nullptr;
        PostQuitMessage(0);
      }
      return 0;
    case WM_SIZE:
      if (m_text) MoveWindow(m_text, 8, 8, LOWORD(lp) - 16, HIWORD(lp) - 16, TRUE);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

int CRecorderApp::Run(HINSTANCE instance, const RecorderArgs& args) {
  m_args = args;
  m_programDir = ProgramDirectoryFrom(GetAppDirectory());
  StartLogs();
  Log(L"recorder starts in " + GetAppDirectory() + (args.bStartRecording ? L", recording" : L", settings only") +
      (args.bNoShow ? L", hidden" : L", shown"));
  const std::wstring created =
      EnsureRecorderProfile(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (!created.empty()) Log(L"first start: " + created);
  m_settings = LoadRecorderSettings();
  Log(L"settings: " + OneLine(DescribeSettings(m_settings)));

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kRecorderWindowClass;
  RegisterClassExW(&wc);
  m_hwnd = CreateWindowExW(0, kRecorderWindowClass, kRecorderWindowTitle, WS_OVERLAPPEDWINDOW, 120, 120, 640, 360,
                           nullptr, nullptr, instance, this);
  if (!m_hwnd) {
    Log(L"the recorder window could not be created");
    return 2;
  }

  bool recording = args.bStartRecording && StartRecording();
  const bool shown = !args.bNoShow;
  if (!recording && !shown) {
    DestroyWindow(m_hwnd);
    MSG drop;
    while (PeekMessageW(&drop, nullptr, 0, 0, PM_REMOVE)) {
    }
    return 1;
  }
  if (shown) {
    m_text = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", SettingsText().c_str(),
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 8, 8,
                             600, 300, m_hwnd, nullptr, instance, nullptr);
    SendMessageW(m_text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
  }

  // Sleeps until a message arrives, the encoder ends, or the game's window is due for a look.
  ULONGLONG nextFollow = GetTickCount64() + kFollowIntervalMs;
  for (;;) {
    HANDLE waitFor = m_ffmpeg.Handle();
    DWORD timeout = INFINITE;
    if (m_follower) {
      const ULONGLONG now = GetTickCount64();
      if (now >= nextFollow) {
        FollowWindow();
        nextFollow = now + kFollowIntervalMs;
      }
      timeout = static_cast<DWORD>(nextFollow - now);
    }
    DWORD r = MsgWaitForMultipleObjects(waitFor ? 1 : 0, &waitFor, FALSE, timeout, QS_ALLINPUT);
    if (r == WAIT_TIMEOUT) continue;
    if (waitFor && r == WAIT_OBJECT_0) {
      m_follower.reset();
      DWORD code = m_ffmpeg.Finish();
      m_sound.Stop();
      m_microphone.Stop();
      m_status = L"ffmpeg ended by itself with exit code " + std::to_wstring(code) + L"; see " + m_ffmpegLogPath;
      Log(m_status);
      if (m_text) SetWindowTextW(m_text, SettingsText().c_str());
      if (!shown && m_hwnd) DestroyWindow(m_hwnd);
      continue;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace vorlix::recorder
