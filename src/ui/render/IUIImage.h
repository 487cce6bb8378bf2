#pragma once
// A decoded picture the painters can draw parts of. The product's images are GDI+ bitmaps loaded from
// PNG/JPG resources (win32/CGdipImage); tests use plain in-memory stand-ins.

namespace vorlix {

class IUIImage {
 public:
  virtual ~IUIImage() = default;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
};

}  // namespace vorlix
