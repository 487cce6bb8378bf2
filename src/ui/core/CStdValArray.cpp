#include "ui/core/CStdValArray.h"

#include <cstdlib>
#include <cstring>

namespace vorlix {

CStdValArray::CStdValArray(int elementSize, int preallocate) : m_iElementSize(elementSize > 0 ? elementSize : 1) {
  if (preallocate > 0) {
    m_pVoid = static_cast<unsigned char*>(
        std::malloc(static_cast<std::size_t>(preallocate) * static_cast<std::size_t>(m_iElementSize)));
    if (m_pVoid != nullptr) m_nAllocated = preallocate;
  }
}

CStdValArray::CStdValArray(const CStdValArray& other) : m_iElementSize(other.m_iElementSize) { *this = other; }

CStdValArray& CStdValArray::operator=(const CStdValArray& other) {
  if (this == &other) return *this;
  Empty();
  m_iElementSize = other.m_iElementSize;
  if (other.m_nAllocated > 0) {
    std::size_t bytes = static_cast<std::size_t>(other.m_nAllocated) * static_cast<std::size_t>(m_iElementSize);
    m_pVoid = static_cast<unsigned char*>(std::malloc(bytes));
    if (m_pVoid != nullptr) {
      m_nAllocated = other.m_nAllocated;
      m_nCount = other.m_nCount;
      std::memcpy(m_pVoid, other.m_pVoid, static_cast<std::size_t>(m_nCount) * static_cast<std::size_t>(m_iElementSize));
    }
  }
  return *this;
}

CStdValArray::~CStdValArray() { std::free(m_pVoid); }

void CStdValArray::Empty() {
  std::free(m_pVoid);
  m_pVoid = nullptr;
  m_nCount = 0;
  m_nAllocated = 0;
}

bool CStdValArray::Grow() {
  int slots = m_nAllocated == 0 ? kInitialSlots : m_nAllocated * 2;
  void* grown = std::realloc(m_pVoid, static_cast<std::size_t>(slots) * static_cast<std::size_t>(m_iElementSize));
  if (grown == nullptr) return false;
  m_pVoid = static_cast<unsigned char*>(grown);
  m_nAllocated = slots;
  return true;
}

bool CStdValArray::Add(const void* record) {
  if (m_nCount + 1 >= m_nAllocated && !Grow()) return false;
  std::memcpy(m_pVoid + static_cast<std::size_t>(m_nCount) * static_cast<std::size_t>(m_iElementSize), record,
              static_cast<std::size_t>(m_iElementSize));
  ++m_nCount;
  return true;
}

bool CStdValArray::Remove(int index) {
  if (index < 0 || index >= m_nCount) return false;
  --m_nCount;
  if (index < m_nCount) {
    std::size_t size = static_cast<std::size_t>(m_iElementSize);
    std::memmove(m_pVoid + static_cast<std::size_t>(index) * size, m_pVoid + static_cast<std::size_t>(index + 1) * size,
                 static_cast<std::size_t>(m_nCount - index) * size);
  }
  return true;
}

void* CStdValArray::GetAt(int index) const {
  if (index < 0 || index >= m_nCount) return nullptr;
  return m_pVoid + static_cast<std::size_t>(index) * static_cast<std::size_t>(m_iElementSize);
}

}  // namespace vorlix
