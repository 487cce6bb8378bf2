#pragma once
// Geometry and message-parameter types of the toolkit.
//
// The control model must build without <windows.h>, yet the manager hands window messages and handles
// straight to the system. The seam: the handle types are the very pointer types Win32 uses (HWND is
// `HWND__*`, HDC is `HDC__*`, ...), declared here as incomplete structs, and the message parameters are
// the integer types WPARAM/LPARAM/LRESULT are defined as. On Windows they are therefore identical to the
// system types (checked at compile time in the Win32 part); elsewhere they are opaque and pointer-sized.
// Parameters are pointer-sized rather than 32-bit so that the 64-bit build can carry window handles in
// them without truncation; in the 32-bit product they are 32-bit as the records require.

#include <cstdint>

struct HWND__;
struct HDC__;
struct HBITMAP__;
struct HINSTANCE__;
struct tagMSG;

namespace vorlix {

using UIWindow = HWND__*;
using UIDeviceContext = HDC__*;
using UIBitmap = HBITMAP__*;
using UIModule = HINSTANCE__*;
using UIMessage = tagMSG;

#if defined(_WIN32)
using UIWParam = std::uintptr_t;  // WPARAM (UINT_PTR)
#if defined(_WIN64)
using UILParam = long long;       // LPARAM (LONG_PTR)
#else
using UILParam = long;
#endif
#else
using UIWParam = std::uintptr_t;
using UILParam = std::intptr_t;
#endif
using UILResult = UILParam;       // LRESULT (LONG_PTR)

// A colour in the system's byte order: 0x00bbggrr.
using UIColor = std::uint32_t;
constexpr UIColor UIRgb(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

struct UIPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct UISize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

// Right and bottom are exclusive.
struct UIRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t GetWidth() const { return right - left; }
  std::int32_t GetHeight() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(UIPoint pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }
  // True when both rectangles share at least one pixel.
  bool Intersects(const UIRect& o) const {
    return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool operator==(const UIRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const UIRect& o) const { return !(*this == o); }
};

inline UIRect MakeUIRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  UIRect rc;
  rc.left = l;
  rc.top = t;
  rc.right = r;
  rc.bottom = b;
  return rc;
}

inline UIPoint MakeUIPoint(std::int32_t x, std::int32_t y) {
  UIPoint pt;
  pt.x = x;
  pt.y = y;
  return pt;
}

}  // namespace vorlix
