#include "ui/extra/win32/CMenuButtonWnd.h"

#include "ui/extra/CUIMenuButton.h"
#include "ui/extra/CUISubMenu.h"
#include "ui/layout/CMenuCanvasUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

namespace vorlix {

CMenuButtonWnd::CMenuButtonWnd(CUIMenuButton* owner) : m_pOwner(owner) {}

const wchar_t* CMenuButtonWnd::GetWindowClassName() const { return L"MenuButtonWnd"; }
UINT CMenuButtonWnd::GetClassStyle() const { return CS_DBLCLKS; }

void CMenuButtonWnd::Close() {
  if (m_hWnd != nullptr) ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CMenuButtonWnd::ReturnItems() {
  // The layout does not own the items: emptying it leaves them to the button.
  if (m_pLayout != nullptr) m_pLayout->RemoveAll();
}

void CMenuButtonWnd::Detach() {
  m_pOwner = nullptr;
  ReturnItems();
  if (m_hWnd != nullptr) {
    ::DestroyWindow(m_hWnd);
  }
}

LRESULT CMenuButtonWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE: {
      m_manager.Init(m_hWnd);
      auto* root = new CMenuCanvasUI();
      m_pLayout = new CVerticalLayoutUI();
      m_pLayout->SetAutoDestroy(false);
      m_pLayout->EnableScrollBar(true);
      root->Add(m_pLayout);
      m_manager.AttachRoot(root);
      if (m_pOwner != nullptr) {
        for (int i = 0; i < m_pOwner->GetItemCount(); ++i) m_pLayout->Add(m_pOwner->GetItem(i));
      }
      return 0;
    }
    case WM_KILLFOCUS: {
      HWND next = reinterpret_cast<HWND>(wParam);
      if (next != m_hWnd && !::IsChild(m_hWnd, next)) Close();
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        Close();
        return 0;
      }
      if (wParam == VK_RETURN) {
        int hot = -1;
        if (m_pOwner != nullptr) {
          for (int i = 0; i < m_pOwner->GetItemCount(); ++i) {
            if (m_pOwner->GetItem(i)->IsHot()) hot = i;
          }
        }
        if (hot < 0 || !m_pOwner->SelectItem(hot)) Close();
        return 0;
      }
      break;
    case WM_DESTROY:
      ReturnItems();
      break;
    default:
      break;
  }
  LRESULT lRes = 0;
  if (m_manager.MessageHandler(uMsg, wParam, static_cast<UILParam>(lParam), lRes)) return lRes;
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CMenuButtonWnd::OnFinalMessage(HWND) {
  if (m_pOwner != nullptr) m_pOwner->OnDropDownClosed();
  delete this;
}

IUIMenuDropDown* OpenMenuDropDown(CUIMenuButton* owner, const UIRect& rcButton, int cx, int cy) {
  CUIManager* manager = owner != nullptr ? owner->GetManager() : nullptr;
  HWND host = manager != nullptr ? manager->GetPaintWindow() : nullptr;
  if (host == nullptr) return nullptr;
  POINT pt = {rcButton.left, rcButton.bottom};
  ::ClientToScreen(host, &pt);
  auto* wnd = new CMenuButtonWnd(owner);
  if (wnd->Create(host, nullptr, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, pt.x, pt.y, cx, cy) == nullptr) {
    delete wnd;
    return nullptr;
  }
  wnd->ShowWindow(true, true);
  // The host keeps an active caption while its menu is open.
  ::SendMessageW(::GetAncestor(host, GA_ROOT), WM_NCACTIVATE, TRUE, 0);
  return wnd;
}

}  // namespace vorlix
