#include <gtest/gtest.h>

#include "framework/DWordArray.h"
#include "framework/ObArray.h"
#include "framework/PtrArray.h"
#include "framework/PtrList.h"
#include "framework/StringArray.h"

namespace {

template <class F>
void ExpectInvalidArgument(F f) {
  try {
    f();
    ADD_FAILURE() << "no exception";
  } catch (CInvalidArgException* e) {
    e->Delete();
  }
}

TEST(CArray, AddsInsertsRemovesAndGrows) {
  CDWordArray a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(0, a.Add(10));
  EXPECT_EQ(1, a.Add(30));
  a.InsertAt(1, 20);
  a.InsertAt(0, 5, 2);
  ASSERT_EQ(5, a.GetSize());
  EXPECT_EQ(5u, a[0]);
  EXPECT_EQ(5u, a[1]);
  EXPECT_EQ(20u, a[3]);
  a.RemoveAt(0, 2);
  EXPECT_EQ(3, a.GetCount());
  EXPECT_EQ(2, a.GetUpperBound());
  a.SetAtGrow(5, 60);
  EXPECT_EQ(6, a.GetSize());
  EXPECT_EQ(0u, a[4]);
  a.SetSize(2);
  EXPECT_EQ(2, a.GetSize());
  a.ElementAt(1) = 99;
  EXPECT_EQ(99u, a.GetAt(1));
  CDWordArray b;
  b.Add(1);
  EXPECT_EQ(2, a.Append(b));
  a.InsertAt(0, &a);
  EXPECT_EQ(6, a.GetSize());
  a.RemoveAll();
  EXPECT_EQ(nullptr, a.GetData());
}

TEST(CArray, OutOfRangeIndexesThrow) {
  CPtrArray a;
  a.Add(nullptr);
  ExpectInvalidArgument([&] { a.GetAt(1); });
  ExpectInvalidArgument([&] { a.SetAt(-1, nullptr); });
  ExpectInvalidArgument([&] { a.RemoveAt(0, 2); });
  ExpectInvalidArgument([&] { a.SetSize(-1); });
  EXPECT_EQ(1, a.GetSize());
}

TEST(CArray, StringAndObjectArrays) {
  CStringArray names;
  names.Add("Cutters.INI");
  names.Add(CString("UPort.Ini"));
  EXPECT_EQ(names[1], "UPort.Ini");
  CStringArray copy;
  copy.Copy(names);
  copy[0] = "changed";
  EXPECT_EQ(names[0], "Cutters.INI");

  CObArray objects;
  objects.Add(nullptr);
  EXPECT_EQ(nullptr, objects[0]);
}

TEST(CPtrList, WalksInsertsAndRemovesByPosition) {
  int v[5] = {0, 1, 2, 3, 4};
  CPtrList list;
  list.AddTail(&v[1]);
  list.AddTail(&v[3]);
  list.AddHead(&v[0]);
  POSITION three = list.Find(&v[3]);
  ASSERT_NE(nullptr, three);
  list.InsertBefore(three, &v[2]);
  list.InsertAfter(three, &v[4]);
  ASSERT_EQ(5, list.GetCount());

  int expected = 0;
  for (POSITION pos = list.GetHeadPosition(); pos;) EXPECT_EQ(expected++, *static_cast<int*>(list.GetNext(pos)));
  expected = 4;
  for (POSITION pos = list.GetTailPosition(); pos;) EXPECT_EQ(expected--, *static_cast<int*>(list.GetPrev(pos)));

  EXPECT_EQ(&v[2], list.GetAt(list.FindIndex(2)));
  EXPECT_EQ(nullptr, list.FindIndex(5));
  list.RemoveAt(list.FindIndex(2));
  EXPECT_EQ(&v[0], list.RemoveHead());
  EXPECT_EQ(&v[4], list.RemoveTail());
  EXPECT_EQ(&v[1], list.GetHead());
  EXPECT_EQ(&v[3], list.GetTail());
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  ExpectInvalidArgument([&] { list.RemoveHead(); });
}

}  // namespace
