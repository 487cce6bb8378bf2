#include "recording/win32/CShellIcon.h"

#include <cwchar>

#include "shell/WindowMessages.h"

namespace vorlix {
namespace {

ScreenRect FromRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

void CopyText(wchar_t* dst, size_t capacity, const wchar_t* src) {
  if (src == nullptr) src = L"";
  wcsncpy(dst, src, capacity - 1);
  dst[capacity - 1] = L'\0';
}

}  // namespace

void CMyIconMenu::ShowAtCursor(HWND owner, int menuResource) {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuResource));
  if (menu == nullptr) return;
  HMENU popup = GetSubMenu(menu, 0);
  POINT pt{};
  GetCursorPos(&pt);
  HMONITOR onMonitor = MonitorFromPoint(pt, MONITOR_DEFAULTTONULL);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi)) {
    pt.x = ClampMenuX(pt.x, onMonitor != nullptr, mi.rcWork.left, mi.rcWork.right);
  }
  if (popup != nullptr) TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, owner, nullptr);
  DestroyMenu(menu);
}

CShellIcon::CShellIcon() : m_uTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")) {}

CShellIcon::~CShellIcon() { RemoveIcon(); }

void CShellIcon::AddIcon(HWND window, HICON icon, const wchar_t* caption) {
  ZeroMemory(&m_nid, sizeof m_nid);
  m_nid.cbSize = NOTIFYICONDATAW_V3_SIZE;  // the 956-byte record: the shell of every supported version takes it
  m_nid.hWnd = window;
  m_nid.uID = kIconId;
  m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
  m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
  m_nid.hIcon = icon;
  CopyText(m_nid.szTip, sizeof m_nid.szTip / sizeof(wchar_t), caption);
  CopyText(m_nid.szInfoTitle, sizeof m_nid.szInfoTitle / sizeof(wchar_t), caption);
  m_nid.szInfo[0] = L'\0';
  m_nid.dwInfoFlags = NIIF_USER;
  m_strCaption = caption != nullptr ? caption : L"";
  m_bAdded = Shell_NotifyIconW(NIM_ADD, &m_nid) != FALSE;
}

void CShellIcon::SetTip(const std::wstring& tip) {
  if (m_nid.hWnd == nullptr) return;
  const std::wstring text = tip.empty() ? m_strCaption : tip;
  CopyText(m_nid.szTip, sizeof m_nid.szTip / sizeof(wchar_t), text.c_str());
  NOTIFYICONDATAW mod = m_nid;
  mod.uFlags = NIF_TIP;
  Shell_NotifyIconW(NIM_MODIFY, &mod);
}

void CShellIcon::RemoveIcon() {
  if (m_nid.hWnd == nullptr) return;
  NOTIFYICONDATAW del{};
  del.cbSize = NOTIFYICONDATAW_V3_SIZE;
  del.hWnd = m_nid.hWnd;
  del.uID = kIconId;
  Shell_NotifyIconW(NIM_DELETE, &del);
  m_bAdded = false;
}

bool CShellIcon::HandleTrayMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_TRAY_NOTIFY) {
    OnTrayNotify(wParam, lParam);
    result = 0;
    return true;
  }
  if (msg == m_uTaskbarCreated && m_uTaskbarCreated != 0) {
    NOTIFYICONDATAW keep = m_nid;
    RemoveIcon();
    m_nid = keep;
    m_bAdded = Shell_NotifyIconW(NIM_ADD, &m_nid) != FALSE;
    result = 0;
    return true;
  }
  if (msg == WM_SIZE && m_nid.hWnd != nullptr && IsIconic(m_nid.hWnd)) {
    ShowWindow(m_nid.hWnd, SW_HIDE);
    result = 0;
    return true;
  }
  return false;
}

void CShellIcon::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
  if (iconId != kIconId) return;
  HWND window = m_nid.hWnd;
  if (mouseMessage == WM_LBUTTONUP) {
    PostMessageW(window, WM_SHOW_MAIN_WINDOW, 0, 0);
  } else if (mouseMessage == WM_RBUTTONUP) {
    // The balloon would show again with the modify; its first character is put back afterwards.
    wchar_t first = m_nid.szInfo[0];
    m_nid.szInfo[0] = L'\0';
    Shell_NotifyIconW(NIM_MODIFY, &m_nid);
    // In front, so that the menu closes when the user clicks elsewhere.
    SetForegroundWindow(window);
    CMyIconMenu::ShowAtCursor(window, kMenuResource);
    m_nid.szInfo[0] = first;
  }
}

void CShellIcon::MinimizeToTray() {
  HWND window = m_nid.hWnd;
  if (window == nullptr) return;
  BOOL animate = FALSE;
  ANIMATIONINFO ai{};
  ai.cbSize = sizeof ai;
  if (SystemParametersInfoW(SPI_GETANIMATION, sizeof ai, &ai, 0)) animate = ai.iMinAnimate != 0;
  if (animate) {
    RECT from{};
    GetWindowRect(window, &from);
    CShellTrayQueries queries;
    ScreenRect to = TrayAreaRectangle(queries);
    RECT target{to.left, to.top, to.right, to.bottom};
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &target);
  }
  ShowWindow(window, SW_HIDE);
  ShowWindow(window, SW_MINIMIZE);
  ShowWindow(window, SW_HIDE);
}

bool CShellTrayQueries::NotifyAreaRect(ScreenRect& rc) {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (tray == nullptr) return false;
  HWND notify = FindWindowExW(tray, nullptr, L"TrayNotifyWnd", nullptr);
  RECT r{};
  if (notify == nullptr || !GetWindowRect(notify, &r)) return false;
  rc = FromRect(r);
  return true;
}

bool CShellTrayQueries::TaskbarPosition(TaskbarEdge& edge, ScreenRect& rc) {
  APPBARDATA abd{};
  abd.cbSize = sizeof abd;
  if (!SHAppBarMessage(ABM_GETTASKBARPOS, &abd)) return false;
  switch (abd.uEdge) {
    case ABE_LEFT: edge = TaskbarEdge::Left; break;
    case ABE_RIGHT: edge = TaskbarEdge::Right; break;
    case ABE_TOP: edge = TaskbarEdge::Top; break;
    default: edge = TaskbarEdge::Bottom; break;
  }
  rc = FromRect(abd.rc);
  return true;
}

bool CShellTrayQueries::TaskbarWindowRect(ScreenRect& rc) {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  RECT r{};
  if (tray == nullptr || !GetWindowRect(tray, &r)) return false;
  rc = FromRect(r);
  return true;
}

ScreenRect CShellTrayQueries::WorkArea() {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return FromRect(r);
}

}  // namespace vorlix
