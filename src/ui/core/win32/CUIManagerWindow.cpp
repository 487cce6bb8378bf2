// The window-system half of the manager: message routing, painting, tooltips, native timers, capture.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>
#include <objidl.h>  // GDI+ needs the COM property types that the lean Windows header leaves out
#include <gdiplus.h>

#include <type_traits>

#include "ui/core/CUIManager.h"
#include "ui/render/UIStyle.h"
#include "ui/render/win32/CGdiRenderPainter.h"

namespace vorlix {

static_assert(std::is_same<UIWindow, HWND>::value, "UIWindow must be HWND");
static_assert(std::is_same<UIDeviceContext, HDC>::value, "UIDeviceContext must be HDC");
static_assert(std::is_same<UIBitmap, HBITMAP>::value, "UIBitmap must be HBITMAP");
static_assert(std::is_same<UIModule, HINSTANCE>::value, "UIModule must be HINSTANCE");
static_assert(std::is_same<UIMessage, MSG>::value, "UIMessage must be MSG");
static_assert(std::is_same<UIWParam, WPARAM>::value, "UIWParam must be WPARAM");
static_assert(std::is_same<UILParam, LPARAM>::value, "UILParam must be LPARAM");
static_assert(std::is_same<UILResult, LRESULT>::value, "UILResult must be LRESULT");
static_assert(kUIMsgReapTrees == WM_APP + 1, "deferred deletion is WM_APP + 1");

namespace {

UIPoint PointFromLParam(LPARAM lParam) { return MakeUIPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

RECT ToRect(const UIRect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }
UIRect FromRect(const RECT& rc) { return MakeUIRect(rc.left, rc.top, rc.right, rc.bottom); }

std::uint16_t KeyStateFromMouse(WPARAM wParam) {
  std::uint16_t state = 0;
  if ((wParam & MK_LBUTTON) != 0) state |= UIKEYSTATE_LBUTTON;
  if ((wParam & MK_RBUTTON) != 0) state |= UIKEYSTATE_RBUTTON;
  if ((wParam & MK_SHIFT) != 0) state |= UIKEYSTATE_SHIFT;
  if ((wParam & MK_CONTROL) != 0) state |= UIKEYSTATE_CONTROL;
  if (GetKeyState(VK_MENU) < 0) state |= UIKEYSTATE_ALT;
  return state;
}

void EnsureCommonControls() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  done = true;
}

}  // namespace

void CUIManager::PlatformConstruct() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) m_uGdiplusToken = token;
  m_uMsgMouseWheel = RegisterWindowMessageW(L"MSWHEEL_ROLLMSG");
  int cx = GetSystemMetrics(SM_CXVSCROLL);
  m_szScrollBar.cx = cx;
  m_szScrollBar.cy = cx;
}

void CUIManager::PlatformInit() {
  if (m_hDcPaint != nullptr) return;
  m_hDcPaint = GetDC(m_hWndPaint);
}

void CUIManager::PlatformDestruct() {
  if (m_hwndTooltip != nullptr) DestroyWindow(m_hwndTooltip);
  m_hwndTooltip = nullptr;
  if (m_hDcOffscreen != nullptr) DeleteDC(m_hDcOffscreen);
  if (m_hbmpOffscreen != nullptr) DeleteObject(m_hbmpOffscreen);
  m_hDcOffscreen = nullptr;
  m_hbmpOffscreen = nullptr;
  if (m_hDcPaint != nullptr) ReleaseDC(m_hWndPaint, m_hDcPaint);
  m_hDcPaint = nullptr;
  if (m_uGdiplusToken != 0) Gdiplus::GdiplusShutdown(m_uGdiplusToken);
  m_uGdiplusToken = 0;
}

std::uint32_t CUIManager::PlatformTickCount() const { return GetTickCount(); }

void CUIManager::PlatformInvalidate(const UIRect* rc) {
  if (m_hWndPaint == nullptr) return;
  if (rc == nullptr) {
    InvalidateRect(m_hWndPaint, nullptr, FALSE);
  } else {
    RECT r = ToRect(*rc);
    InvalidateRect(m_hWndPaint, &r, FALSE);
  }
}

void CUIManager::PlatformPostReap() {
  if (m_hWndPaint != nullptr) PostMessageW(m_hWndPaint, WM_APP + 1, 0, 0);
}

