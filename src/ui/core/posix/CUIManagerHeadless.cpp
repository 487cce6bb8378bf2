// Without a window system the manager runs headless: the tree-side logic works, nothing is painted,
// no timer is granted and no message arrives. Native tests and ports build on this.
#include <chrono>

#include "ui/core/CUIManager.h"

namespace vorlix {

void CUIManager::PlatformConstruct() {
  m_szScrollBar.cx = 17;
  m_szScrollBar.cy = 17;
}

void CUIManager::PlatformInit() {}
void CUIManager::PlatformDestruct() {}

std::uint32_t CUIManager::PlatformTickCount() const {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CUIManager::PlatformInvalidate(const UIRect* /*rc*/) {}
void CUIManager::PlatformPostReap() {}
bool CUIManager::PlatformSetTimer(unsigned /*nativeId*/, unsigned /*elapseMs*/) { return false; }
void CUIManager::PlatformKillTimer(UIWindow /*hWnd*/, unsigned /*nativeId*/) {}
std::uint16_t CUIManager::CurrentKeyState() const { return 0; }
UISize CUIManager::GetClientSize() const { return UISize(); }
void CUIManager::SetCursorShape(UICursorShape /*shape*/) {}
void CUIManager::ProcessPostPaint(UIDeviceContext /*hdc*/) { m_aPostPaint.Empty(); }
bool CUIManager::MessageHandler(unsigned, UIWParam, UILParam, UILResult&) { return false; }
bool CUIManager::PreMessageHandler(unsigned, UIWParam, UILParam) { return false; }
bool CUIManager::TranslateUIMessage(const UIMessage* /*msg*/) { return false; }
void CUIManager::MessageLoop() {}

}  // namespace vorlix
