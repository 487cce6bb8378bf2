#pragma once
// The recorder program: one top-level window (hidden while it records for the program, visible when the
// user opens its settings), the encoder child, and a log of its own.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "recorder/FfmpegCommand.h"
#include "recorder/RecorderArgs.h"
#include "recorder/RecorderSettings.h"
#include "recorder/WindowFollower.h"
#include "recorder/win32/CFfmpegProcess.h"
#include "recorder/win32/CSoundSource.h"

namespace vorlix::recorder {

constexpr wchar_t kRecorderWindowClass[] = L"VorlixRecorder";
constexpr wchar_t kRecorderWindowTitle[] = L"Vorlix Recorder";

class CRecorderApp {
 public:
  int Run(HINSTANCE instance, const RecorderArgs& args);

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void StartLogs();
  bool StartRecording();
  void StopRecording(const char* why);
  std::vector<AudioInput> MicrophoneInputs(const std::wstring& ffmpeg);
  std::vector<AudioInput> GameSoundInputs();
  // The encoder logs its first input's start before it opens the next one.
  std::function<std::optional<double>()> PictureStart() const;
  std::wstring SettingsText() const;
  void FollowWindow();

  RecorderArgs m_args;
  RecorderSettings m_settings;
  CFfmpegProcess m_ffmpeg;
  CSoundSource m_sound;
  CSoundSource m_microphone;
  // Set while the recording is of the game's window: keeps the picture on it by its title.
  std::optional<CWindowFollower> m_follower;
  std::wstring m_followTitle;
  HWND m_hwnd = nullptr;
  HWND m_text = nullptr;
  std::wstring m_programDir;
  std::wstring m_logPath;
  std::wstring m_ffmpegLogPath;
  std::wstring m_output;
  std::wstring m_status;
};

}  // namespace vorlix::recorder
