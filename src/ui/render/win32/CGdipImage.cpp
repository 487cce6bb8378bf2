#include "ui/render/win32/CGdipImage.h"

#include <mutex>

namespace vorlix {

void EnsureGdiplus() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Never shut down: images live in process-wide slots until the process ends.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
  });
}

CGdipImage::~CGdipImage() {
  delete m_pBitmap;
  if (m_pStream != nullptr) m_pStream->Release();
}

int CGdipImage::GetWidth() const { return m_pBitmap != nullptr ? static_cast<int>(m_pBitmap->GetWidth()) : 0; }
int CGdipImage::GetHeight() const { return m_pBitmap != nullptr ? static_cast<int>(m_pBitmap->GetHeight()) : 0; }

}  // namespace vorlix
