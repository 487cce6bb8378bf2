#pragma once
// The encoder child of the recorder. It lives in a job that dies with the recorder, so a recorder that is
// terminated never leaves an encoder recording on its own; what it wrote so far stays playable.
#include <windows.h>

#include <string>

#include "base/win32/Handle.h"

namespace vorlix::recorder {

class CFfmpegProcess {
 public:
  // Starts the command line hidden, with a pipe on its standard input and its diagnostics appended to
  // logPath. Returns false (with the system error) when it cannot start.
  bool Start(const std::wstring& commandLine, const std::wstring& logPath, DWORD* error);
  bool Running() const { return static_cast<bool>(m_process); }
  HANDLE Handle() const { return m_process.Get(); }
  DWORD Id() const { return m_id; }
  // After the process handle was signalled: collects the exit code and lets the process go.
  DWORD Finish();
  // Types text on the encoder's keyboard input (its interactive commands). False when it cannot.
  bool Send(const std::string& text);
  // Asks for a clean end ("q" on its input, as ffmpeg expects from its keyboard) and waits up to waitMs;
  // past that it is killed. Returns the exit code.
  DWORD Stop(DWORD waitMs);

 private:
  CKernelHandle m_job;
  CKernelHandle m_process;
  CKernelHandle m_input;
  DWORD m_id = 0;
};

}  // namespace vorlix::recorder