bool CUIManager::PlatformSetTimer(unsigned nativeId, unsigned elapseMs) {
  if (m_hWndPaint == nullptr) return false;
  return ::SetTimer(m_hWndPaint, nativeId, elapseMs, nullptr) != 0;
}

void CUIManager::PlatformKillTimer(UIWindow hWnd, unsigned nativeId) {
  if (hWnd != nullptr) ::KillTimer(hWnd, nativeId);
}

std::uint16_t CUIManager::CurrentKeyState() const {
  std::uint16_t state = 0;
  if (GetKeyState(VK_LBUTTON) < 0) state |= UIKEYSTATE_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) state |= UIKEYSTATE_RBUTTON;
  if (GetKeyState(VK_SHIFT) < 0) state |= UIKEYSTATE_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) state |= UIKEYSTATE_CONTROL;
  if (GetKeyState(VK_MENU) < 0) state |= UIKEYSTATE_ALT;
  return state;
}

UISize CUIManager::GetClientSize() const {
  UISize size;
  RECT rc = {0, 0, 0, 0};
  if (m_hWndPaint != nullptr && GetClientRect(m_hWndPaint, &rc)) {
    size.cx = rc.right - rc.left;
    size.cy = rc.bottom - rc.top;
  }
  return size;
}

void CUIManager::SetCursorShape(UICursorShape shape) {
  LPCWSTR id = IDC_ARROW;
  switch (shape) {
    case UICursorShape::Arrow: id = IDC_ARROW; break;
    case UICursorShape::Hand: id = IDC_HAND; break;
    case UICursorShape::IBeam: id = IDC_IBEAM; break;
    case UICursorShape::SizeWE: id = IDC_SIZEWE; break;
  }
  ::SetCursor(LoadCursorW(nullptr, id));
}

void CUIManager::ProcessPostPaint(UIDeviceContext hdc) {
  CGdiRenderPainter painter(hdc);
  for (int i = 0; i < m_aPostPaint.GetSize(); ++i) {
    const auto* blit = static_cast<const UIPostPaint*>(m_aPostPaint.GetAt(i));
    painter.AlphaBlendBitmap(blit->hBitmap, blit->rcDest, blit->alpha);
  }
  m_aPostPaint.Empty();
}

void CUIManager::SendKeyEvent(CUIControl* target, std::int32_t type, UIWParam wParam, UILParam lParam) {
  UIEvent event = MakeEvent(type);
  event.chKey = static_cast<wchar_t>(wParam);
  event.wParam = wParam;
  event.lParam = lParam;
  SendEvent(target, event);
}

