// The transform library's stand-in bound through the product's wrappers (no window but a memory
// device context): every entry the wrappers bind is exported, the transformations are listed in
// both languages, and a transformation made, edited and stored comes back the same from its data.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "TransformLibrary.h"
#include "media/ExpandDll.h"
#include "media/TransformDll.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"

using namespace addon_test;

namespace {

std::vector<BYTE> DataOf(const CTransformDll& library, HANDLE transform) {
  HGLOBAL data = nullptr;
  int length = library.TFCreateData(transform, &data);
  std::vector<BYTE> bytes = BytesOf(data);
  if (data) GlobalFree(data);
  bytes.resize(static_cast<size_t>(std::max(length, 0)));
  return bytes;
}

class TransformEntries : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(nullptr, m_library.Bind(kLibraryPath)); }

  // The group of a rectangle curve bent by the transformation into its own box.
  CBlock* Bend(HANDLE transform, const CFRect& rect) {
    CGroupBlock group;
    group.AddChild(Rectangles({rect}, 5));
    HGLOBAL record = nullptr;
    int length = group.WriteRecord(&record);
    TransformParams params = {length, group.m_box, group.m_box, record};
    HGLOBAL result = m_library.DoTransform(transform, params);
    GlobalFree(record);
    return TakeResult(result);
  }

  CTransformDll m_library;
};

TEST_F(TransformEntries, EveryEntryTheWrappersBindIsExported) {
  CWeldDll weld;
  CExpandDll expand;
  ASSERT_NE(nullptr, weld.Bind(kLibraryPath));
  ASSERT_NE(nullptr, expand.Bind(kLibraryPath));
  const char* const transformEntries[] = {"dllGetTransformInfo",
                                          "dllInitTransformSeg",
                                          "dllDrawTransform",
                                          "dllSetGlobalVarPointer",
                                          "dllDoMouseCmd",
                                          "dllMoveSegHandle",
                                          "dllIsPointInSegHandle",
                                          "dllTFTransSegData",
                                          "dllDoCommand",
                                          "dllTFKeyDown",
                                          "dllTFOnChar",
                                          "dllTFGetNewGlyph",
                                          "dllDoTransform",
                                          "dllTFGetOutRect",
                                          "dllDeleteTransform",
                                          "dllTFCreateData",
                                          "dllTFCreateTransformFromData",
                                          "dllTFMatrixTransformSeg",
                                          "dllTFGetTransformMatrix"};
  for (const char* name : transformEntries) EXPECT_NE(nullptr, m_library.GetProc(name)) << name;
  for (const char* name : {"dllWeld", "dllWeldCut", "dllWeldAnd", "dllWeldXor", "dllLineCut",
                           "dllFigureCut", "dllSelfWeld"})
    EXPECT_NE(nullptr, weld.GetProc(name)) << name;
  for (const char* name : {"dllExpand", "dllExpandOutLine"})
    EXPECT_NE(nullptr, expand.GetProc(name)) << name;
}

TEST_F(TransformEntries, ListsFourTransformationsWithNamesAndPreviews) {
  ASSERT_EQ(4, m_library.GetTransformCount());
  const char* const chinese[] = {"拱形", "膨胀", "透视", "波浪"};
  const char* const english[] = {"Arch", "Bulge", "Perspective", "Wave"};
  for (int n = 1; n <= 4; ++n) {
    CString name;
    HBITMAP preview = nullptr;
    ASSERT_TRUE(m_library.GetTransformInfo(n, true, name, &preview));
    EXPECT_EQ(CString(chinese[n - 1]), name);
    ASSERT_NE(nullptr, preview);
    BITMAP bitmap = {};
    GetObjectA(preview, sizeof bitmap, &bitmap);
    EXPECT_EQ(60, bitmap.bmWidth);
    EXPECT_EQ(60, bitmap.bmHeight);
    DeleteObject(preview);
    ASSERT_TRUE(m_library.GetTransformInfo(n, false, name, nullptr));
    EXPECT_EQ(CString(english[n - 1]), name);
  }
  CString name;
  EXPECT_FALSE(m_library.GetTransformInfo(5, false, name, nullptr));
}

