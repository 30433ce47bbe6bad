// The image block without a window: its record (built by hand from the layout), the long-path
// forms of its name, its drawing on memory and metafile contexts through a fake raster service
// that paints a known bitmap, and the bar halftone of synthetic grey pictures (bar count, stroke
// thickness, simplified edges, top row first, the empty and the refused results).
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/blocks/BarHalftone.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/ImageFolderScope.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/blocks/RasterService.h"
#include "model/document/TALVEX42Doc.h"
#include "model/records/BlockRecord.h"
#include "support/FileContents.h"
#include "support/MemoryCanvas.h"
#include "support/TempFolder.h"

namespace {

HGLOBAL GlobalOf(const std::vector<BYTE>& bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
  CGlobalLock lock(block);
  memcpy(lock.Data(), bytes.data(), bytes.size());
  return block;
}

// One picture per path: width, height, bits, rows top row first (padded to 4 bytes) and a grey
// palette; its bitmap is a solid colour.
struct FakePicture {
  int width = 0;
  int height = 0;
  WORD bits = 8;
  std::vector<BYTE> topDownRows;
  COLORREF colour = RGB(255, 0, 0);
};

class FakeRasterService : public CRasterService {
public:
  bool ReadInfo(LPCSTR path, RasterImageInfo* info) override {
    auto found = pictures.find(path);
    if (found == pictures.end()) return false;
    info->width = found->second.width;
    info->height = found->second.height;
    info->bitsPerPixel = found->second.bits;
    return true;
  }
  HGLOBAL ReadPalette(LPCSTR path) override {
    if (!pictures.count(path)) return nullptr;
    std::vector<BYTE> table;
    for (int i = 0; i < 256; ++i) table.insert(table.end(), {BYTE(i), BYTE(i), BYTE(i), 0});
    return GlobalOf(table);
  }
  int GetColorCount(LPCSTR path) override { return pictures.count(path) ? 256 : 0; }
  HGLOBAL ReadBits(LPCSTR path, bool topDown) override {
    auto found = pictures.find(path);
    if (found == pictures.end()) return nullptr;
    std::vector<BYTE> rows = found->second.topDownRows;
    if (!topDown) {
      // Bottom row first: what a bar conversion that took the file's order would wrongly read.
      size_t stride = rows.size() / found->second.height;
      std::vector<BYTE> flipped;
      for (int y = found->second.height - 1; y >= 0; --y)
        flipped.insert(flipped.end(), rows.begin() + stride * y, rows.begin() + stride * (y + 1));
      rows = flipped;
    }
    return GlobalOf(rows);
  }
  HBITMAP CreateDib(LPCSTR path) override { return CreateBitmap(path, nullptr); }
  HBITMAP CreateBitmap(LPCSTR path, HDC dc) override {
    ++bitmapsAsked;
    auto found = pictures.find(path);
    if (found == pictures.end()) return nullptr;
    ++bitmapsMade;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc ? dc : screen, 8, 8);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    HBRUSH brush = ::CreateSolidBrush(found->second.colour);
    RECT all = {0, 0, 8, 8};
    ::FillRect(memory, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
  }

  // A grey picture whose every row is the given values (one byte per pixel).
  void AddRows(const std::string& path, int width, const std::vector<std::vector<BYTE>>& rows) {
    FakePicture& picture = pictures[path];
    picture.width = width;
    picture.height = int(rows.size());
    size_t stride = (size_t(width) + 3) & ~size_t(3);
    for (const std::vector<BYTE>& row : rows) {
      std::vector<BYTE> padded(row);
      padded.resize(stride, 0);
      picture.topDownRows.insert(picture.topDownRows.end(), padded.begin(), padded.end());
    }
  }

