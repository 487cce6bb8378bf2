#include "ui/controls/win32/CUINEdit.h"

#include <string>

#include "ui/controls/CUILabel.h"

namespace vorlix {
namespace {

constexpr wchar_t kPropName[] = L"VorlixNEdit";

}  // namespace

CUINEdit::CUINEdit() = default;

CUINEdit::~CUINEdit() {
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
    Unsubclass();
    DestroyWindow(m_hWnd);
  }
  m_hWnd = nullptr;
  if (m_hBkBrush != nullptr) DeleteObject(m_hBkBrush);
}

HWND CUINEdit::Create(HWND parent, const RECT& rc, const wchar_t* text, DWORD extraStyles, int id) {
  m_rc = rc;
  m_nId = id;
  const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP | ES_WANTRETURN | ES_AUTOHSCROLL | extraStyles;
  m_hWnd = CreateWindowExW(0, L"EDIT", text != nullptr ? text : L"", style, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  if (m_hWnd == nullptr) return nullptr;
  if (m_hBkBrush == nullptr) m_hBkBrush = CreateSolidBrush(m_clrBk);
  SetPropW(m_hWnd, kPropName, this);
  m_pOldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CUINEdit::SubclassProc)));
  m_bSubclassed = m_pOldProc != nullptr;
  ShowWindow(m_hWnd, SW_SHOWNA);
  return m_hWnd;
}

void CUINEdit::Unsubclass() {
  if (!m_bSubclassed || m_hWnd == nullptr) return;
  SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pOldProc));
  RemovePropW(m_hWnd, kPropName);
  m_bSubclassed = false;
}

LRESULT CALLBACK CUINEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CUINEdit*>(GetPropW(hwnd, kPropName));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->HandleMessage(msg, wParam, lParam);
}

LRESULT CUINEdit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = m_hWnd;
  HWND parent = GetParent(hwnd);
  switch (msg) {
    case WM_SETFOCUS:
      if (m_pPlaceholder != nullptr) {
        std::wstring line = L"hide " + std::wstring(m_pPlaceholder->GetText().GetData()) + L"\n\r";
        OutputDebugStringW(line.c_str());
        m_pPlaceholder->SetVisible(false);
      }
      PostMessageW(parent, kNEditMsgSetFocus, static_cast<WPARAM>(m_nId), 0);
      CallWindowProcW(m_pOldProc, hwnd, EM_SETSEL, 0, 0);
      break;
    case WM_KILLFOCUS:
      if (m_pPlaceholder != nullptr && GetWindowTextLengthW(hwnd) == 0) {
        std::wstring line = L"show " + std::wstring(m_pPlaceholder->GetText().GetData()) + L"\n\r";
        OutputDebugStringW(line.c_str());
        m_pPlaceholder->SetVisible(true);
      }
      SendMessageW(parent, kNEditMsgKillFocus, static_cast<WPARAM>(m_nId), 0);
      break;
    case WM_COMMAND + 0x2000:  // the command notification, reflected by the parent's manager
      if (HIWORD(wParam) == EN_CHANGE) SendMessageW(parent, kNEditMsgChanged, static_cast<WPARAM>(m_nId), 0);
      break;
    case WM_CTLCOLOREDIT: {
      HDC hdc = reinterpret_cast<HDC>(wParam);
      COLORREF text = m_clrText;
      if (m_bReadOnly) text = m_clrReadOnly;
      if (!IsWindowEnabled(hwnd)) text = m_clrDisabled;
      if (text != kNoColor) ::SetTextColor(hdc, text);
      ::SetBkColor(hdc, m_clrBk);
      if (m_hBkBrush == nullptr) m_hBkBrush = CreateSolidBrush(m_clrBk);
      return reinterpret_cast<LRESULT>(m_hBkBrush);
    }
    case WM_NCDESTROY: {
      WNDPROC old = m_pOldProc;
      Unsubclass();
      m_hWnd = nullptr;
      return CallWindowProcW(old, hwnd, msg, wParam, lParam);
    }
    default:
      break;
  }
  return CallWindowProcW(m_pOldProc, hwnd, msg, wParam, lParam);
}

CStdString CUINEdit::GetText() const {
  if (m_hWnd == nullptr) return CStdString();
  const int len = GetWindowTextLengthW(m_hWnd);
  std::wstring buf(static_cast<std::size_t>(len) + 1, L'\0');
  GetWindowTextW(m_hWnd, &buf[0], len + 1);
  return CStdString(buf.c_str());
}

void CUINEdit::SetText(const wchar_t* text) {
  if (m_hWnd != nullptr) SetWindowTextW(m_hWnd, text != nullptr ? text : L"");
}

void CUINEdit::SetBkColor(COLORREF color) {
  m_clrBk = color;
  if (m_hBkBrush != nullptr) DeleteObject(m_hBkBrush);
  m_hBkBrush = CreateSolidBrush(color);
  if (m_hWnd != nullptr) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CUINEdit::SetTextColor(COLORREF color) {
  m_clrText = color;
  if (m_hWnd != nullptr) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CUINEdit::SetReadOnly(bool readOnly) {
  m_bReadOnly = readOnly;
  if (m_hWnd != nullptr) SendMessageW(m_hWnd, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void CUINEdit::SetReadOnlyTextColor(COLORREF color) { m_clrReadOnly = color; }
void CUINEdit::SetDisabledTextColor(COLORREF color) { m_clrDisabled = color; }

void CUINEdit::SetSel(int start, int end, bool noScroll) {
  if (m_hWnd == nullptr) return;
  SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  if (!noScroll) SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CUINEdit::AddStyle(DWORD style) {
  if (m_hWnd == nullptr) return;
  SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_hWnd, GWL_STYLE) | static_cast<LONG_PTR>(style));
}

void CUINEdit::SetCueBanner(const wchar_t* text) {
  // EM_SETCUEBANNER; FALSE hides the hint while the box has the focus.
  if (m_hWnd != nullptr) SendMessageW(m_hWnd, 0x1501, FALSE, reinterpret_cast<LPARAM>(text));
}

void CUINEdit::SetFont(HFONT font) {
  if (m_hWnd != nullptr) SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CUINEdit::SetPadding(int x, int y) {
  m_nPadX = x;
  m_nPadY = y;
}

void CUINEdit::SetPos(const RECT& rc) {
  m_rc = rc;
  if (m_pPlaceholder != nullptr) m_pPlaceholder->SetPos(rc.left, rc.top, rc.right, rc.bottom);
  if (m_pBackground != nullptr) m_pBackground->SetPos(rc.left, rc.top, rc.right, rc.bottom);
  if (m_hWnd != nullptr) {
    MoveWindow(m_hWnd, rc.left + m_nPadX, rc.top + m_nPadY, (rc.right - rc.left) - 2 * m_nPadX,
               (rc.bottom - rc.top) - 2 * m_nPadY, TRUE);
  }
}

void CUINEdit::Show(bool show) {
  if (m_hWnd != nullptr) ShowWindow(m_hWnd, show ? SW_SHOWNA : SW_HIDE);
  if (m_pBackground != nullptr) m_pBackground->SetVisible(show);
  // The placeholder shows only while the box is empty and not being typed in.
  if (m_pPlaceholder != nullptr) {
    m_pPlaceholder->SetVisible(show && GetWindowTextLengthW(m_hWnd) == 0 && GetFocus() != m_hWnd);
  }
}

bool CUINEdit::IsVisible() const { return m_hWnd != nullptr && IsWindowVisible(m_hWnd) != FALSE; }

}  // namespace vorlix