bool CUIManager::MessageHandler(unsigned uMsg, UIWParam wParam, UILParam lParam, UILResult& lRes) {
  if (m_hWndPaint == nullptr || !IsWindow(m_hWndPaint)) return false;
  for (int i = 0; i < m_aMessageFilters.GetSize(); ++i) {
    bool handled = false;
    LRESULT result = static_cast<IUIMessageFilter*>(m_aMessageFilters.GetAt(i))->MessageFilter(uMsg, wParam, lParam, handled);
    if (handled) {
      lRes = result;
      return true;
    }
  }

  if (uMsg == m_uMsgMouseWheel && m_uMsgMouseWheel != 0) uMsg = WM_MOUSEWHEEL + 0x10000;  // see the wheel case

  switch (uMsg) {
    case WM_PAINT: {
      RECT rcUpdate = {0, 0, 0, 0};
      if (!GetUpdateRect(m_hWndPaint, &rcUpdate, FALSE)) {
        lRes = 0;
        return true;
      }
      bool layoutPending = m_bUpdateNeeded;
      if (m_bUpdateNeeded) {
        RECT rcClient = {0, 0, 0, 0};
        GetClientRect(m_hWndPaint, &rcClient);
        if (!IsRectEmpty(&rcClient) && m_pRoot != nullptr) {
          m_pRoot->SetPos(rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
          m_bUpdateNeeded = false;
          if (m_bFirstLayout) {
            m_bFirstLayout = false;
            SendNotify(m_pRoot, UINOTIFY_WINDOWINIT);
          }
        }
        // The off-screen bitmap follows the client size: make it again after every layout.
        if (m_hDcOffscreen != nullptr) DeleteDC(m_hDcOffscreen);
        if (m_hbmpOffscreen != nullptr) DeleteObject(m_hbmpOffscreen);
        m_hDcOffscreen = nullptr;
        m_hbmpOffscreen = nullptr;
      }
      if (m_bFocusNeeded) SetNextTabControl();
      if (m_bOffscreenPaint && m_hDcOffscreen == nullptr) {
        RECT rcClient = {0, 0, 0, 0};
        GetClientRect(m_hWndPaint, &rcClient);
        m_hDcOffscreen = CreateCompatibleDC(m_hDcPaint);
        m_hbmpOffscreen = CreateCompatibleBitmap(m_hDcPaint, rcClient.right - rcClient.left, rcClient.bottom - rcClient.top);
        if (m_hDcOffscreen == nullptr || m_hbmpOffscreen == nullptr) {
          if (m_hDcOffscreen != nullptr) DeleteDC(m_hDcOffscreen);
          if (m_hbmpOffscreen != nullptr) DeleteObject(m_hbmpOffscreen);
          m_hDcOffscreen = nullptr;
          m_hbmpOffscreen = nullptr;
        } else {
          SelectObject(m_hDcOffscreen, m_hbmpOffscreen);
        }
      }
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(m_hWndPaint, &ps);
      UIRect rcPaint = FromRect(ps.rcPaint);
      if (m_bOffscreenPaint && m_hDcOffscreen != nullptr) {
        if (m_pRoot != nullptr) {
          int saved = SaveDC(m_hDcOffscreen);
          CGdiRenderPainter painter(m_hDcOffscreen);
          m_pRoot->Paint(painter, rcPaint);
          RestoreDC(m_hDcOffscreen, saved);
        }
        ProcessPostPaint(m_hDcOffscreen);
        BitBlt(hdc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, m_hDcOffscreen, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
      } else if (m_pRoot != nullptr) {
        int saved = SaveDC(hdc);
        CGdiRenderPainter painter(hdc);
        m_pRoot->Paint(painter, rcPaint);
        RestoreDC(hdc, saved);
      }
      EndPaint(m_hWndPaint, &ps);
      // A layout requested while painting shows at the next paint. One that could not run (no tree, no
      // client area) waits for the next size or tree change rather than repainting in a loop.
      if (m_bUpdateNeeded && !layoutPending) InvalidateRect(m_hWndPaint, nullptr, FALSE);
      lRes = 0;
      return true;
    }
    case WM_SIZE: {
      if (m_pFocus != nullptr) {
        UIEvent event = MakeEvent(UIEVENT_WINDOWSIZE);
        event.wParam = wParam;
        event.lParam = lParam;
        SendEvent(m_pFocus, event);
      }
      m_bUpdateNeeded = true;
      lRes = 0;
      return true;
    }
    case WM_ERASEBKGND:
      lRes = 1;
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (info != nullptr) {
        info->ptMinTrackSize.x = m_szMinWindow.cx;
        info->ptMinTrackSize.y = m_szMinWindow.cy;
      }
      return false;
    }
    case WM_CLOSE: {
      if (m_pEventHover != nullptr) {
        UIEvent event = MakeEvent(UIEVENT_MOUSELEAVE);
        SendEvent(m_pEventHover, event);
      }
      if (m_pEventClick != nullptr) {
        UIEvent event = MakeEvent(UIEVENT_BUTTONUP);
        SendEvent(m_pEventClick, event);
      }
      HWND owner = GetWindow(m_hWndPaint, GW_OWNER);
      if (owner != nullptr) ::SetFocus(owner);
      return false;
    }
    case WM_SETCURSOR: {
      POINT pt;
      GetCursorPos(&pt);
      ScreenToClient(m_hWndPaint, &pt);
      CUIControl* control = FindControlAt(MakeUIPoint(pt.x, pt.y));
      if (control == nullptr || (control->GetControlFlags() & UIFLAG_SETCURSOR) == 0 || !IsWindowEnabled(m_hWndPaint)) {
        return false;
      }
      UIEvent event = MakeEvent(UIEVENT_SETCURSOR);
      event.ptMouse = MakeUIPoint(pt.x, pt.y);
      event.wParam = wParam;
      event.lParam = lParam;
      SendEvent(control, event);
      lRes = TRUE;
      return true;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_NOTIFY:
    case WM_COMMAND: {
      HWND child = nullptr;
      if (uMsg == WM_DRAWITEM && lParam != 0) child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      if (uMsg == WM_MEASUREITEM && lParam != 0) {
        child = GetDlgItem(m_hWndPaint, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID));
      }
      if (uMsg == WM_NOTIFY && lParam != 0) child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
      if (uMsg == WM_COMMAND) child = reinterpret_cast<HWND>(lParam);
      if (child == nullptr) return false;
      lRes = SendMessageW(child, uMsg + 0x2000, wParam, lParam);
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HWND child = reinterpret_cast<HWND>(lParam);
      if (child == nullptr) return false;
      // Native edits pick their own text colour and brush when asked; the style table's default text
      // colour is what they show otherwise.
      SetTextColor(reinterpret_cast<HDC>(wParam), CUIStyleTable::GetColor(34));
      lRes = SendMessageW(child, WM_CTLCOLOREDIT, wParam, lParam);
      return true;
    }
    case WM_KEYDOWN: {
      if (m_pFocus != nullptr) {
        m_pEventKey = m_pFocus;
        SendKeyEvent(m_pFocus, UIEVENT_KEYDOWN, wParam, lParam);
      }
      return false;
    }
    case WM_KEYUP: {
      if (m_pEventKey != nullptr) {
        CUIControl* target = m_pEventKey;
        m_pEventKey = nullptr;
        SendKeyEvent(target, UIEVENT_KEYUP, wParam, lParam);
      }
      return false;
    }
    case WM_CHAR: {
      if (m_pFocus != nullptr) {
        SendKeyEvent(m_pFocus, UIEVENT_CHAR, wParam, lParam);
      }
      return false;
    }
    case WM_TIMER: {
      for (int i = 0; i < m_aTimers.GetSize(); ++i) {
        auto* info = static_cast<TimerInfo*>(m_aTimers.GetAt(i));
        if (info->hWnd == m_hWndPaint && info->uWinTimer == LOWORD(wParam)) {
          UIEvent event = MakeEvent(UIEVENT_TIMER);
          event.wParam = info->nLocalID;
          event.lParam = lParam;
          SendEvent(info->pSender, event);
          lRes = 0;
          return true;
        }
      }
      return false;
    }
    case WM_VSCROLL: {
      HWND bar = reinterpret_cast<HWND>(lParam);
      if (bar == nullptr) return false;
      auto* control = static_cast<CUIControl*>(GetPropW(bar, L"WndX"));
      if (control == nullptr) return false;
      UIEvent event = MakeEvent(UIEVENT_VSCROLL);
      event.wParam = wParam;
      event.lParam = lParam;
      SendEvent(control, event);
      lRes = 0;
      return true;
    }
    case WM_MOUSEMOVE: {
      if (!m_bMouseTracking) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = m_hWndPaint;
        tme.dwHoverTime = m_hwndTooltip == nullptr
                              ? 1000u
                              : static_cast<DWORD>(SendMessageW(m_hwndTooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
        TrackMouseEvent(&tme);
        m_bMouseTracking = true;
      }
      m_ptLastMousePos = PointFromLParam(lParam);
      CUIControl* control = FindControlAt(m_ptLastMousePos);
      if (control != nullptr && control->GetManager() != this) return false;
      CUIControl* old = m_pEventHover;
      if (control != m_pEventHover && m_pEventHover != nullptr) {
        UIEvent event = MakeEvent(UIEVENT_MOUSELEAVE, control);
        event.wKeyState = KeyStateFromMouse(wParam);
        m_pEventHover = nullptr;
        SendEvent(old, event);
        if (m_hwndTooltip != nullptr) SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, 0);
      }
      if (control != m_pEventHover && control != nullptr) {
        UIEvent event = MakeEvent(UIEVENT_MOUSEENTER, old);
        event.wKeyState = KeyStateFromMouse(wParam);
        m_pEventHover = control;
        SendEvent(control, event);
      }
      CUIControl* target = m_pEventClick != nullptr ? m_pEventClick : control;
      if (target != nullptr) {
        UIEvent event = MakeEvent(UIEVENT_MOUSEMOVE);
        event.wKeyState = KeyStateFromMouse(wParam);
        SendEvent(target, event);
      }
      return false;
    }
    case WM_LBUTTONDOWN: {
      m_ptLastMousePos = PointFromLParam(lParam);
      CUIControl* control = FindControlAt(m_ptLastMousePos);
      if (control == nullptr || control->GetManager() != this || control == m_pRoot) return false;
      m_pEventClick = control;
      control->SetFocus();
      UIEvent event = MakeEvent(UIEVENT_BUTTONDOWN);
      event.wKeyState = static_cast<std::uint16_t>(wParam);
      event.wParam = wParam;
      event.lParam = lParam;
      SendEvent(control, event);
      SetCapture(m_hWndPaint);
      return false;
    }
    case WM_LBUTTONUP: {
      m_ptLastMousePos = PointFromLParam(lParam);
      if (m_pEventClick == nullptr) return false;
      ReleaseCapture();
      CUIControl* target = m_pEventClick;
      UIEvent event = MakeEvent(UIEVENT_BUTTONUP);
      event.wKeyState = static_cast<std::uint16_t>(wParam);
      event.wParam = wParam;
      event.lParam = lParam;
      SendEvent(target, event);
      m_pEventClick = nullptr;
      return false;
    }
    case WM_LBUTTONDBLCLK: {
      m_ptLastMousePos = PointFromLParam(lParam);
      CUIControl* control = FindControlAt(m_ptLastMousePos);
      if (control == nullptr || control->GetManager() != this) return false;
      UIEvent event = MakeEvent(UIEVENT_DBLCLICK);
      event.wKeyState = static_cast<std::uint16_t>(wParam);
      event.wParam = wParam;
      event.lParam = lParam;
      SendEvent(control, event);
      m_pEventClick = control;
      return false;
    }
    case WM_RBUTTONDOWN: {
      ::SetFocus(nullptr);
      m_ptLastMousePos = PointFromLParam(lParam);
      CUIControl* control = FindControlAt(m_ptLastMousePos);
      if (control == nullptr || control->GetManager() != this) return false;
      if (control == m_pRoot) {
        lRes = 0;
        return true;
      }
      m_pEventClick = control;
      control->SetFocus();
      UIEvent event = MakeEvent(UIEVENT_CONTEXTMENU);
      event.wKeyState = static_cast<std::uint16_t>(wParam);
      event.wParam = wParam;
      event.lParam = lParam;
      SendEvent(control, event);
      return false;
    }
    case WM_MOUSEHOVER: {
      m_bMouseTracking = false;
      UIPoint pt = PointFromLParam(lParam);
      CUIControl* control = FindControlAt(pt);
      if (control == nullptr) return false;
      if (m_pEventHover != nullptr) {
        UIEvent event = MakeEvent(UIEVENT_MOUSEHOVER);
        event.ptMouse = pt;
        event.wParam = wParam;
        event.lParam = lParam;
        SendEvent(m_pEventHover, event);
      }
      CStdString tip = control->GetToolTip();
      if (!tip.IsEmpty()) {
        if (m_hwndTooltip == nullptr) {
          EnsureCommonControls();
          m_hwndTooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWndPaint,
                                          nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        if (m_hwndTooltip != nullptr) {
          m_sToolTipText = tip;
          TOOLINFOW ti = {};
          ti.cbSize = sizeof(ti);
          // Tracking tool: shown where the mouse rests instead of waiting for relayed mouse messages.
          ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
          ti.hwnd = m_hWndPaint;
          ti.uId = reinterpret_cast<UINT_PTR>(m_hWndPaint);
          ti.hinst = GetModuleHandleW(nullptr);
          ti.lpszText = const_cast<LPWSTR>(m_sToolTipText.GetData());
          ti.rect = ToRect(control->GetPos());
          SendMessageW(m_hwndTooltip, m_bToolAdded ? TTM_SETTOOLINFOW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
          m_bToolAdded = true;
          SendMessageW(m_hwndTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
          POINT screen = {pt.x, pt.y + 20};
          ClientToScreen(m_hWndPaint, &screen);
          SendMessageW(m_hwndTooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
          SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
        }
      }
      lRes = 0;
      return true;
    }
    case WM_MOUSELEAVE: {
      if (m_hwndTooltip != nullptr) SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, 0);
      if (m_bMouseTracking) SendMessageW(m_hWndPaint, WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
      m_bMouseTracking = false;
      return false;
    }
    case WM_PRINTCLIENT: {
      HDC hdc = reinterpret_cast<HDC>(wParam);
      RECT rcClient = {0, 0, 0, 0};
      GetClientRect(m_hWndPaint, &rcClient);
      if (m_pRoot != nullptr) {
        int saved = SaveDC(hdc);
        CGdiRenderPainter painter(hdc);
        m_pRoot->Paint(painter, FromRect(rcClient));
        RestoreDC(hdc, saved);
      }
      if ((lParam & PRF_CHILDREN) != 0) {
        for (HWND child = GetWindow(m_hWndPaint, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
          RECT rc;
          GetWindowRect(child, &rc);
          MapWindowPoints(HWND_DESKTOP, m_hWndPaint, reinterpret_cast<POINT*>(&rc), 2);
          int saved = SaveDC(hdc);
          OffsetViewportOrgEx(hdc, rc.left, rc.top, nullptr);
          SendMessageW(child, WM_PRINT, wParam, lParam | PRF_NONCLIENT);
          RestoreDC(hdc, saved);
        }
      }
      lRes = 0;
      return true;
    }
    case WM_APP + 1:
      ReapDeferredTrees();
      lRes = 0;
      return true;
    case WM_MOUSEWHEEL:
    case WM_MOUSEWHEEL + 0x10000: {
      if (m_pFocus == nullptr) return false;
      // The registered wheel message carries the delta itself; the system one in the high word.
      int delta = uMsg == WM_MOUSEWHEEL ? GET_WHEEL_DELTA_WPARAM(wParam) : static_cast<int>(wParam);
      UIWParam direction = delta < 0 ? 1 : 0;
      CUIControl* target = m_pFocus;
      UIEvent wheel = MakeEvent(UIEVENT_SCROLLWHEEL);
      wheel.wParam = direction;
      wheel.lParam = lParam;
      SendEvent(target, wheel);
      int magnitude = delta < 0 ? -delta : delta;
      for (int steps = (magnitude + 39) / 40; steps > 0; --steps) {
        UIEvent scroll = MakeEvent(UIEVENT_VSCROLL);
        scroll.wParam = direction;
        SendEvent(target, scroll);
      }
      SendMessageW(m_hWndPaint, WM_MOUSEMOVE, 0, MAKELPARAM(m_ptLastMousePos.x, m_ptLastMousePos.y));
      return false;
    }
    default:
      return false;
  }
}

bool CUIManager::PreMessageHandler(unsigned uMsg, UIWParam wParam, UILParam lParam) {
  switch (uMsg) {
    case WM_KEYDOWN: {
      if (wParam == VK_RETURN) {
        CUIControl* ok = FindControlByName(L"ok");
        if (ok != nullptr && ok != m_pFocus &&
            (m_pFocus == nullptr || (m_pFocus->GetControlFlags() & UIFLAG_WANTRETURN) == 0)) {
          ok->Activate();
          return true;
        }
      } else if (wParam == VK_ESCAPE) {
        CUIControl* cancel = FindControlByName(L"cancel");
        if (cancel != nullptr) {
          cancel->Activate();
          return true;
        }
      }
      return false;
    }
    case WM_KEYUP: {
      if (wParam != VK_TAB) return false;
      SetNextTabControl(GetKeyState(VK_SHIFT) >= 0);
      m_bShowAccelerators = true;
      return true;
    }
    case WM_SYSKEYDOWN: {
      if (wParam == VK_MENU && !m_bShowAccelerators) {
        m_bShowAccelerators = true;
        PlatformInvalidate(nullptr);
      }
      if (m_pFocus != nullptr) {
        SendKeyEvent(m_pFocus, UIEVENT_SYSKEY, wParam, lParam);
      }
      return false;
    }
    case WM_SYSCHAR: {
      CUIControl* control = FindShortcut(static_cast<wchar_t>(wParam));
      if (control == nullptr) return false;
      control->SetFocus();
      control->Activate();
      return true;
    }
    default:
      return false;
  }
}

bool CUIManager::TranslateUIMessage(const UIMessage* msg) {
  if (msg == nullptr) return false;
  bool isChild = (GetWindowLongPtrW(msg->hwnd, GWL_STYLE) & WS_CHILD) != 0;
  HWND parent = isChild ? GetParent(msg->hwnd) : nullptr;
  // A snapshot: a handler may create or destroy windows (and so managers) while we walk.
  CStdPtrArray managers;
  managers = LiveManagers();
  for (int i = 0; i < managers.GetSize(); ++i) {
    auto* manager = static_cast<CUIManager*>(managers.GetAt(i));
    if (LiveManagers().Find(manager) < 0) continue;
    HWND hwnd = manager->m_hWndPaint;
    if (hwnd == nullptr) continue;
    if (hwnd == msg->hwnd || (isChild && hwnd == parent)) {
      if (manager->PreMessageHandler(msg->message, msg->wParam, msg->lParam)) return true;
    }
  }
  return false;
}

void CUIManager::MessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (TranslateUIMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace vorlix
