#pragma once
// A GDI+ bitmap as a toolkit image.

#include <windows.h>
#include <objidl.h>  // the COM property types GDI+ needs, left out by the lean header
#include <gdiplus.h>

#include <memory>

#include "ui/render/IUIImage.h"

namespace vorlix {

class CGdipImage : public IUIImage {
 public:
  // Takes ownership; stream (if any) backs the bitmap and is released with it.
  explicit CGdipImage(Gdiplus::Bitmap* bitmap, IStream* stream = nullptr) : m_pBitmap(bitmap), m_pStream(stream) {}
  ~CGdipImage() override;
  CGdipImage(const CGdipImage&) = delete;
  CGdipImage& operator=(const CGdipImage&) = delete;

  int GetWidth() const override;
  int GetHeight() const override;
  Gdiplus::Bitmap* GetBitmap() const { return m_pBitmap; }

 private:
  Gdiplus::Bitmap* m_pBitmap;
  IStream* m_pStream;
};

// GDI+ is started once for the process the first time an image is made (windows start it too).
void EnsureGdiplus();

}  // namespace vorlix