  std::map<std::string, FakePicture> pictures;
  int bitmapsAsked = 0;
  int bitmapsMade = 0;
};

// The record of the layout: tag, length 85, type 133, attributes, box, the name field, 0xF1.
std::vector<BYTE> ImageRecord(const CFRect& box, const std::string& name, WORD attributes = 0) {
  std::vector<BYTE> record = {0x28, 85, 0, 0, 0, 133, BYTE(attributes), BYTE(attributes >> 8)};
  for (float value : {box.left, box.top, box.right, box.bottom}) {
    BYTE bytes[4];
    memcpy(bytes, &value, 4);
    record.insert(record.end(), bytes, bytes + 4);
  }
  std::vector<BYTE> field(60, 0);
  memcpy(field.data(), name.data(), std::min<size_t>(name.size(), 60));
  record.insert(record.end(), field.begin(), field.end());
  record.push_back(0xF1);
  return record;
}

std::vector<BYTE> RecordOf(CBlock& block) {
  HGLOBAL handle = nullptr;
  int length = block.WriteRecord(&handle);
  std::vector<BYTE> bytes;
  if (!handle) return bytes;
  {
    CGlobalLock lock(handle);
    bytes.assign(lock.Data(), lock.Data() + length);
  }
  ::GlobalFree(handle);
  return bytes;
}

std::unique_ptr<CImageBlock> Load(const std::vector<BYTE>& record) {
  return std::unique_ptr<CImageBlock>(
      static_cast<CImageBlock*>(CreateBlockFromRecord(record.data(), record.size())));
}

TEST(ImageBlock, TheRecordIsTheLayoutsAndReadsBackBoundedToItsField) {
  const CFRect box(12.5f, 7.0f, 112.5f, 57.0f);
  const std::vector<BYTE> golden = ImageRecord(box, "C:\\ART\\LOGO.BMP", 0x0102);
  std::unique_ptr<CImageBlock> image = Load(golden);
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(kImageBlock, image->m_type);
  EXPECT_EQ(0x0102, image->m_attributes);
  EXPECT_STREQ("C:\\ART\\LOGO.BMP", image->GetFileName());
  EXPECT_EQ(box.left, image->m_box.left);
  EXPECT_EQ(box.bottom, image->m_box.bottom);
  EXPECT_EQ(golden, RecordOf(*image));

  // A name that fills its field without a terminator is taken as its 60 bytes, no more.
  std::unique_ptr<CImageBlock> full = Load(ImageRecord(box, std::string(60, 'A')));
  ASSERT_NE(nullptr, full);
  EXPECT_EQ(60, full->GetFileName().GetLength());
  // Another type code in the record does not make the block another type.
  std::vector<BYTE> retyped = golden;
  retyped[5] = kTextBlock;
  EXPECT_EQ(kImageBlock, Load(retyped)->m_type);
  // Damaged: a length that is not 85, a missing end byte.
  for (int length : {84, 86}) {
    std::vector<BYTE> wrong = golden;
    wrong.resize(size_t(length), 0xF1);
    wrong[1] = BYTE(length);
    EXPECT_EQ(nullptr, Load(wrong)) << length;
  }
  std::vector<BYTE> unclosed = golden;
  unclosed.back() = 0;
  EXPECT_EQ(nullptr, Load(unclosed));
  EXPECT_EQ(nullptr, LoadImageBlock(golden.data(), golden.size() - 1));
}

TEST(ImageBlock, ALongPathIsStoredInAFormThatStillFindsTheFile) {
  const std::string fits(59, 'x');
  EXPECT_EQ(CString(fits.c_str()), CImageBlock::StorableName(fits.c_str()));
  // Too long, no such file (so no short form) and no document: nothing is written.
  const std::string longName = "C:\\" + std::string(70, 'y') + "\\A.BMP";
  CImageBlock lost(longName.c_str());
  HGLOBAL record = nullptr;
  EXPECT_EQ(0, lost.WriteRecord(&record));
  EXPECT_EQ(nullptr, record);

  // In a document's folder the name is written relative to it, and found again on opening.
  const std::string folder = "C:\\" + std::string(40, 'd') + "\\signs\\";
  {
    CImageFolderScope saving((folder + "shop.T42").c_str());
    CImageBlock image((folder + "pictures\\" + std::string(20, 'p') + ".BMP").c_str());
    image.m_box = CFRect(1, 2, 3, 4);
    std::vector<BYTE> bytes = RecordOf(image);
    ASSERT_EQ(85u, bytes.size());
    EXPECT_STREQ(("pictures\\" + std::string(20, 'p') + ".BMP").c_str(),
                 reinterpret_cast<const char*>(&bytes[24]));
    CImageFolderScope opening((folder + "shop.T42").c_str());
    EXPECT_STREQ(image.GetFileName(), Load(bytes)->GetFileName());
  }
  // Outside a document a relative name stays as it is; an absolute one never changes.
  EXPECT_STREQ("pictures\\a.bmp", Load(ImageRecord({}, "pictures\\a.bmp"))->GetFileName());
  CImageFolderScope opening("D:\\docs\\x.T42");
  EXPECT_STREQ("D:\\docs\\a.bmp", Load(ImageRecord({}, "a.bmp"))->GetFileName());
  EXPECT_STREQ("E:\\a.bmp", Load(ImageRecord({}, "E:\\a.bmp"))->GetFileName());
  EXPECT_STREQ("\\\\server\\a.bmp", Load(ImageRecord({}, "\\\\server\\a.bmp"))->GetFileName());
}

// File names are in the system's code page: on an English system (1252) an accented letter is
// one byte, even where GBK would read it as a lead byte taking the backslash after it.
TEST(EnglishSystemImagePaths, AnImageBesideADocumentInAFolderEndingInAnAccentIsFound) {
  if (::GetACP() != 1252) GTEST_SKIP() << "the accented letter is a lead byte here";
  CImageFolderScope opening("D:\\Caf\xE9\\shop.T42");
  EXPECT_STREQ("D:\\Caf\xE9\\a.bmp", Load(ImageRecord({}, "a.bmp"))->GetFileName());
}

TEST(ImageBlock, ARecordWithoutANameIsSavedAndOpenedAgainAlsoInAGroup) {
  // Blocks as a document holding such records opens them.
  const std::vector<BYTE> unnamed = ImageRecord(CFRect(5, 6, 45, 36), "");
  CTALVEX42Doc doc;
  doc.OnNewDocument();
  doc.AddBlock(Load(unnamed).release());
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(Load(ImageRecord(CFRect(50, 60, 70, 80), "")).release());
  group->AddChild(Load(ImageRecord(CFRect(1, 2, 3, 4), "C:\\ART\\LOGO.BMP")).release());
  doc.AddBlock(group);
  TempFolder folder;
  const std::string path = folder.File("unnamed.T42"), again = folder.File("again.T42");
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));

  CTALVEX42Doc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
  ASSERT_EQ(2, reopened.GetBlockList().GetSize());
  EXPECT_EQ(unnamed, RecordOf(*reopened.GetBlockAt(0)));
  auto* readGroup = dynamic_cast<CGroupBlock*>(reopened.GetBlockAt(1));
  ASSERT_NE(nullptr, readGroup);
  ASSERT_EQ(2, readGroup->GetChildCount());
  EXPECT_EQ(80.0f, readGroup->GetChild(0)->m_box.bottom);
  ASSERT_TRUE(reopened.OnSaveDocument(again.c_str()));
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(again));
}

