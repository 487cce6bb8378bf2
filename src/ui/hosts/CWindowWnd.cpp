#include "ui/hosts/CWindowWnd.h"

#include "ui/core/CUIManager.h"

namespace vorlix {

namespace {

HINSTANCE ClassInstance() {
  HINSTANCE instance = CUIManager::GetClassInstance();
  return instance != nullptr ? instance : GetModuleHandleW(nullptr);
}

HINSTANCE ResourceInstance() {
  HINSTANCE instance = CUIManager::GetResourceInstance();
  return instance != nullptr ? instance : GetModuleHandleW(nullptr);
}

bool RegisteredOrExists(ATOM atom) { return atom != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS; }

}  // namespace

HWND CWindowWnd::Create(HWND hwndParent, const wchar_t* pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc,
                        HMENU hMenu) {
  return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                hMenu);
}

HWND CWindowWnd::Create(HWND hwndParent, const wchar_t* pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y,
                        int cx, int cy, HMENU hMenu) {
  if (GetSuperClassName() != nullptr ? !RegisterSuperclass() : !RegisterWindowClass()) return nullptr;
  // The procedures fill m_hWnd at WM_NCCREATE; the result covers a window that refused creation.
  HWND hWnd = CreateWindowExW(dwExStyle, GetWindowClassName(), pstrName, dwStyle, x, y, cx, cy, hwndParent, hMenu,
                              ClassInstance(), this);
  if (hWnd == nullptr) m_hWnd = nullptr;
  return hWnd;
}

bool CWindowWnd::RegisterWindowClass() {
  static HBRUSH grey = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
  WNDCLASSW wc = {};
  wc.style = GetClassStyle();
  wc.lpfnWndProc = &CWindowWnd::WindowProc;
  wc.hInstance = ClassInstance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = grey;
  wc.lpszClassName = GetWindowClassName();
  return RegisteredOrExists(RegisterClassW(&wc));
}

bool CWindowWnd::RegisterSuperclass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(nullptr, GetSuperClassName(), &wc) && !GetClassInfoExW(ClassInstance(), GetSuperClassName(), &wc))
    return false;
  // Every object of the class forwards to the system class's own procedure.
  m_OldWndProc = wc.lpfnWndProc;
  wc.lpfnWndProc = &CWindowWnd::ControlProc;
  wc.hInstance = ClassInstance();
  wc.lpszClassName = GetWindowClassName();
  return RegisteredOrExists(RegisterClassExW(&wc));
}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (uMsg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<CWindowWnd*>(cs->lpCreateParams);
    if (self != nullptr) {
      self->m_hWnd = hWnd;
      SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (uMsg == WM_NCDESTROY && self != nullptr) return FinalMessage(self, hWnd, wParam, lParam, false);
  }
  if (self != nullptr) return self->HandleMessage(uMsg, wParam, lParam);
  return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (uMsg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<CWindowWnd*>(cs->lpCreateParams);
    if (self != nullptr) {
      self->m_hWnd = hWnd;
      SetPropW(hWnd, kWindowObjectProperty, self);
    }
  } else {
    self = static_cast<CWindowWnd*>(GetPropW(hWnd, kWindowObjectProperty));
    if (uMsg == WM_NCDESTROY && self != nullptr) return FinalMessage(self, hWnd, wParam, lParam, true);
  }
  if (self != nullptr) return self->HandleMessage(uMsg, wParam, lParam);
  return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::FinalMessage(CWindowWnd* self, HWND hWnd, WPARAM wParam, LPARAM lParam, bool byProperty) {
  LRESULT result = CallWindowProcW(self->m_OldWndProc, hWnd, WM_NCDESTROY, wParam, lParam);
  if (byProperty)
    RemovePropW(hWnd, kWindowObjectProperty);
  else
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
  if (self->m_bSubclassed) self->Unsubclass();
  self->m_hWnd = nullptr;
  self->OnFinalMessage(hWnd);
  return result;
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return CallPreviousProc(uMsg, wParam, lParam);
}

LRESULT CWindowWnd::CallPreviousProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (m_hWnd == nullptr) return 0;
  return CallWindowProcW(m_OldWndProc, m_hWnd, uMsg, wParam, lParam);
}

