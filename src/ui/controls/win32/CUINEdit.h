#pragma once
// A native "EDIT" child window placed over a skinned window's tree: the system does the text input;
// this object subclasses it to colour it, to show and hide the placeholder label of the tree, and to
// tell the parent window about focus and text changes (WM_USER + 1100, 1101, 1102 with the edit's id).
#include <windows.h>

#include "ui/core/CStdString.h"

namespace vorlix {

class CUILabel;

constexpr UINT kNEditMsgKillFocus = WM_USER + 1100;  // sent
constexpr UINT kNEditMsgSetFocus = WM_USER + 1101;   // posted
constexpr UINT kNEditMsgChanged = WM_USER + 1102;    // sent

class CUINEdit {
 public:
  static constexpr COLORREF kNoColor = 0x010101;

  CUINEdit();
  CUINEdit(const CUINEdit&) = delete;
  CUINEdit& operator=(const CUINEdit&) = delete;
  ~CUINEdit();

  // Child, clip-children, tab-stop, want-return and auto-horizontal-scroll plus extraStyles; shown
  // without activation. Null when the window could not be made.
  HWND Create(HWND parent, const RECT& rc, const wchar_t* text, DWORD extraStyles, int id);
  HWND GetHWND() const { return m_hWnd; }
  int GetId() const { return m_nId; }

  CStdString GetText() const;
  void SetText(const wchar_t* text);
  void SetBkColor(COLORREF color);
  void SetTextColor(COLORREF color);  // kNoColor: the window's default text colour
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return m_bReadOnly; }
  void SetReadOnlyTextColor(COLORREF color);
  void SetDisabledTextColor(COLORREF color);
  void SetSel(int start, int end, bool noScroll);
  void AddStyle(DWORD style);
  // The system's grey hint inside the empty box, hidden while focused.
  void SetCueBanner(const wchar_t* text);
  void SetFont(HFONT font);

  // The tree's labels this edit shows and hides with itself (not owned; they live in the tree).
  void SetPlaceholderLabel(CUILabel* label) { m_pPlaceholder = label; }
  void SetBackgroundLabel(CUILabel* label) { m_pBackground = label; }
  void SetPadding(int x, int y);
  // Moves both labels to rc and the native window to rc shrunk by the padding.
  void SetPos(const RECT& rc);
  void Show(bool show);
  bool IsVisible() const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Unsubclass();

  HWND m_hWnd = nullptr;
  HBRUSH m_hBkBrush = nullptr;
  CUILabel* m_pPlaceholder = nullptr;
  CUILabel* m_pBackground = nullptr;
  int m_nPadY = 0;
  int m_nPadX = 0;
  RECT m_rc = {};
  WNDPROC m_pOldProc = nullptr;
  bool m_bSubclassed = false;
  COLORREF m_clrBk = RGB(0xfe, 0xfe, 0xfe);
  COLORREF m_clrText = kNoColor;
  COLORREF m_clrReadOnly = RGB(0xa7, 0xa6, 0xaa);
  COLORREF m_clrDisabled = RGB(0xa7, 0xa6, 0xaa);
  int m_nId = 0;
  bool m_bReadOnly = false;
};

}  // namespace vorlix
