#include "ui/controls/win32/CUIComboBoxWnd.h"

namespace vorlix {

UIComboPopupFactory CUIComboBox::PlatformPopupFactory() { return &CUIComboBoxWnd::Open; }

CUIComboBoxWnd::CUIComboBoxWnd(CUIComboBox& owner) : m_dropDown(owner) {}

IUIComboPopup* CUIComboBoxWnd::Open(CUIComboBox& owner, const UIRect& rcPopup) {
  CUIManager* manager = owner.GetManager();
  HWND host = manager != nullptr ? reinterpret_cast<HWND>(manager->GetPaintWindow()) : nullptr;
  if (host == nullptr || !IsWindow(host)) return nullptr;
  POINT topLeft = {rcPopup.left, rcPopup.top};
  ClientToScreen(host, &topLeft);
  RECT rc = {topLeft.x, topLeft.y, topLeft.x + rcPopup.GetWidth(), topLeft.y + rcPopup.GetHeight()};
  auto* wnd = new CUIComboBoxWnd(owner);
  if (wnd->Create(host, L"", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, rc) == nullptr) {
    // Creation stops before WM_NCCREATE only when the class is missing; then nothing owns the object.
    if (wnd->GetHWND() == nullptr) delete wnd;
    return nullptr;
  }
  wnd->ShowWindow(true, true);
  // The popup took the activation; the host keeps looking active.
  SendMessageW(host, WM_NCACTIVATE, TRUE, 0);
  return wnd;
}

const wchar_t* CUIComboBoxWnd::GetWindowClassName() const { return L"DropDownWnd"; }
UINT CUIComboBoxWnd::GetClassStyle() const { return CS_DBLCLKS; }

void CUIComboBoxWnd::Close() {
  if (m_bClosing) return;
  m_bClosing = true;
  CWindowWnd::Close();
}

void CUIComboBoxWnd::Abandon() {
  m_dropDown.Abandon();
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);  // OnFinalMessage deletes this
}

LRESULT CUIComboBoxWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE:
      m_manager.Init(reinterpret_cast<UIWindow>(m_hWnd));
      m_manager.AttachRoot(m_dropDown.BuildTree());
      m_dropDown.Attach(m_manager);
      m_manager.AddNotifier(&m_dropDown);
      return 0;
    case WM_KILLFOCUS: {
      HWND to = reinterpret_cast<HWND>(wParam);
      if (to != m_hWnd && !IsChild(m_hWnd, to)) Close();
      break;
    }
    case WM_KEYDOWN:
      if (m_dropDown.OnKeyDown(static_cast<wchar_t>(wParam))) Close();
      return 0;
    case WM_LBUTTONUP: {
      LRESULT res = 0;
      m_manager.MessageHandler(uMsg, wParam, lParam, res);
      RECT client;
      GetClientRect(m_hWnd, &client);
      UIPoint pt = MakeUIPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      if (m_dropDown.OnButtonUp(pt, MakeUIRect(client.left, client.top, client.right, client.bottom))) Close();
      return 0;
    }
    case WM_DESTROY:
      m_dropDown.ReturnItems();
      break;
    default:
      break;
  }
  LRESULT res = 0;
  if (m_manager.MessageHandler(uMsg, wParam, lParam, res)) return res;
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CUIComboBoxWnd::OnFinalMessage(HWND) {
  m_dropDown.Finish();
  delete this;
}

}  // namespace vorlix