HWND CWindowWnd::Subclass(HWND hWnd) {
  if (hWnd == nullptr || !IsWindow(hWnd) || m_bSubclassed) return nullptr;
  if (!SetPropW(hWnd, kWindowObjectProperty, this)) return nullptr;
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowWnd::ControlProc)));
  if (previous == nullptr) {
    RemovePropW(hWnd, kWindowObjectProperty);
    return nullptr;
  }
  m_OldWndProc = previous;
  m_bSubclassed = true;
  m_hWnd = hWnd;
  return hWnd;
}

void CWindowWnd::Unsubclass() {
  if (!m_bSubclassed || m_hWnd == nullptr) return;
  if (IsWindow(m_hWnd)) {
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldWndProc));
    RemovePropW(m_hWnd, kWindowObjectProperty);
  }
  m_OldWndProc = ::DefWindowProcW;
  m_bSubclassed = false;
  m_hWnd = nullptr;
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
  if (m_hWnd == nullptr || !IsWindow(m_hWnd)) return;
  ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

bool CWindowWnd::ShowModal() {
  if (m_hWnd == nullptr || !IsWindow(m_hWnd)) return false;
  // Locals only from here on: the object may delete itself when its window goes.
  HWND hWnd = m_hWnd;
  HWND hWndParent = GetWindow(hWnd, GW_OWNER);
  if (hWndParent != nullptr) EnableWindow(hWndParent, FALSE);
  ::ShowWindow(hWnd, SW_SHOWNORMAL);
  bool closed = true;
  MSG msg = {};
  while (IsWindow(hWnd)) {
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == -1) continue;
    if (r == 0) {
      // The outer loop still has to see the quit request.
      PostQuitMessage(static_cast<int>(msg.wParam));
      closed = false;
      break;
    }
    if (CUIManager::TranslateUIMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (hWndParent != nullptr) {
    EnableWindow(hWndParent, TRUE);
    SetForegroundWindow(hWndParent);
  }
  return closed;
}

void CWindowWnd::Close() {
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CenterWindowOnOwner(HWND hWnd) {
  if (hWnd == nullptr || !IsWindow(hWnd)) return;
  RECT rcWnd;
  GetWindowRect(hWnd, &rcWnd);
  HWND hWndOwner = GetWindow(hWnd, GW_OWNER);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  GetMonitorInfoW(MonitorFromWindow(hWndOwner != nullptr ? hWndOwner : hWnd, MONITOR_DEFAULTTONEAREST), &mi);
  RECT rcArea = mi.rcWork;
  RECT rcCenter = rcArea;
  if (hWndOwner != nullptr) GetWindowRect(hWndOwner, &rcCenter);
  int w = rcWnd.right - rcWnd.left;
  int h = rcWnd.bottom - rcWnd.top;
  int x = (rcCenter.left + rcCenter.right) / 2 - w / 2;
  int y = (rcCenter.top + rcCenter.bottom) / 2 - h / 2;
  // Inside the work area; a window larger than the area keeps its top-left corner in view.
  if (x + w > rcArea.right) x = rcArea.right - w;
  if (y + h > rcArea.bottom) y = rcArea.bottom - h;
  if (x < rcArea.left) x = rcArea.left;
  if (y < rcArea.top) y = rcArea.top;
  SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::CenterWindow() { CenterWindowOnOwner(m_hWnd); }

void CWindowWnd::ResizeClient(int cx, int cy) {
  if (m_hWnd == nullptr || !IsWindow(m_hWnd)) return;
  RECT rc;
  if (!GetClientRect(m_hWnd, &rc)) return;
  if (cx != -1) rc.right = cx;
  if (cy != -1) rc.bottom = cy;
  DWORD style = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE));
  DWORD exStyle = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE));
  BOOL hasMenu = (style & WS_CHILD) == 0 && GetMenu(m_hWnd) != nullptr;
  if (!AdjustWindowRectEx(&rc, style, hasMenu, exStyle)) return;
  SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT nRes) {
  if (m_hWnd == nullptr) return;
  HINSTANCE instance = ResourceInstance();
  auto* hBig = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(nRes), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  auto* hSmall = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(nRes), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                              LR_DEFAULTCOLOR));
  if (hBig != nullptr) SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hBig));
  if (hSmall != nullptr) SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hSmall));
}

std::wstring CWindowWnd::LoadString(UINT id) const {
  wchar_t buffer[256] = {};
  int n = ::LoadStringW(ClassInstance(), id, buffer, 256);
  return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n)) : std::wstring();
}

}  // namespace vorlix
