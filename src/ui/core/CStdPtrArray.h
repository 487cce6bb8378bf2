#pragma once
// Growable array of untyped pointers. The first allocation holds kInitialSlots; the capacity doubles
// whenever an append would fill it, so there is always one spare slot.

namespace vorlix {

class CStdPtrArray {
 public:
  static constexpr int kInitialSlots = 11;

  explicit CStdPtrArray(int preallocate = 0);
  CStdPtrArray(const CStdPtrArray& other);
  CStdPtrArray& operator=(const CStdPtrArray& other);
  ~CStdPtrArray();

  void Empty();                       // no items, no allocation
  void Resize(int count);             // exactly count null slots
  bool IsEmpty() const { return m_nCount == 0; }
  int GetSize() const { return m_nCount; }
  int GetCapacity() const { return m_nAllocated; }
  void** GetData() { return m_ppVoid; }

  bool Add(void* item);
  bool InsertAt(int index, void* item);  // 0 .. size; later items move up
  bool SetAt(int index, void* item);     // within 0 .. size - 1
  bool Remove(int index);                // later items move down
  int Find(void* item) const;            // index, or -1
  void* GetAt(int index) const;          // null out of range
  void* operator[](int index) const { return GetAt(index); }

 private:
  bool Grow();

  void** m_ppVoid = nullptr;
  int m_nCount = 0;
  int m_nAllocated = 0;
};

}  // namespace vorlix
