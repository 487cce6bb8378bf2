#include "ui/hosts/CSkinFrame.h"

namespace vorlix {

CSkinFrame::CSkinFrame(CAppModule* appModule) : m_pAppModule(appModule != nullptr ? appModule : &Module()) {}

CSkinFrame::~CSkinFrame() {
  Unregister();
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

void CSkinFrame::Unregister() {
  if (m_pLoop == nullptr) return;
  m_pLoop->RemoveMessageFilter(this);
  m_pLoop->RemoveIdleHandler(this);
  m_pLoop = nullptr;
}

LRESULT CSkinFrame::OnCreate() {
  CreateRoot(this);
  if (m_pAppModule != nullptr) {
    m_pLoop = m_pAppModule->GetMessageLoop();
    if (m_pLoop != nullptr) m_pLoop->AddMessageFilter(this);
  }
  BuildUI();
  return 0;
}

void CSkinFrame::Close(INT_PTR result) {
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

BOOL CSkinFrame::PreTranslateMessage(MSG* msg) {
  // Only what the toolkit consumed: key messages the loop does not dispatch would never reach native
  // child windows (edits) or the dialogs' own handling.
  return CUIManager::TranslateUIMessage(msg) ? TRUE : FALSE;
}

LRESULT CSkinFrame::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE:
      if (OnCreate() == -1) return -1;
      break;
    case WM_DESTROY:
      Unregister();
      DestroyLayer();
      break;
    case kMsgLayerUpdate:
      UpdateLayer();
      return 0;
    case WM_ENABLE:
      SendMessageW(m_hWnd, kMsgLayerUpdate, 0, 0);
      break;
    case WM_TIMER:
      if (wParam == kLayerRetryTimer) {
        OnLayerTimer();
        return 0;
      }
      break;
    case WM_KEYDOWN:
      return CallPreviousProc(uMsg, wParam, lParam);
    default:
      break;
  }
  LRESULT result = 0;
  if (m_pm.MessageHandler(uMsg, wParam, lParam, result)) return result;
  return CallPreviousProc(uMsg, wParam, lParam);
}

}  // namespace vorlix
