#pragma once
// The small window wrapper of the toolkit's own popups: one C++ object per native window. A plain
// class gets the toolkit's window procedure (object in the window's user data); a superclass of a
// system class, or a subclassed foreign window, gets the control procedure (object in the window
// property "WndX", because the user data then belongs to the control's owner). Every message goes to
// HandleMessage while the window lives; OnFinalMessage runs after WM_NCDESTROY so popups can delete
// themselves there.
//
// <windows.h> comes first on purpose: it maps LoadString to LoadStringW, and every file that sees
// this class sees the same mapping, so the method keeps one name throughout the program.
#include <windows.h>

#include <string>

namespace vorlix {

// The window property that links a superclassed or subclassed window to its object.
constexpr wchar_t kWindowObjectProperty[] = L"WndX";

// Centres a window on its owner, or on the work area without one, inside the work area; moved
// without resizing or activating.
void CenterWindowOnOwner(HWND hWnd);

class CWindowWnd {
 public:
  CWindowWnd() = default;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;
  virtual ~CWindowWnd() = default;

  HWND GetHWND() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // Registers the class on first use, then creates the window with this object as creation
  // parameter. Null when registration or creation fails.
  HWND Create(HWND hwndParent, const wchar_t* pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc,
              HMENU hMenu = nullptr);
  HWND Create(HWND hwndParent, const wchar_t* pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT, HMENU hMenu = nullptr);

  // Routes an existing window through this object (control procedure, "WndX" property).
  HWND Subclass(HWND hWnd);
  void Unsubclass();
  bool IsSubclassed() const { return m_bSubclassed; }

  // Shown normal with the focus, or shown without activation.
  void ShowWindow(bool bShow = true, bool bTakeFocus = true);
  // Disables the owner and runs a loop until the window is gone; false when the loop was left for
  // WM_QUIT (which is posted again for the outer loop).
  bool ShowModal();
  // Posts WM_CLOSE while the window exists.
  void Close();
  void CenterWindow();
  // New client size; -1 keeps that dimension.
  void ResizeClient(int cx = -1, int cy = -1);
  // Large and small icon from the icon resource of the toolkit's resource module.
  void SetIcon(UINT nRes);
  // A string resource of the first resource module (at most 255 characters); empty when missing.
  std::wstring LoadString(UINT id) const;

  virtual const wchar_t* GetWindowClassName() const = 0;
  virtual const wchar_t* GetSuperClassName() const { return nullptr; }
  virtual UINT GetClassStyle() const { return 0; }
  virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  virtual void OnFinalMessage(HWND hWnd) {}

 protected:
  // The procedure that was in place before this object's one (the system default until a superclass
  // or subclass supplies its own).
  LRESULT CallPreviousProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

  bool RegisterWindowClass();
  bool RegisterSuperclass();

  static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;
  WNDPROC m_OldWndProc = ::DefWindowProcW;
  bool m_bSubclassed = false;

 private:
  // WM_NCDESTROY: the previous procedure, then the link and any subclass go, then OnFinalMessage.
  static LRESULT FinalMessage(CWindowWnd* self, HWND hWnd, WPARAM wParam, LPARAM lParam, bool byProperty);
};

}  // namespace vorlix
