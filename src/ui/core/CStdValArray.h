#pragma once
// Growable array of fixed-size records (the size is given at construction), with the same growth rule
// as CStdPtrArray. Records are copied bytewise, so they must be trivially copyable.

namespace vorlix {

class CStdValArray {
 public:
  static constexpr int kInitialSlots = 11;

  explicit CStdValArray(int elementSize, int preallocate = 0);
  CStdValArray(const CStdValArray& other);
  CStdValArray& operator=(const CStdValArray& other);
  ~CStdValArray();

  void Empty();
  bool IsEmpty() const { return m_nCount == 0; }
  int GetSize() const { return m_nCount; }
  int GetCapacity() const { return m_nAllocated; }
  int GetElementSize() const { return m_iElementSize; }
  void* GetData() { return m_pVoid; }

  bool Add(const void* record);
  bool Remove(int index);           // later records move down
  void* GetAt(int index) const;     // null out of range
  void* operator[](int index) const { return GetAt(index); }

 private:
  bool Grow();

  unsigned char* m_pVoid = nullptr;
  int m_iElementSize;
  int m_nCount = 0;
  int m_nAllocated = 0;
};

}  // namespace vorlix
