#include <gtest/gtest.h>

#include <cstdint>

#include "ui/core/CStdPtrArray.h"
#include "ui/core/CStdValArray.h"

namespace vorlix {
namespace {

void* P(std::uintptr_t v) { return reinterpret_cast<void*>(v); }

TEST(StdPtrArray, GrowsFrom11SlotsDoublingAndKeepsASpareSlot) {
  CStdPtrArray a;
  EXPECT_EQ(0, a.GetCapacity());
  // Capacity after each append: 10 items fit in the first 11 slots, the 11th doubles to 22, and so on.
  for (int i = 1; i <= 45; ++i) {
    ASSERT_TRUE(a.Add(P(static_cast<std::uintptr_t>(i))));
    int expected = i < 11 ? 11 : (i < 22 ? 22 : 44 * (i < 44 ? 1 : 2));
    EXPECT_EQ(expected, a.GetCapacity()) << i;
    EXPECT_GT(a.GetCapacity(), a.GetSize());
  }
  for (int i = 0; i < 45; ++i) EXPECT_EQ(P(static_cast<std::uintptr_t>(i + 1)), a.GetAt(i));
}

TEST(StdPtrArray, InsertRemoveFindAndOutOfRange) {
  CStdPtrArray a;
  a.Add(P(1));
  a.Add(P(3));
  EXPECT_TRUE(a.InsertAt(1, P(2)));
  EXPECT_TRUE(a.InsertAt(3, P(4)));  // at the end
  EXPECT_FALSE(a.InsertAt(9, P(9)));
  EXPECT_FALSE(a.InsertAt(-1, P(9)));
  ASSERT_EQ(4, a.GetSize());
  EXPECT_EQ(2, a.Find(P(3)));
  EXPECT_EQ(-1, a.Find(P(7)));
  EXPECT_TRUE(a.Remove(0));  // later items move down
  EXPECT_EQ(P(2), a.GetAt(0));
  EXPECT_EQ(P(4), a.GetAt(2));
  EXPECT_EQ(nullptr, a.GetAt(3));
  EXPECT_EQ(nullptr, a.GetAt(-1));
  EXPECT_FALSE(a.Remove(3));
  EXPECT_EQ(3, a.GetSize());
}

TEST(StdPtrArray, ResizeGivesNullSlotsAndEmptyFrees) {
  CStdPtrArray a;
  a.Add(P(5));
  a.Resize(7);
  ASSERT_EQ(7, a.GetSize());
  for (int i = 0; i < 7; ++i) EXPECT_EQ(nullptr, a.GetAt(i));
  EXPECT_TRUE(a.SetAt(6, P(8)));
  EXPECT_FALSE(a.SetAt(7, P(8)));
  CStdPtrArray copy = a;
  EXPECT_EQ(P(8), copy.GetAt(6));
  a.Resize(0);
  EXPECT_TRUE(a.IsEmpty());
  a.Empty();
  EXPECT_EQ(0, a.GetCapacity());
  EXPECT_TRUE(a.Add(P(1)));
}

struct Record {
  int a;
  double b;
};

TEST(StdValArray, CopiesRecordsWithTheSameGrowth) {
  CStdValArray v(static_cast<int>(sizeof(Record)));
  for (int i = 0; i < 12; ++i) {
    Record r{i, i * 0.5};
    ASSERT_TRUE(v.Add(&r));
  }
  EXPECT_EQ(22, v.GetCapacity());
  ASSERT_EQ(12, v.GetSize());
  EXPECT_TRUE(v.Remove(3));
  auto* r3 = static_cast<Record*>(v.GetAt(3));
  ASSERT_NE(nullptr, r3);
  EXPECT_EQ(4, r3->a);
  EXPECT_EQ(11, static_cast<Record*>(v.GetAt(10))->a);
  EXPECT_EQ(nullptr, v.GetAt(11));
  EXPECT_EQ(nullptr, v.GetAt(-1));
  EXPECT_FALSE(v.Remove(11));
  v.Empty();
  EXPECT_TRUE(v.IsEmpty());
}

}  // namespace
}  // namespace vorlix