TEST(ImageBlock, AnExistingFileWithALongPathIsStoredByItsShortPath) {
  TempFolder folder(std::string(30, 'l') + "\\" + std::string(30, 'm'));
  std::string path = folder.File("a picture with a long name.bmp");
  FILE* file = fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  fclose(file);
  ASSERT_GT(path.size(), 59u);
  CString stored = CImageBlock::StorableName(path.c_str());
  ASSERT_FALSE(stored.IsEmpty());
  EXPECT_LE(stored.GetLength(), 59);
  // The stored form opens the same file.
  HANDLE opened = ::CreateFileA(stored, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, opened);
  if (opened != INVALID_HANDLE_VALUE) ::CloseHandle(opened);
}

class ImageBlockDrawing : public ::testing::Test {
protected:
  void SetUp() override {
    service.AddRows("C:\\LOGO.BMP", 4, {{0, 0, 0, 0}});
    image.m_box = CFRect(10, 20, 30, 30);
  }
  FakeRasterService service;
  CImageBlock image{"C:\\LOGO.BMP"};
};

TEST_F(ImageBlockDrawing, TheBitmapIsStretchedIntoTheMappedBoxAndKept) {
  MemoryCanvas canvas(100, 100);
  CMatrix2D display;
  display.m[0] = 2.0f;
  display.m[4] = 3.0f;
  display.m[6] = 5.0f;
  display.m[7] = -40.0f;
  image.Draw(&canvas.DC(), &display, 0);
  // (10, 20)-(30, 30) maps to (25, 20)-(65, 50).
  EXPECT_EQ(RGB(255, 0, 0), canvas.DC().GetPixel(26, 21));
  EXPECT_EQ(RGB(255, 0, 0), canvas.DC().GetPixel(64, 49));
  EXPECT_TRUE(canvas.IsWhite(24, 30));
  EXPECT_TRUE(canvas.IsWhite(66, 30));
  EXPECT_TRUE(canvas.IsWhite(40, 19));
  EXPECT_TRUE(canvas.IsWhite(40, 51));
  image.m_attributes = kSolidAttr;
  image.Draw(&canvas.DC(), &display, 0);
  EXPECT_EQ(1, service.bitmapsMade);
  EXPECT_NE(nullptr, image.GetBitmap());

  // Moving moves the box only; no transform, contour or curve.
  CMatrix2D matrix = image.m_matrix;
  image.Offset(5, -5);
  EXPECT_EQ(15.0f, image.m_box.left);
  EXPECT_EQ(15.0f, image.m_box.top);
  CMatrix2D turn;
  turn.m[0] = 0;
  turn.m[1] = 1;
  turn.m[3] = -1;
  turn.m[4] = 0;
  image.Transform(turn);
  EXPECT_EQ(15.0f, image.m_box.left);
  EXPECT_EQ(0, memcmp(matrix.m, image.m_matrix.m, sizeof matrix.m));
  EXPECT_EQ(nullptr, image.GetContour(nullptr, 0));
  EXPECT_EQ(nullptr, image.ToCurve(DWORD(-1)));
  EXPECT_TRUE(image.CanNodeEdit());
  std::unique_ptr<CBlock> clone(image.Clone());
  ASSERT_NE(nullptr, clone);
  EXPECT_STREQ("C:\\LOGO.BMP", static_cast<CImageBlock*>(clone.get())->GetFileName());
}

