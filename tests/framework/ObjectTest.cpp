#include <gtest/gtest.h>

#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"
#include "framework/MessageBox.h"
#include "framework/Object.h"
#include "support/MessageBoxCapture.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CSquare : public CShape {
  DECLARE_DYNCREATE(CSquare)
public:
  int side = 4;
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

TEST(CObject, KnowsItsClassAndItsBases) {
  CSquare square;
  CObject* object = &square;
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_STREQ("CSquare", object->GetRuntimeClass()->m_lpszClassName);

  CShape shape;
  EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, static_cast<CObject*>(&shape)));
  EXPECT_EQ(&square, DYNAMIC_DOWNCAST(CSquare, object));
}

TEST(CObject, CreatesRegisteredClassesByName) {
  CRuntimeClass* squareClass = CRuntimeClass::FromName("CSquare");
  ASSERT_EQ(RUNTIME_CLASS(CSquare), squareClass);
  CObject* created = squareClass->CreateObject();
  ASSERT_NE(nullptr, created);
  EXPECT_EQ(4, static_cast<CSquare*>(created)->side);
  delete created;
  EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
  EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
}

TEST(MessageBox, TestsCanAnswerBoxesAndReadThem) {
  MessageBoxCapture boxes(IDNO);
  AfxSetMessageBoxCaption("TALVEX42");
  EXPECT_EQ(IDNO, AfxMessageBox("保存修改吗?", MB_YESNO));
  EXPECT_EQ(IDNO, AfxShowMessageBox(nullptr, "非法的CSegArray数据结构!", "数据结构错", MB_OK));
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_EQ("保存修改吗?", boxes.Boxes()[0].text);
  EXPECT_EQ("TALVEX42", boxes.Boxes()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Boxes()[0].type);
  EXPECT_EQ("数据结构错", boxes.Last().caption);
  // A prompt from the string table.
  AfxMessageBox(101);
  EXPECT_EQ("你好，世界", boxes.Last().text);
}

TEST(MessageBox, ExceptionsReportThemselves) {
  MessageBoxCapture boxes;
  CMemoryException* e = new CMemoryException;
  e->ReportError();
  e->Delete();
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("内存不足。", boxes.Last().text);
}

TEST(CGlobalLock, LocksForItsLifetimeOnly) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 90);
  ASSERT_NE(nullptr, block);
  {
    CGlobalLock lock(block);
    ASSERT_NE(nullptr, lock.Data());
    EXPECT_GE(lock.Size(), 90u);
    EXPECT_EQ(0, lock.Data()[89]);
    lock.Data()[0] = 0xFF;
    EXPECT_EQ(1u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  }
  EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  {
    CGlobalLock again(block);
    EXPECT_EQ(0xFF, again.As<BYTE>()[0]);
  }
  GlobalFree(block);
  CGlobalLock none(nullptr);
  EXPECT_EQ(nullptr, none.Data());
  EXPECT_EQ(0u, none.Size());
}

}  // namespace
