#include "recording/win32/CMainFrame.h"

#include "shell/Log.h"
#include "shell/RecorderStop.h"

namespace vorlix {
namespace {
constexpr wchar_t kClassName[] = L"VorlixMainFrame";
constexpr wchar_t kTitle[] = L"Tavro一键回录";
}  // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() {
  if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

bool CMainFrame::CreateMainWindow() {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &CMainFrame::WndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hIcon = LoadIconW(inst, MAKEINTRESOURCEW(128));
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);

  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + (work.right - work.left - kWidth) / 2;
  int y = work.top + (work.bottom - work.top - kHeight) / 2;
  HWND hwnd = CreateWindowExW(0, kClassName, kTitle, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                              kWidth, kHeight, nullptr, nullptr, inst, this);
  return hwnd != nullptr && m_hWnd != nullptr;
}

LRESULT CALLBACK CMainFrame::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CMainFrame* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<CMainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->m_hWnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CMainFrame*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT r = self->ProcessWindowMessage(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->m_hWnd = nullptr;
  }
  return r;
}

LRESULT CMainFrame::ProcessWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      return InitMainWnd();
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        PostQuitMessage(0);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(m_hWnd, &ps);
      Paint(dc);
      EndPaint(m_hWnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      if (CMessageLoop* loop = Module().GetMessageLoop()) {
        loop->RemoveMessageFilter(this);
        loop->RemoveIdleHandler(this);
      }
      break;
  }
  return DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

int CMainFrame::InitMainWnd() {
  SetWindowTextW(m_hWnd, kTitle);
  if (CMessageLoop* loop = Module().GetMessageLoop()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }
  StartLog();
  return 0;
}

BOOL CMainFrame::PreTranslateMessage(MSG*) { return FALSE; }

void CMainFrame::ExitClient() {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", __LINE__) << "Exit Client" << '\n');
  TerminateRecorderProcess();
  if (m_hWnd) DestroyWindow(m_hWnd);
  PostQuitMessage(0);
}

void CMainFrame::Paint(HDC dc) {
  RECT rc;
  GetClientRect(m_hWnd, &rc);
  HBRUSH panel = CreateSolidBrush(RGB(0x1a, 0x27, 0x30));
  FillRect(dc, &rc, panel);
  DeleteObject(panel);
  RECT title{20, 8, rc.right - 20, 34};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0x9a, 0xbe, 0xcc));
  HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"黑体");
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, kTitle, -1, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace vorlix