TEST_F(ImageBlockDrawing, AMissingFileDrawsNothing) {
  MemoryCanvas canvas(60, 60);
  CImageBlock missing("C:\\GONE.BMP");
  missing.m_box = CFRect(0, 0, 50, 50);
  missing.Draw(&canvas.DC(), nullptr, 0);
  EXPECT_TRUE(canvas.IsWhite(25, 25));
  EXPECT_EQ(nullptr, missing.GetBitmap());
  RasterImageInfo info;
  EXPECT_FALSE(missing.ReadImage(&info));
  EXPECT_EQ(nullptr, MakeBarHalftoneCurve(&missing));
}

TEST_F(ImageBlockDrawing, AFileWithoutABitmapIsReadAgainOnlyOnceItHasChanged) {
  TempFolder folder;
  const std::string path = folder.File("late.bmp");
  auto write = [&](const char* bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    fputs(bytes, file);
    fclose(file);
  };
  CImageBlock late(path.c_str());
  late.m_box = CFRect(0, 0, 50, 50);
  MemoryCanvas canvas(60, 60);
  auto repaint = [&](int times) {
    for (int i = 0; i < times; ++i) late.Draw(&canvas.DC(), nullptr, 0);
  };
  repaint(3);  // no file
  EXPECT_EQ(1, service.bitmapsAsked);
  write("not a picture");
  repaint(2);
  EXPECT_EQ(2, service.bitmapsAsked);
  service.AddRows(path, 4, {{0, 0, 0, 0}});
  repaint(2);  // the same file as before
  EXPECT_EQ(2, service.bitmapsAsked);
  write("a picture at last");
  repaint(2);
  EXPECT_EQ(3, service.bitmapsAsked);
  EXPECT_EQ(RGB(255, 0, 0), canvas.DC().GetPixel(25, 25));
}

TEST_F(ImageBlockDrawing, PrintingDrawsATemporaryBitmapOnlyWhenImagesAreAsked) {
  MemoryCanvas canvas(100, 100);
  image.DrawForPrint(&canvas.DC(), nullptr, 0);
  EXPECT_TRUE(canvas.IsWhite(20, 25));
  image.DrawForPrint(&canvas.DC(), nullptr, CImageBlock::kPrintImages);
  EXPECT_EQ(RGB(255, 0, 0), canvas.DC().GetPixel(20, 25));
  EXPECT_EQ(nullptr, image.GetBitmap());  // the printer's bitmap is not kept

  // On a metafile context, as a printer would record it: played back, the picture is there.
  HDC metafile = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, metafile);
  CDC recorder;
  recorder.Attach(metafile);
  CMatrix2D rotated;  // printing may turn the page: the four corners' box is used
  rotated.m[0] = 0;
  rotated.m[1] = 1;
  rotated.m[3] = -1;
  rotated.m[4] = 0;
  rotated.m[6] = 90;
  image.DrawForPrint(&recorder, &rotated, CImageBlock::kPrintImages);
  recorder.Detach();
  HENHMETAFILE recorded = ::CloseEnhMetaFile(metafile);
  ASSERT_NE(nullptr, recorded);
  MemoryCanvas played(100, 100);
  RECT frame = {0, 0, 100, 100};
  ENHMETAHEADER header = {};
  ::GetEnhMetaFileHeader(recorded, sizeof header, &header);
  frame = {header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1,
           header.rclBounds.bottom + 1};
  ::PlayEnhMetaFile(played.DC().GetSafeHdc(), recorded, &frame);
  ::DeleteEnhMetaFile(recorded);
  // (10, 20)-(30, 30) turned: x from 60 to 70, y from 10 to 30.
  EXPECT_EQ(60, header.rclBounds.left);
  EXPECT_EQ(10, header.rclBounds.top);
  EXPECT_EQ(RGB(255, 0, 0), played.DC().GetPixel(65, 20));
}

