#include "ui/hosts/CSkinDialog.h"

#include "ui/render/win32/UIGdiStyle.h"

namespace vorlix {

namespace {

// Stands in for a template the resource module lacks: an empty borderless popup, which is all a
// skinned dialog needs from its template.
struct EmptyPopupTemplate {
  DLGTEMPLATE dlg;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

bool IsArrowKey(WPARAM key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

}  // namespace

CSkinDialog::CSkinDialog(UINT templateId, CAppModule* appModule)
    : m_nTemplateId(templateId), m_pAppModule(appModule != nullptr ? appModule : &Module()) {}

CSkinDialog::~CSkinDialog() {
  Unregister();
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

HWND CSkinDialog::CreateFromTemplate(HWND hWndOwner) {
  HMODULE module = m_hResourceModule != nullptr ? m_hResourceModule : CUIManager::GetResourceInstance();
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  m_hResourceModule = module;
  LPARAM self = reinterpret_cast<LPARAM>(this);
  if (m_nTemplateId != 0 && FindResourceW(module, MAKEINTRESOURCEW(m_nTemplateId), MAKEINTRESOURCEW(5)) != nullptr)
    return CreateDialogParamW(module, MAKEINTRESOURCEW(m_nTemplateId), hWndOwner, &CSkinDialog::DialogProc, self);
  EmptyPopupTemplate t = {};
  t.dlg.style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  t.dlg.cx = 200;
  t.dlg.cy = 100;
  return CreateDialogIndirectParamW(module, &t.dlg, hWndOwner, &CSkinDialog::DialogProc, self);
}

INT_PTR CSkinDialog::DoModal(HWND hWndOwner) {
  if (m_hWnd != nullptr) return -1;
  m_bModal = true;
  m_bEndModal = false;
  m_nResult = IDCANCEL;
  HWND hWnd = CreateFromTemplate(hWndOwner);
  if (hWnd == nullptr) {
    m_bModal = false;
    return -1;
  }
  // The system's own dialog loop would answer Enter, Escape and the arrows itself; this one lets the
  // toolkit's pre-translation see every message first.
  const bool ownerEnabled = hWndOwner != nullptr && IsWindowEnabled(hWndOwner);
  if (ownerEnabled) EnableWindow(hWndOwner, FALSE);
  if (!m_bEndModal && IsWindow(hWnd)) ::ShowWindow(hWnd, SW_SHOWNORMAL);
  MSG msg = {};
  while (!m_bEndModal && IsWindow(hWnd)) {
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == -1) continue;
    if (r == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    // The dialog's own filter first: a modal run has no thread loop to offer it the messages.
    if (PreTranslateMessage(&msg)) continue;
    if (CUIManager::TranslateUIMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // The owner comes back before the dialog goes, so the activation returns to it.
  if (ownerEnabled) EnableWindow(hWndOwner, TRUE);
  if (IsWindow(hWnd)) DestroyWindow(hWnd);
  if (hWndOwner != nullptr && IsWindow(hWndOwner)) SetForegroundWindow(hWndOwner);
  m_bModal = false;
  return m_nResult;
}

HWND CSkinDialog::Create(HWND hWndOwner) {
  if (m_hWnd != nullptr) return nullptr;
  m_bModal = false;
  return CreateFromTemplate(hWndOwner);
}

void CSkinDialog::Close(INT_PTR result) {
  if (m_hWnd == nullptr) return;
  m_nResult = result;
  if (m_bModal) {
    m_bEndModal = true;
    PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the loop if this came from outside a message
  } else {
    DestroyWindow(m_hWnd);
  }
}

void CSkinDialog::ShowWindow(bool show, bool takeFocus) {
  if (m_hWnd == nullptr) return;
  ::ShowWindow(m_hWnd, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

CUINEdit* CSkinDialog::AddNativeEdit(const UINativeEditRecord& record) {
  if (m_hWnd == nullptr || m_pRoot == nullptr) return nullptr;
  auto edit = std::make_unique<CUINEdit>();
  edit->SetPadding(record.paddingX, record.paddingY);
  const RECT& rc = record.rc;
  if (record.backgroundImageId != 0) {
    auto* background = new CUILabel;
    background->SetPos(rc.left, rc.top, rc.right, rc.bottom);
    background->SetImage(record.backgroundImageId, m_hResourceModule);
    if (m_pRoot->Add(background))
      edit->SetBackgroundLabel(background);
    else
      delete background;
  }
  auto* placeholder = new CUILabel;
  placeholder->SetPos(rc.left, rc.top, rc.right, rc.bottom);
  placeholder->SetText(record.placeholder != nullptr ? record.placeholder : L"");
  if (m_pRoot->Add(placeholder))
    edit->SetPlaceholderLabel(placeholder);
  else
    delete placeholder;
  RECT inner = {rc.left + record.paddingX, rc.top + record.paddingY, rc.right - record.paddingX,
                rc.bottom - record.paddingY};
  DWORD styles = record.multiLine ? static_cast<DWORD>(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL) : 0;
  if (edit->Create(m_hWnd, inner, L"", styles, record.id) == nullptr) return nullptr;
  if (record.placeholder != nullptr) edit->SetCueBanner(record.placeholder);
  edit->SetFont(GetThemeFont(1));
  m_edits.push_back(std::move(edit));
  return m_edits.back().get();
}

CUINEdit* CSkinDialog::FindNativeEdit(int id) const {
  for (const auto& edit : m_edits)
    if (edit->GetId() == id) return edit.get();
  return nullptr;
}

void CSkinDialog::Unregister() {
  if (m_pLoop == nullptr) return;
  m_pLoop->RemoveMessageFilter(this);
  m_pLoop->RemoveIdleHandler(this);
  m_pLoop = nullptr;
}

BOOL CSkinDialog::OnInitDialog() {
  if (m_pAppModule != nullptr) {
    m_pLoop = m_pAppModule->GetMessageLoop();
    if (m_pLoop != nullptr) {
      m_pLoop->AddMessageFilter(this);
      m_pLoop->AddIdleHandler(this);
    }
  }
  CreateRoot(this);
  return TRUE;
}

INT_PTR CALLBACK CSkinDialog::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  CSkinDialog* self = nullptr;
  if (uMsg == WM_INITDIALOG) {
    self = reinterpret_cast<CSkinDialog*>(lParam);
    SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
    if (self != nullptr) self->m_hWnd = hWnd;
  } else {
    self = reinterpret_cast<CSkinDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
  }
  if (self == nullptr) return FALSE;
  LRESULT result = 0;
  BOOL handled = self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result);
  if (uMsg == WM_NCDESTROY) {
    SetWindowLongPtrW(hWnd, DWLP_USER, 0);
    self->m_hWnd = nullptr;
  }
  if (!handled) return FALSE;
  switch (uMsg) {
    // These answer through the procedure's own result.
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

BOOL CSkinDialog::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  switch (uMsg) {
    case WM_INITDIALOG:
      lResult = OnInitDialog();
      return TRUE;
    case WM_DESTROY:
      Unregister();
      DestroyLayer();
      return FALSE;
    case kMsgLayerUpdate:
      UpdateLayer();
      lResult = 0;
      return TRUE;
    default:
      break;
  }
  bool handled = false;
  lResult = HandleMessage(uMsg, wParam, lParam, handled);
  return handled ? TRUE : FALSE;
}

LRESULT CSkinDialog::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  switch (uMsg) {
    case WM_ENABLE:
      SendMessageW(m_hWnd, kMsgLayerUpdate, 0, 0);
      break;
    case WM_TIMER:
      if (wParam == kLayerRetryTimer) {
        OnLayerTimer();
        bHandled = true;
        return 0;
      }
      break;
    case WM_KEYDOWN: {
      bHandled = true;
      if (IsArrowKey(wParam)) return 0;
      LRESULT ignored = 0;
      m_pm.MessageHandler(uMsg, wParam, lParam, ignored);
      return 0;
    }
    case WM_LBUTTONDOWN:
      ::SetFocus(m_hWnd);
      break;
    default:
      break;
  }
  LRESULT result = 0;
  if (m_pm.MessageHandler(uMsg, wParam, lParam, result)) {
    bHandled = true;
    return result;
  }
  // The dialog default would turn a close request into a command nobody sends back; end the dialog
  // the way its cancel would.
  if (uMsg == WM_CLOSE) {
    Close(IDCANCEL);
    bHandled = true;
  }
  return 0;
}

}  // namespace vorlix
