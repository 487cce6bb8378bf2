#include <windows.h>

#include "ui/controls/UIMeasure.h"
#include "ui/render/win32/CGdiRenderPainter.h"

namespace vorlix {
namespace {

// The screen context outlives the painter drawn on it (bases are destroyed in reverse order).
struct CScreenDC {
  explicit CScreenDC(HDC hdc) : m_hdc(hdc) {}
  ~CScreenDC() { ::ReleaseDC(nullptr, m_hdc); }
  HDC m_hdc;
};

class CScreenMeasurePainter : private CScreenDC, public CGdiRenderPainter {
 public:
  explicit CScreenMeasurePainter(HDC hdc) : CScreenDC(hdc), CGdiRenderPainter(hdc) {}
};

}  // namespace

std::unique_ptr<IUIRenderPainter> CreatePlatformMeasurePainter(CUIManager* manager) {
  HDC hdc = manager != nullptr ? reinterpret_cast<HDC>(manager->GetPaintDC()) : nullptr;
  if (hdc != nullptr) return std::unique_ptr<IUIRenderPainter>(new CGdiRenderPainter(hdc));
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return nullptr;
  return std::unique_ptr<IUIRenderPainter>(new CScreenMeasurePainter(screen));
}

}  // namespace vorlix
