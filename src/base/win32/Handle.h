#pragma once
// Owners for Win32 handles: one owner per handle, never copied, closed when the owner goes.
#include <windows.h>

#include <utility>

namespace vorlix {

template <typename Traits>
class CHandleOwner {
 public:
  using H = typename Traits::Type;
  CHandleOwner() = default;
  explicit CHandleOwner(H h) : m_h(h) {}
  ~CHandleOwner() { Reset(); }
  CHandleOwner(const CHandleOwner&) = delete;
  CHandleOwner& operator=(const CHandleOwner&) = delete;
  CHandleOwner(CHandleOwner&& o) noexcept : m_h(std::exchange(o.m_h, Traits::Invalid())) {}
  CHandleOwner& operator=(CHandleOwner&& o) noexcept {
    if (this != &o) {
      Reset();
      m_h = std::exchange(o.m_h, Traits::Invalid());
    }
    return *this;
  }
  explicit operator bool() const { return m_h != Traits::Invalid() && m_h != nullptr; }
  H Get() const { return m_h; }
  H Release() { return std::exchange(m_h, Traits::Invalid()); }
  void Reset(H h = Traits::Invalid()) {
    if (*this) Traits::Close(m_h);
    m_h = h;
  }

 private:
  H m_h = Traits::Invalid();
};

struct CFileHandleTraits {
  using Type = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct CKernelHandleTraits {
  using Type = HANDLE;
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

using CFileHandle = CHandleOwner<CFileHandleTraits>;   // CreateFile results (invalid is INVALID_HANDLE_VALUE)
using CKernelHandle = CHandleOwner<CKernelHandleTraits>;  // mutexes, events, threads, processes

}  // namespace vorlix