TEST_F(TransformEntries, AnEditedTransformationComesBackTheSameFromItsData) {
  const CFRect box(0, 0, 100, 50);
  HANDLE arch = m_library.InitTransformSeg(1, box);  // the arch
  ASSERT_NE(nullptr, arch);
  CMatrix2D matrix;
  matrix.m[6] = 10;  // the block sits 10 to the right
  m_library.TFTransSegData(arch, matrix);
  CMatrix2D back;
  m_library.TFGetTransformMatrix(arch, &back);
  EXPECT_EQ(10, back.m[6]);

  // The handle sits on the middle of the top, raised by the amount (0.3 of the height); dragging
  // it 10 higher makes the amount 0.5.
  EXPECT_EQ(0, m_library.DoMouseCmd(arch, WM_LBUTTONDOWN, MK_LBUTTON, 60, 20));
  EXPECT_EQ(1, m_library.DoMouseCmd(arch, WM_LBUTTONDOWN, MK_LBUTTON, 60, -15));
  EXPECT_EQ(1, m_library.DoMouseCmd(arch, WM_MOUSEMOVE, MK_LBUTTON, 60, -20));
  EXPECT_EQ(1, m_library.DoMouseCmd(arch, WM_LBUTTONUP, 0, 60, -25));
  EXPECT_EQ(0, m_library.DoMouseCmd(arch, WM_MOUSEMOVE, 0, 60, -40));

  std::vector<BYTE> data = DataOf(m_library, arch);
  ASSERT_FALSE(data.empty());
  HANDLE copy = m_library.TFCreateTransformFromData(data.data(), static_cast<int>(data.size()));
  ASSERT_NE(nullptr, copy);
  EXPECT_NE(arch, copy);
  EXPECT_EQ(data, DataOf(m_library, copy));

  // Both bend a rectangle alike: its top middle rises by half the height, its corners stay.
  std::unique_ptr<CBlock> bent(Bend(copy, box));
  ASSERT_NE(nullptr, bent);
  EXPECT_NEAR(-25, bent->m_box.top, 1e-3);
  EXPECT_NEAR(50, bent->m_box.bottom, 1e-3);
  EXPECT_NEAR(100, bent->m_box.right, 1e-3);
  EXPECT_EQ(5u, static_cast<CCurveBlock*>(bent.get())->GetColour());

  EXPECT_EQ(1, m_library.TFOnChar(copy, '+', 0));
  EXPECT_NE(data, DataOf(m_library, copy));
  m_library.DeleteTransform(arch);
  m_library.DeleteTransform(copy);
}

TEST_F(TransformEntries, DamagedDataAndUnknownHandlesGiveNeutralAnswers) {
  HANDLE wave = m_library.InitTransformSeg(4, CFRect(0, 0, 10, 10));
  std::vector<BYTE> data = DataOf(m_library, wave);
  ASSERT_EQ(25u, data.size());
  auto rebuilt = [&](std::vector<BYTE> bytes) {
    return m_library.TFCreateTransformFromData(bytes.data(), static_cast<int>(bytes.size()));
  };
  std::vector<BYTE> truncated(data.begin(), data.end() - 1);
  std::vector<BYTE> signature = data, kind = data, amount = data;
  signature[0] = 'X';
  kind[4] = 9;
  const float notANumber = NAN;
  memcpy(&amount[5], &notANumber, 4);
  EXPECT_EQ(nullptr, rebuilt(truncated));
  EXPECT_EQ(nullptr, rebuilt(signature));
  EXPECT_EQ(nullptr, rebuilt(kind));
  EXPECT_EQ(nullptr, rebuilt(amount));
  EXPECT_EQ(nullptr, m_library.InitTransformSeg(0, CFRect(0, 0, 1, 1)));
  EXPECT_EQ(nullptr, m_library.InitTransformSeg(5, CFRect(0, 0, 1, 1)));

  m_library.DeleteTransform(wave);
  HGLOBAL out = nullptr;
  EXPECT_EQ(0, m_library.TFCreateData(wave, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(0, m_library.DoMouseCmd(wave, WM_LBUTTONDOWN, 0, 0, 0));
  EXPECT_EQ(0, m_library.TFOnChar(wave, '+', 0));
  EXPECT_EQ(nullptr, Bend(wave, CFRect(0, 0, 10, 10)));
  HDC dc = CreateCompatibleDC(nullptr);
  CMatrix2D display;
  m_library.DrawTransform(dc, wave, display);
  DeleteDC(dc);
}

TEST_F(TransformEntries, DrawsTheBentFrameAndItsHandle) {
  HANDLE bulge = m_library.InitTransformSeg(2, CFRect(10, 10, 50, 40));
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 64);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 64, 64, WHITENESS);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  CMatrix2D display;
  m_library.DrawTransform(dc, bulge, display);
  // The left side stays straight; the top middle moves away from the centre by half (to 2.5).
  EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 10, 25));
  EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 30, 2));
  EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 30, 10));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  m_library.DeleteTransform(bulge);
}

}  // namespace
