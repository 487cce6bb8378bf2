#pragma once
// The main controller and its window. The window is a borderless popup titled "Tavro一键回录"; its content,
// the session state and the user commands grow here.
#include <windows.h>

#include "shell/win32/MessageLoop.h"

namespace vorlix {

class CMainFrame : public CMessageFilter, public CIdleHandler {
 public:
  static constexpr int kWidth = 552;
  static constexpr int kHeight = 304;

  CMainFrame();
  ~CMainFrame() override;
  CMainFrame(const CMainFrame&) = delete;
  CMainFrame& operator=(const CMainFrame&) = delete;

  // Creates the top-level popup; creation runs InitMainWnd. False when the window could not be made.
  bool CreateMainWindow();
  HWND GetHwnd() const { return m_hWnd; }

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnIdle() override { return TRUE; }

  // Ends the program: stops the recorder, destroys the window and quits the loop with code 0.
  void ExitClient();

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT ProcessWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  int InitMainWnd();
  void Paint(HDC dc);

  HWND m_hWnd = nullptr;
};

}  // namespace vorlix
