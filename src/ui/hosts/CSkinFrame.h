#pragma once
// The skinned frame of the main window (class "Moskin"): a top-level window whose content is a control
// tree, and the thread loop's filter that runs the toolkit's keyboard pre-translation.
#include "shell/win32/MessageLoop.h"
#include "ui/hosts/CSkinHost.h"
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {

class CSkinFrame : public CWindowWnd, public CSkinHost, public CMessageFilter, public CIdleHandler, public INotifyUI {
 public:
  explicit CSkinFrame(CAppModule* appModule = nullptr);
  ~CSkinFrame() override;

  const wchar_t* GetWindowClassName() const override { return L"Moskin"; }
  UINT GetClassStyle() const override { return CS_DBLCLKS; }

  virtual void BuildUI() = 0;
  // Root, manager and filter; derived frames then build their content.
  virtual LRESULT OnCreate();
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  // The window is destroyed; the result is there for the dialog's sake.
  void Close(INT_PTR result = IDOK);

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnIdle() override { return TRUE; }
  void Notify(const UINotification& msg) override {}

 protected:
  HWND GetHostWindow() const override { return m_hWnd; }
  CAppModule* m_pAppModule;

 private:
  void Unregister();
  CMessageLoop* m_pLoop = nullptr;
};

}  // namespace vorlix
