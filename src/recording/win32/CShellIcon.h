#pragma once
// The program's place in the notification area: the tray icon with its tip, the two-item menu at the
// cursor, the icon brought back after the shell restarts, and the window hidden into the tray with the
// system's caption animation.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "recording/TrayArea.h"

namespace vorlix {

// The tray menu (resource 201) at the cursor, owned by the window; its commands arrive as WM_COMMAND.
class CMyIconMenu {
 public:
  static void ShowAtCursor(HWND owner, int menuResource);
};

class CShellIcon {
 public:
  static constexpr UINT kIconId = 128;
  static constexpr int kMenuResource = 201;

  CShellIcon();
  ~CShellIcon();
  CShellIcon(const CShellIcon&) = delete;
  CShellIcon& operator=(const CShellIcon&) = delete;

  void AddIcon(HWND window, HICON icon, const wchar_t* caption);
  void RemoveIcon();
  // The icon's tooltip (the caption when empty).
  void SetTip(const std::wstring& tip);
  // Messages of the tray base: the tray callback, "TaskbarCreated" and WM_SIZE. True when handled.
  bool HandleTrayMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Animation towards the tray when the system has it on, then hidden without a taskbar button.
  void MinimizeToTray();

  UINT TaskbarCreatedMessage() const { return m_uTaskbarCreated; }
  const NOTIFYICONDATAW& Record() const { return m_nid; }

 private:
  void OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);

  NOTIFYICONDATAW m_nid{};
  UINT m_uTaskbarCreated = 0;
  bool m_bAdded = false;
  std::wstring m_strCaption;
};

// The tray's screen rectangle from the shell's windows (the queries behind TrayAreaRectangle).
class CShellTrayQueries : public ITrayAreaQueries {
 public:
  bool NotifyAreaRect(ScreenRect& rc) override;
  bool TaskbarPosition(TaskbarEdge& edge, ScreenRect& rc) override;
  bool TaskbarWindowRect(ScreenRect& rc) override;
  ScreenRect WorkArea() override;
};

}  // namespace vorlix
