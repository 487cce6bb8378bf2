#pragma once
// The skinned dialog every dialog of the program derives from: a window made from a dialog template,
// run modally or modeless, whose content is a control tree. The tree's manager gets the window's
// messages; arrow keys never reach the tree; while the thread has a message loop the dialog is one of
// its filters and idle handlers.
#include <memory>
#include <vector>

#include "shell/win32/MessageLoop.h"
#include "ui/controls/win32/CUINEdit.h"
#include "ui/hosts/CSkinHost.h"

namespace vorlix {

// What AddNativeEdit places: a system edit over the tree, with the tree's placeholder and optional
// background picture under it.
struct UINativeEditRecord {
  int id = 0;
  RECT rc = {};
  const wchar_t* placeholder = L"";
  int backgroundImageId = 0;  // PNG resource; 0 = none
  int paddingX = 0;
  int paddingY = 0;
  bool multiLine = false;
};

class CSkinDialog : public CSkinHost, public CMessageFilter, public CIdleHandler, public INotifyUI {
 public:
  // templateId: the dialog resource in the resource module; the application module owns the thread
  // loops (null: the program's).
  explicit CSkinDialog(UINT templateId = 0, CAppModule* appModule = nullptr);
  ~CSkinDialog() override;

  // Runs until Close; the owner is disabled meanwhile, and the dialog's PreTranslateMessage sees every
  // message of the run first. -1 when the window cannot be created.
  INT_PTR DoModal(HWND hWndOwner = nullptr);
  // A modeless dialog (not shown yet); null on failure.
  HWND Create(HWND hWndOwner);
  // A modal dialog ends with the result; a modeless one is destroyed.
  void Close(INT_PTR result = IDOK);
  void ShowWindow(bool show = true, bool takeFocus = true);

  // Null when the window does not exist yet or the edit cannot be made.
  CUINEdit* AddNativeEdit(const UINativeEditRecord& record);
  CUINEdit* FindNativeEdit(int id) const;

  HWND GetHWND() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }
  bool IsModal() const { return m_bModal; }
  UINT GetTemplateId() const { return m_nTemplateId; }
  void SetResourceModule(HMODULE module) { m_hResourceModule = module; }

  // Handles what every skinned dialog handles, then offers the rest to HandleMessage.
  virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  virtual void BuildUI() {}
  // Root, manager and filters; derived dialogs then size and shape the window and call BuildUI.
  virtual BOOL OnInitDialog();
  virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);

  BOOL PreTranslateMessage(MSG* msg) override { return FALSE; }
  BOOL OnIdle() override { return TRUE; }
  void Notify(const UINotification& msg) override {}

 protected:
  HWND GetHostWindow() const override { return m_hWnd; }
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;
  UINT m_nTemplateId;
  CAppModule* m_pAppModule;

 private:
  HWND CreateFromTemplate(HWND hWndOwner);
  void Unregister();

  std::vector<std::unique_ptr<CUINEdit>> m_edits;
  CMessageLoop* m_pLoop = nullptr;  // where the filter and idle handler are registered
  bool m_bModal = false;
  bool m_bEndModal = false;
  INT_PTR m_nResult = IDCANCEL;
};

}  // namespace vorlix