// Bars of a picture whose rows carry the given grey levels.
class BarHalftone : public ::testing::Test {
protected:
  std::unique_ptr<CCurveBlock> Bars(const std::vector<std::vector<BYTE>>& rows, CFRect box,
                                    BarSettings settings = BarSettings()) {
    service.pictures.clear();
    service.AddRows("C:\\RAMP.BMP", int(rows.front().size()), rows);
    CImageBlock image("C:\\RAMP.BMP");
    image.m_box = box;
    return std::unique_ptr<CCurveBlock>(MakeBarHalftoneCurve(&image, settings));
  }
  // The sub-paths of the curve, each as its points.
  static std::vector<std::vector<POINTREC>> Subpaths(const CCurveBlock& curve) {
    std::vector<std::vector<POINTREC>> paths;
    for (const POINTREC& point : curve.GetPoints()) {
      if (point.flags == kPointEnd) break;
      if (point.flags & kPointStart) paths.emplace_back();
      paths.back().push_back(point);
    }
    return paths;
  }
  FakeRasterService service;
};

TEST_F(BarHalftone, EachBarFollowsTheGreyOfItsRowsFromTheTop) {
  // 6 pixels wide, 20 rows: four bars of 5 rows, black, dark, light and white from the top.
  const BYTE levels[4] = {0, 85, 170, 255};
  std::vector<std::vector<BYTE>> rows;
  for (int y = 0; y < 20; ++y) rows.push_back(std::vector<BYTE>(6, levels[y / 5]));
  BarSettings settings;
  settings.barHeight = 10.0f;
  settings.minPercent = 20;
  settings.maxPercent = 80;
  std::unique_ptr<CCurveBlock> curve = Bars(rows, CFRect(5, 3, 35, 45), settings);
  ASSERT_NE(nullptr, curve);
  // |45 - 3| / 10 gives 4 bars of 5 rows; one pixel column is 2 page units.
  EXPECT_EQ(5.0f, curve->m_box.left);
  EXPECT_EQ(45.0f, curve->m_box.bottom);
  EXPECT_FLOAT_EQ(2.0f, curve->m_matrix.m[0]);
  EXPECT_FLOAT_EQ(1.0f, curve->m_matrix.m[4]);
  EXPECT_EQ(5.0f, curve->m_matrix.m[6]);
  EXPECT_EQ(3.0f, curve->m_matrix.m[7]);
  std::vector<std::vector<POINTREC>> bars = Subpaths(*curve);
  ASSERT_EQ(4u, bars.size());
  for (int i = 0; i < 4; ++i) {
    const std::vector<POINTREC>& bar = bars[i];
    const float top = 10.0f * i, centre = top + 5.0f;
    // Start, right notch, top edge, left side, the lower edge's first and last point, close.
    ASSERT_EQ(8u, bar.size()) << i;
    EXPECT_EQ(7.0f, bar[0].x);
    EXPECT_EQ(centre, bar[0].y);
    EXPECT_EQ(BYTE(kPointStart | kPointOnCurve), bar[0].flags);
    EXPECT_FLOAT_EQ(7.5f, bar[1].x);
    EXPECT_EQ(top, bar[2].y);
    EXPECT_EQ(0.0f, bar[3].x);
    EXPECT_EQ(top, bar[3].y);
    EXPECT_EQ(centre, bar[4].y);
    EXPECT_FLOAT_EQ(0.5f, bar[5].x);
    // Five rows weighted 1/5 - 0.0025 each: the grey less 1.25 percent.
    const float thickness = 2.0f + float(levels[i] * (1 - 0.0125)) * 6.0f / 255.0f;
    EXPECT_NEAR(top + thickness, bar[5].y, 1e-4) << i;
    EXPECT_EQ(4.0f, bar[6].x);
    EXPECT_NEAR(top + thickness, bar[6].y, 1e-4) << i;
    EXPECT_EQ(7.0f, bar[7].x);
    EXPECT_EQ(BYTE(kPointClose | kPointOnCurve), bar[7].flags);
  }
}

