#include "ui/core/CStdPtrArray.h"

#include <cstdlib>
#include <cstring>

namespace vorlix {

CStdPtrArray::CStdPtrArray(int preallocate) {
  if (preallocate > 0) {
    m_ppVoid = static_cast<void**>(std::calloc(static_cast<std::size_t>(preallocate), sizeof(void*)));
    if (m_ppVoid != nullptr) m_nAllocated = preallocate;
  }
}

CStdPtrArray::CStdPtrArray(const CStdPtrArray& other) { *this = other; }

CStdPtrArray& CStdPtrArray::operator=(const CStdPtrArray& other) {
  if (this == &other) return *this;
  Empty();
  if (other.m_nAllocated > 0) {
    m_ppVoid = static_cast<void**>(std::calloc(static_cast<std::size_t>(other.m_nAllocated), sizeof(void*)));
    if (m_ppVoid != nullptr) {
      m_nAllocated = other.m_nAllocated;
      m_nCount = other.m_nCount;
      std::memcpy(m_ppVoid, other.m_ppVoid, sizeof(void*) * static_cast<std::size_t>(m_nCount));
    }
  }
  return *this;
}

CStdPtrArray::~CStdPtrArray() { std::free(m_ppVoid); }

void CStdPtrArray::Empty() {
  std::free(m_ppVoid);
  m_ppVoid = nullptr;
  m_nCount = 0;
  m_nAllocated = 0;
}

void CStdPtrArray::Resize(int count) {
  Empty();
  if (count <= 0) return;
  m_ppVoid = static_cast<void**>(std::calloc(static_cast<std::size_t>(count), sizeof(void*)));
  if (m_ppVoid == nullptr) return;
  m_nAllocated = count;
  m_nCount = count;
}

bool CStdPtrArray::Grow() {
  int slots = m_nAllocated == 0 ? kInitialSlots : m_nAllocated * 2;
  void* grown = std::realloc(m_ppVoid, sizeof(void*) * static_cast<std::size_t>(slots));
  if (grown == nullptr) return false;
  m_ppVoid = static_cast<void**>(grown);
  std::memset(m_ppVoid + m_nAllocated, 0, sizeof(void*) * static_cast<std::size_t>(slots - m_nAllocated));
  m_nAllocated = slots;
  return true;
}

bool CStdPtrArray::Add(void* item) {
  if (m_nCount + 1 >= m_nAllocated && !Grow()) return false;
  m_ppVoid[m_nCount++] = item;
  return true;
}

bool CStdPtrArray::InsertAt(int index, void* item) {
  if (index == m_nCount) return Add(item);
  if (index < 0 || index > m_nCount) return false;
  if (m_nCount + 1 >= m_nAllocated && !Grow()) return false;
  std::memmove(m_ppVoid + index + 1, m_ppVoid + index, sizeof(void*) * static_cast<std::size_t>(m_nCount - index));
  m_ppVoid[index] = item;
  ++m_nCount;
  return true;
}

bool CStdPtrArray::SetAt(int index, void* item) {
  if (index < 0 || index >= m_nCount) return false;
  m_ppVoid[index] = item;
  return true;
}

bool CStdPtrArray::Remove(int index) {
  if (index < 0 || index >= m_nCount) return false;
  --m_nCount;
  if (index < m_nCount) {
    std::memmove(m_ppVoid + index, m_ppVoid + index + 1, sizeof(void*) * static_cast<std::size_t>(m_nCount - index));
  }
  m_ppVoid[m_nCount] = nullptr;
  return true;
}

int CStdPtrArray::Find(void* item) const {
  for (int i = 0; i < m_nCount; ++i) {
    if (m_ppVoid[i] == item) return i;
  }
  return -1;
}

void* CStdPtrArray::GetAt(int index) const {
  if (index < 0 || index >= m_nCount) return nullptr;
  return m_ppVoid[index];
}

}  // namespace vorlix
