#include "ui/extra/win32/CUIEditWnd.h"

#include "ui/core/CUIManager.h"
#include "ui/extra/CUIEdit.h"
#include "ui/render/UIStyle.h"
#include "ui/render/win32/UIGdiStyle.h"

namespace vorlix {
namespace {

// The manager reflects a child's WM_COMMAND back to it with this offset.
constexpr UINT kReflectedCommand = WM_COMMAND + 0x2000;

}  // namespace

CUIEditWnd::CUIEditWnd(CUIEdit* owner) : m_pOwner(owner) {}

const wchar_t* CUIEditWnd::GetWindowClassName() const { return L"SingleLineEditWnd"; }
const wchar_t* CUIEditWnd::GetSuperClassName() const { return L"Edit"; }

std::wstring CUIEditWnd::GetWindowTextString() const {
  if (m_hWnd == nullptr) return std::wstring();
  const int length = ::GetWindowTextLengthW(m_hWnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void CUIEditWnd::SetText(const wchar_t* text) {
  if (m_hWnd == nullptr) return;
  if (GetWindowTextString() == (text != nullptr ? text : L"")) return;
  m_bQuiet = true;
  ::SetWindowTextW(m_hWnd, text);
  m_bQuiet = false;
}

void CUIEditWnd::SetPos(const UIRect& rc) {
  if (m_hWnd == nullptr) return;
  ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.GetWidth(), rc.GetHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUIEditWnd::Close() {
  if (m_hWnd == nullptr || m_bClosing) return;
  m_bClosing = true;
  // Hand the keyboard back to the window unless it is already on its way elsewhere.
  if (!m_bInKillFocus && ::GetFocus() == m_hWnd) ::SetFocus(::GetParent(m_hWnd));
  ::ShowWindow(m_hWnd, SW_HIDE);
  // Possibly inside one of this window's own messages: destroyed from the queue, not from here.
  ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CUIEditWnd::Detach() {
  m_pOwner = nullptr;
  Close();
}

LRESULT CUIEditWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case kReflectedCommand:
      if (HIWORD(wParam) == EN_CHANGE && !m_bQuiet && !m_bClosing && m_pOwner != nullptr) {
        m_pOwner->OnEditorTextChanged(GetWindowTextString().c_str());
      }
      return 0;
    case WM_CTLCOLOREDIT: {
      HDC hdc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(hdc, CUIStyleTable::GetColor(34));
      ::SetBkColor(hdc, CUIStyleTable::GetColor(30));
      return reinterpret_cast<LRESULT>(GetThemeBrush(30));
    }
    case WM_KILLFOCUS: {
      LRESULT lRes = CallPreviousProc(uMsg, wParam, lParam);
      if (!m_bClosing && m_pOwner != nullptr) {
        m_bInKillFocus = true;
        m_pOwner->OnEditorKillFocus();
        m_bInKillFocus = false;
      }
      return lRes;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        ::SetFocus(::GetParent(m_hWnd));
        return 0;
      }
      break;
    case WM_CHAR:
      // Already handled as keys; the system edit would only beep.
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
      break;
    default:
      break;
  }
  return CallPreviousProc(uMsg, wParam, lParam);
}

void CUIEditWnd::OnFinalMessage(HWND) {
  if (m_pOwner != nullptr) m_pOwner->OnEditorDestroyed(this);
  delete this;
}

IUINativeEditor* OpenNativeEditor(CUIEdit* owner, const UIRect& rcText) {
  CUIManager* manager = owner != nullptr ? owner->GetManager() : nullptr;
  HWND host = manager != nullptr ? manager->GetPaintWindow() : nullptr;
  if (host == nullptr || rcText.IsEmpty()) return nullptr;
  auto* wnd = new CUIEditWnd(owner);
  RECT rc = {rcText.left, rcText.top, rcText.right, rcText.bottom};
  if (wnd->Create(host, nullptr, WS_CHILD | ES_AUTOHSCROLL, 0, rc) == nullptr) {
    delete wnd;
    return nullptr;
  }
  ::SendMessageW(*wnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetThemeFont(1)), FALSE);
  wnd->SetText(owner->GetText());
  ::SendMessageW(*wnd, EM_SETSEL, 0, -1);
  ::ShowWindow(*wnd, SW_SHOWNOACTIVATE);
  ::SetFocus(*wnd);
  return wnd;
}

}  // namespace vorlix