TEST_F(BarHalftone, TheLowerEdgeKeepsAPointWhereTheGreyLeavesAStraightLine) {
  // Black, then a step to light grey: the foot of the step is kept besides the last point (the
  // steep line through the step stays within 3 levels of the flat part until the end).
  std::vector<BYTE> row = {0, 0, 0, 0, 0, 200, 200, 200, 200, 200};
  BarSettings settings;
  settings.barHeight = 5.0f;
  std::unique_ptr<CCurveBlock> curve = Bars({row, row, row, row, row}, CFRect(0, 0, 10, 5),
                                            settings);
  ASSERT_NE(nullptr, curve);
  std::vector<std::vector<POINTREC>> bars = Subpaths(*curve);
  ASSERT_EQ(1u, bars.size());
  std::vector<float> kept;
  for (size_t i = 6; i + 1 < bars[0].size(); ++i) kept.push_back(bars[0][i].x);
  EXPECT_EQ((std::vector<float>{4.0f, 8.0f}), kept);
  // A tolerance larger than the step keeps only the last point.
  settings.grayThreshold = 200;
  bars = Subpaths(*Bars({row, row, row, row, row}, CFRect(0, 0, 10, 5), settings));
  EXPECT_EQ(7u + 1u, bars[0].size());
}

TEST_F(BarHalftone, TooLowBoxesZeroBarsAndTinyPicturesGiveOnlyTheEndRecord) {
  std::vector<std::vector<BYTE>> rows(10, std::vector<BYTE>(4, 100));
  BarSettings zero;
  zero.barHeight = 0.0f;
  BarSettings negative;
  negative.barHeight = -7.0f;
  struct Case {
    const char* name;
    std::vector<std::vector<BYTE>> rows;
    CFRect box;
    BarSettings settings;
  };
  const Case cases[] = {
      {"lower than a bar", rows, CFRect(0, 0, 40, 6.9f), BarSettings()},
      {"bar height 0", rows, CFRect(0, 0, 40, 70), zero},
      {"bar height negative", rows, CFRect(0, 0, 40, 70), negative},
      {"one pixel", {{128}}, CFRect(0, 0, 40, 70), BarSettings()},
      {"fewer rows than bars", rows, CFRect(0, 0, 40, 77), BarSettings()},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CCurveBlock> curve = Bars(c.rows, c.box, c.settings);
    ASSERT_NE(nullptr, curve) << c.name;
    EXPECT_EQ(1, curve->GetCount()) << c.name;
    EXPECT_EQ(c.box.bottom, curve->m_box.bottom) << c.name;
  }
  // A picture one row high for one bar is still a bar.
  EXPECT_EQ(1u, Subpaths(*Bars({{0, 255}}, CFRect(0, 0, 4, 7), BarSettings())).size());
}

TEST_F(BarHalftone, OnlyEightBitPicturesOfAStorableSizeAreConverted) {
  service.AddRows("C:\\COLOUR.BMP", 4, {{0, 0, 0, 0}});
  service.pictures["C:\\COLOUR.BMP"].bits = 24;
  CImageBlock colour("C:\\COLOUR.BMP");
  colour.m_box = CFRect(0, 0, 40, 70);
  EXPECT_EQ(nullptr, MakeBarHalftoneCurve(&colour, BarSettings()));
  // A striped picture 20000 pixels wide in 40 bars keeps a point every third pixel or so: more
  // points than one curve record holds.
  std::vector<BYTE> noisy(20000);
  for (size_t i = 0; i < noisy.size(); ++i) noisy[i] = BYTE(i % 2 ? 255 : 0);
  BarSettings settings;
  settings.barHeight = 1.0f;
  EXPECT_EQ(nullptr,
            Bars(std::vector<std::vector<BYTE>>(40, noisy), CFRect(0, 0, 10, 40), settings));
  EXPECT_NE(nullptr,
            Bars(std::vector<std::vector<BYTE>>(10, noisy), CFRect(0, 0, 10, 10), settings));
}

}  // namespace
