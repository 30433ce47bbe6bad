// The readers that merge other drawings and the copy command's clipboard writer, without windows:
// version-5.6 bodies converted byte for byte into version-6 records (expected bytes laid out by
// hand from the record layouts, not produced by the converter), damaged old and new files refused
// without a crash, and the clipboard holding exactly what was copied.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/CurveTestSupport.h"
#include "model/MainWindowCapture.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/BlockClipboard.h"
#include "model/document/DocFileV56.h"
#include "model/document/DocFileV6.h"
#include "model/document/DocFileWriter.h"
#include "model/document/PageSettings.h"
#include "model/document/SegArray.h"
#include "model/document/V56BodyConverter.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<BYTE>;

// Little-endian byte strings, built up field by field.
struct Layout {
  Layout& u8(int value) {
    bytes.push_back(static_cast<BYTE>(value));
    return *this;
  }
  Layout& u16(int value) { return u8(value & 0xFF).u8((value >> 8) & 0xFF); }
  Layout& u32(DWORD value) { return u16(value & 0xFFFF).u16(value >> 16); }
  Layout& f32(float value) {
    DWORD bits;
    memcpy(&bits, &value, 4);
    return u32(bits);
  }
  // count bytes counting up from first: recognisable boxes and matrices.
  Layout& run(int first, size_t count) {
    for (size_t i = 0; i < count; ++i) u8(first + static_cast<int>(i));
    return *this;
  }
  Layout& zeros(size_t count) {
    bytes.insert(bytes.end(), count, 0);
    return *this;
  }
  Layout& text(const char* text, size_t field) {
    size_t length = strlen(text);
    for (size_t i = 0; i < field; ++i) u8(i < length ? text[i] : 0);
    return *this;
  }
  Layout& add(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
  Bytes bytes;
};

const DWORD kCommand = 0x48888888;

Layout OldPoint(float x, float y) { return Layout().f32(x).f32(y); }
Layout OldCommand(char letter) { return Layout().u8(letter).zeros(3).u32(kCommand); }

// An old curve with box bytes 0x10.., matrix bytes 0x40.. and the colour 0x1234.
Layout OldCurveHead() { return Layout().u8(132).run(0x10, 16).run(0x40, 36).u16(0x1234); }

Layout NewPoint(float x, float y, int flags) { return Layout().f32(x).f32(y).u8(flags); }

bool Convert(const Bytes& body, Bytes& record) {
  CV56BodyConverter converter;
  return converter.Convert(body.data(), body.size(), record);
}

// The expected block list around the expected records: tag, length, records, 0xFE, spare 0xFF.
Bytes ListOf(const Bytes& records) {
  return Layout()
      .u8(2)
      .u32(static_cast<DWORD>(records.size() + 6))
      .add(records)
      .u8(0xFE)
      .u8(0xFF)
      .bytes;
}

TEST(V56Body, AnEmptyBodyBecomesAnEmptyListWithItsSpareByte) {
  Bytes record;
  ASSERT_TRUE(Convert({255}, record));
  EXPECT_EQ((Bytes{2, 6, 0, 0, 0, 0xFE, 0xFF}), record);
  // Single bytes and sized records between blocks are passed over; an unknown byte ends the body.
  ASSERT_TRUE(Convert(Layout().u8(252).u8(253).u8(254).u8(134).u32(3).zeros(4).u8(7).u8(132).bytes,
                      record));
  EXPECT_EQ((Bytes{2, 6, 0, 0, 0, 0xFE, 0xFF}), record);
}

TEST(V56Body, ACurveBecomesPointRecordsCommandByCommand) {
  Layout old = OldCurveHead();
  old.add(OldPoint(1, 2).bytes).add(OldCommand('m').bytes);
  old.add(OldPoint(3, 4).bytes).add(OldCommand('l').bytes);
  old.add(OldPoint(5, 6).bytes).add(OldCommand('l').bytes);
  old.add(OldCommand('@').bytes);  // 0x40: back to the sub-path's first point
  old.add(OldPoint(7, 8).bytes).add(OldCommand('m').bytes);
  old.add(OldPoint(9, 10).bytes).add(OldPoint(11, 12).bytes).add(OldPoint(13, 14).bytes);
  old.add(OldCommand('c').bytes).add(OldCommand('e').bytes).add(OldCommand('f').bytes);
  old.u8(253).u8(255);

  Layout curve;
  curve.u8(0x23).u32(9 * 8 + 78).u8(128).u16(0).run(0x10, 16).run(0x40, 36).u32(0x1234).u32(9);
  curve.add(NewPoint(1, 2, 0x11).bytes).add(NewPoint(3, 4, 1).bytes).add(NewPoint(5, 6, 1).bytes);
  curve.add(NewPoint(1, 2, 0x41).bytes).add(NewPoint(7, 8, 0x11).bytes);
  curve.add(NewPoint(9, 10, 0).bytes).add(NewPoint(11, 12, 0).bytes);
  curve.add(NewPoint(13, 14, 0x21).bytes).zeros(8).u8(0xFF).u8(0xF1);

  Bytes record;
  ASSERT_TRUE(Convert(old.bytes, record));
  EXPECT_EQ(ListOf(curve.bytes), record);

  // The converted record is one the block list reads back as the curve it describes.
  std::unique_ptr<CSegArray> blocks(LoadSegArray(record.data(), record.size()));
  ASSERT_NE(nullptr, blocks);
  auto* read = dynamic_cast<CCurveBlock*>(blocks->GetBlock(0));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(9, read->GetCount());
}

TEST(V56Body, ATextBecomesItsLayoutEffectAndACharacterBoxArray) {
  Layout old;
  old.u8(130).u8(2).run(0x10, 16).run(0x20, 16).run(0x40, 36);
  // Characters of kind 2 (symbol rows and beyond), kind 1, an attribute, the two end bytes.
  for (int code : {0xA0A1, 0xB0A0}) {
    old.u8(2).run(0x60, 16).zeros(4).u16(code).run(0x80, 36);
    old.u16(0xFFFE).u16(0x0102).u16(0x0304).u16(0x0506);
  }
  old.u8(1).run(0x60, 16).zeros(4).u16('A').run(0x80, 36).u16(5).u16(6).u16(7).u16(8);
  old.u8(16).u16(0x0203).u32(11).u32(12).u32(13);
  old.u8(252).u8(253).u8(255);

  Layout boxes;
  for (int kind : {16517, 16518}) {
    boxes.u8(18).u32(75).u16(kind).run(0x60, 16).u32(0).u16(kind == 16517 ? 0xA0A1 : 0xB0A0);
    boxes.run(0x80, 36).u32(0xFFFE).u16(0x0102).u16(0x0304).u16(0x0506);
  }
  boxes.u8(18).u32(75).u16(0).run(0x60, 16).u32(0).u16('A').run(0x80, 36).u32(5).u16(6).u16(7);
  boxes.u16(8);
  boxes.u8(17).u32(21).u16(0x8000).u16(0x0203).u32(11).u32(12).u32(13);
  Layout text;
  text.u8(0x21).u32(static_cast<DWORD>(98 + 5 + boxes.bytes.size() + 1 + 1)).u8(130).u16(0);
  text.run(0x10, 16).run(0x20, 16).run(0x40, 36);
  text.u8('3').u32(22).u8(2).run(0x20, 16);
  text.u8(3).u32(static_cast<DWORD>(5 + boxes.bytes.size() + 1)).add(boxes.bytes).u8(0xFE);
  text.u8(0xF1);

  Bytes record;
  ASSERT_TRUE(Convert(old.bytes, record));
  EXPECT_EQ(ListOf(text.bytes), record);

  // Effect bytes outside 1-3 give the first layout, numbered 0.
  old.bytes[1] = 9;
  ASSERT_TRUE(Convert(old.bytes, record));
  EXPECT_EQ('1', record[5 + 76]);
  EXPECT_EQ(0, record[5 + 81]);
}

TEST(V56Body, GroupsLibrarySymbolsAndImagesKeepTheirFields) {
  Layout old;
  old.u8(129).run(0x10, 16).run(0x40, 36);
  old.u8(131).run(0x10, 16).run(0x40, 36).u16(1).u16(2).u16(3).u16(0xFFFF).u8(0);
  std::string longName(70, 'n');
  old.u8(133).run(0x10, 16).text(longName.c_str(), 61);
  old.u8(254).u8(255);

  Layout library;
  library.u8(0x22).u32(71).u8(131).u16(0).run(0x10, 16).run(0x40, 36);
  library.u16(1).u16(2).u16(3).u32(0xFFFF).u8(0xF1);
  Layout image;
  image.u8(0x28).u32(85).u8(133).u16(0).run(0x10, 16).text(std::string(59, 'n').c_str(), 60);
  image.u8(0xF1);
  Layout group;
  size_t children = library.bytes.size() + image.bytes.size();
  group.u8(0x29).u32(static_cast<DWORD>(65 + children + 3)).u8(129).u16(0);
  group.run(0x10, 16).run(0x40, 36);
  // The nested list's length counts from its own tag to its 0xFE, as a block list's does.
  group.u8(2).u32(static_cast<DWORD>(5 + children + 1)).add(library.bytes).add(image.bytes);
  group.u8(0xFE).u8(0).u8(0xF1);

  Bytes record;
  ASSERT_TRUE(Convert(old.bytes, record));
  EXPECT_EQ(ListOf(group.bytes), record);
}

TEST(V56Body, AConvertedGroupOfCurvesLoadsAsAGroup) {
  Layout curve = OldCurveHead();
  curve.add(OldPoint(0, 0).bytes).add(OldCommand('m').bytes);
  curve.add(OldPoint(10, 0).bytes).add(OldCommand('l').bytes).add(OldCommand('f').bytes);
  Layout old;
  old.u8(129).zeros(16).f32(1).f32(0).f32(0).f32(0).f32(1).f32(0).f32(0).f32(0).f32(1);
  old.add(curve.bytes).add(curve.bytes).u8(254).u8(255);
  Bytes record;
  ASSERT_TRUE(Convert(old.bytes, record));
  MessageBoxCapture boxes;
  std::unique_ptr<CSegArray> blocks(LoadSegArray(record.data(), record.size()));
  ASSERT_NE(nullptr, blocks);
  ASSERT_EQ(1, blocks->GetSize());
  auto* group = dynamic_cast<CGroupBlock*>(blocks->GetBlock(0));
  ASSERT_NE(nullptr, group);
  EXPECT_EQ(2, group->GetChildCount());
  EXPECT_EQ(0u, boxes.Count());
}

TEST(V56Body, DamagedBodiesAreRefusedWhole) {
  Layout curve = OldCurveHead();
  Layout deep;
  for (int i = 0; i <= CV56BodyConverter::kMaxGroupDepth; ++i) deep.u8(129).zeros(52);
  struct Case {
    const char* what;
    Bytes body;
  };
  const Case cases[] = {
      {"curve cut short", Layout(curve).add(OldPoint(1, 1).bytes).bytes},
      {"curve without its finish",
       Layout(curve).add(OldPoint(1, 1).bytes).add(OldCommand('m').bytes).u8(255).bytes},
      {"c after two points", Layout(curve)
                                 .add(OldPoint(1, 1).bytes)
                                 .add(OldCommand('m').bytes)
                                 .add(OldPoint(2, 2).bytes)
                                 .add(OldPoint(3, 3).bytes)
                                 .add(OldCommand('c').bytes)
                                 .add(OldCommand('f').bytes)
                                 .bytes},
      {"m without a point",
       Layout(curve).add(OldCommand('m').bytes).add(OldCommand('f').bytes).bytes},
      {"close without a start",
       Layout(curve).add(OldCommand('@').bytes).add(OldCommand('f').bytes).bytes},
      {"unknown command",
       Layout(curve).add(OldCommand('z').bytes).add(OldCommand('f').bytes).bytes},
      {"text cut short", Layout().u8(130).u8(1).run(0, 68).u8(1).run(0, 20).bytes},
      {"text entry unknown", Layout().u8(130).u8(1).run(0, 68).u8(7).u8(253).bytes},
      {"text entry after the box list", Layout().u8(130).u8(1).run(0, 68).u8(252).u8(16).bytes},
      {"library cut short", Layout().u8(131).run(0, 60).bytes},
      {"image cut short", Layout().u8(133).run(0, 40).bytes},
      {"negative sized record", Layout().u8(134).u32(0xFFFFFFFF).u8(255).bytes},
      {"huge sized record", Layout().u8(134).u32(0x7FFFFFFF).zeros(8).u8(255).bytes},
      {"group never closed", Layout().u8(129).zeros(52).bytes},
      {"no body at all", Bytes()},
      {"cut after a whole curve", Layout(curve)
                                      .add(OldPoint(1, 1).bytes)
                                      .add(OldCommand('m').bytes)
                                      .add(OldCommand('f').bytes)
                                      .bytes},
      {"cut after a whole group", Layout()
                                      .u8(129)
                                      .zeros(52)
                                      .add(curve.bytes)
                                      .add(OldPoint(1, 1).bytes)
                                      .add(OldCommand('m').bytes)
                                      .add(OldCommand('f').bytes)
                                      .u8(254)
                                      .bytes},
      {"meaningless byte in a group", Layout().u8(129).zeros(52).u8(252).u8(254).bytes},
      {"groups nested too deep", deep.bytes},
  };
  for (const Case& c : cases) {
    Bytes record = {1};
    EXPECT_FALSE(Convert(c.body, record)) << c.what;
    EXPECT_TRUE(record.empty()) << c.what;
  }
}

TEST(V56Body, TheOldFormatsOwnGroupDamageEndsTheGroupAndTheRestIsMerged) {
  MainWindowCapture mainWindow;
  MessageBoxCapture boxes;
  Layout curve = OldCurveHead();
  curve.add(OldPoint(0, 0).bytes).add(OldCommand('m').bytes).add(OldCommand('f').bytes);
  Layout old;
  // (A 253 right after a curve belongs to the curve.) The inner group ends at 134, so the first
  // 254 closes the outer one and the second stands alone.
  old.u8(129).zeros(52).u8(129).zeros(52).add(curve.bytes).u8(134).u8(254).u8(254);
  old.add(curve.bytes);
  // A second damaged group, holding nothing before its damage, is dropped.
  old.u8(129).zeros(52).u8(253).add(curve.bytes).u8(255);
  Bytes record;
  ASSERT_TRUE(Convert(old.bytes, record));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("Error In Read File Data Group", boxes.Last().text);
  EXPECT_EQ("ERROR", boxes.Last().caption);
  // The curve inside two groups, then both curves after the damage.
  size_t curveLength = 78 + 9;
  EXPECT_EQ(5 + 2 * 68 + 3 * curveLength + 1 + 1, record.size());
  std::unique_ptr<CSegArray> blocks(LoadSegArray(record.data(), record.size()));
  ASSERT_NE(nullptr, blocks);
  EXPECT_EQ(3, blocks->GetSize());
  EXPECT_EQ(1u, boxes.Count());
}

// ---- Files ----

void WriteFile(const std::string& path, const Bytes& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

Bytes BytesOf(HGLOBAL memory) {
  CGlobalLock lock(memory);
  return lock.Data() ? Bytes(lock.Data(), lock.Data() + lock.Size()) : Bytes();
}

// A version-6 file of two squares and the text "merged text".
Bytes NewDocument(Bytes* list = nullptr) {
  CSegArray blocks;
  blocks.AddBlock(MakeSquareCurve(0, 0, 10, 3));
  blocks.AddBlock(MakeSquareCurve(20, 0, 10, 4));
  CPageSettings page;
  CDocFileWriter writer;
  writer.AddPageSettings(page);
  writer.AddEmptyFontMount();
  writer.AddText("merged text", 11);
  writer.AddBlockList(blocks);
  if (list) {
    CByteWriter record;
    blocks.AppendRecordTo(record);
    list->assign(record.Data(), record.Data() + record.Size());
  }
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

void PutFloat(Bytes& file, size_t at, float value) { memcpy(&file[at], &value, 4); }
void PutInt(Bytes& file, size_t at, int value) { memcpy(&file[at], &value, 4); }
int IntAt(const Bytes& file, size_t at) {
  int value;
  memcpy(&value, &file[at], 4);
  return value;
}

// Table entries of the text and the block list.
const size_t kTextEntry = 16 + 4 + 2 * 4;
const size_t kBlockListEntry = 16 + 4 + 4 * 4;

TEST(MergeFileV6, GivesTheStoredBlockListAndTextOfVersionsFrom6To65) {
  TempFolder folder;
  Bytes list;
  Bytes file = NewDocument(&list);
  std::string path = folder.File("merge.T42");
  for (float version : {6.0f, 6.5f}) {
    PutFloat(file, 12, version);
    WriteFile(path, file);
    CDocFileV6 reader;
    ASSERT_EQ(0, reader.ReadFile(path.c_str())) << version;
    EXPECT_FALSE(reader.IsOpen());
    Bytes read = BytesOf(reader.GetBlockList());
    ASSERT_GE(read.size(), list.size() + 1);
    EXPECT_EQ(list, Bytes(read.begin(), read.begin() + list.size()));
    EXPECT_EQ(0xFF, read[list.size()]);
    EXPECT_STREQ("merged text", reinterpret_cast<const char*>(BytesOf(reader.GetText()).data()));
    HGLOBAL taken = reader.TakeBlockList();
    EXPECT_EQ(nullptr, reader.GetBlockList());
    ::GlobalFree(taken);
  }
  for (float version : {6.6f, 5.9f}) {
    PutFloat(file, 12, version);
    WriteFile(path, file);
    CDocFileV6 reader;
    EXPECT_EQ(CDataFile::kBadVersion, reader.ReadFile(path.c_str())) << version;
    EXPECT_FALSE(reader.IsOpen());
  }
  CDocFileV6 reader;
  EXPECT_EQ(CDataFile::kCannotOpen, reader.ReadFile(folder.File("missing.T42").c_str()));
  file[0] = 'X';
  WriteFile(path, file);
  EXPECT_EQ(CDataFile::kBadHeader, reader.ReadFile(path.c_str()));
  EXPECT_FALSE(reader.IsOpen());
}

TEST(MergeFileV6, DamagedFilesGiveNoMemoryAndNoCrash) {
  TempFolder folder;
  const Bytes good = NewDocument();
  std::string path = folder.File("damaged.T42");
  size_t textOffset = static_cast<size_t>(IntAt(good, kTextEntry));
  size_t listOffset = static_cast<size_t>(IntAt(good, kBlockListEntry));
  struct Case {
    const char* what;
    size_t at;
    int value;
  };
  const Case cases[] = {
      {"text length negative", textOffset, -5},
      {"text length huge", textOffset, 0x7FFFFFF0},
      {"text offset past the end", kTextEntry, 0x7FFFFFF0},
      {"block list length huge", listOffset + 1, 0x7FFFFFF0},
      {"block list length too short", listOffset + 1, 3},
      {"block list offset past the end", kBlockListEntry, static_cast<int>(good.size())},
  };
  for (const Case& c : cases) {
    Bytes file = good;
    PutInt(file, c.at, c.value);
    WriteFile(path, file);
    CDocFileV6 reader;
    EXPECT_EQ(CDataFile::kDamaged, reader.ReadFile(path.c_str())) << c.what;
    EXPECT_EQ(nullptr, reader.GetBlockList()) << c.what;
    EXPECT_EQ(nullptr, reader.GetText()) << c.what;
  }
  // Cut short anywhere: refused or read, never beyond what is there.
  for (size_t length = 0; length < good.size(); length += 7) {
    WriteFile(path, Bytes(good.begin(), good.begin() + length));
    CDocFileV6 reader;
    int result = reader.ReadFile(path.c_str());
    EXPECT_TRUE(result == CDataFile::kBadHeader || result == CDataFile::kDamaged ||
                result == CDataFile::kRead)
        << length;
    if (result != CDataFile::kRead) {
      EXPECT_EQ(nullptr, reader.GetBlockList()) << length;
    }
  }
}

Bytes OldFile(const Bytes& body, int bodyOffset = 164) {
  Layout file;
  file.text("Talvex V5.6 (For 95)", 52).u32(static_cast<DWORD>(bodyOffset)).zeros(164 - 56);
  return file.add(body).bytes;
}

TEST(MergeFileV56, ConvertsTheBodyAndReportsEveryFailure) {
  TempFolder folder;
  std::string path = folder.File("old.T37");
  Layout curve = OldCurveHead();
  curve.add(OldPoint(0, 0).bytes).add(OldCommand('m').bytes).add(OldCommand('f').bytes).u8(255);
  WriteFile(path, OldFile(curve.bytes));
  CDocFileV56 reader;
  HGLOBAL record = nullptr;
  ASSERT_EQ(0, reader.ReadFile(&record, path.c_str()));
  ASSERT_NE(nullptr, record);
  Bytes converted = BytesOf(record);
  ::GlobalFree(record);
  EXPECT_EQ(2, converted[0]);
  EXPECT_EQ(5 + 87 + 1, IntAt(converted, 1));
  EXPECT_FALSE(reader.IsOpen());

  struct Case {
    const char* what;
    Bytes file;
    int result;
  };
  Bytes header = OldFile({});
  header[0] = 't';
  Bytes shortHeader = OldFile({});
  shortHeader.resize(100);
  const Case cases[] = {
      {"other magic", header, CDataFile::kBadHeader},
      {"header cut short", shortHeader, CDataFile::kBadHeader},
      {"body offset negative", OldFile({255}, -1), CDataFile::kDamaged},
      {"body offset inside the header", OldFile({255}, 20), CDataFile::kDamaged},
      {"body offset past the end", OldFile({255}, 4000), CDataFile::kDamaged},
      {"body damaged", OldFile(Layout().u8(132).run(0, 20).bytes), CDataFile::kDamaged},
  };
  for (const Case& c : cases) {
    WriteFile(path, c.file);
    CDocFileV56 damaged;
    HGLOBAL none = reinterpret_cast<HGLOBAL>(1);
    EXPECT_EQ(c.result, damaged.ReadFile(&none, path.c_str())) << c.what;
    EXPECT_EQ(nullptr, none) << c.what;
    EXPECT_FALSE(damaged.IsOpen()) << c.what;
  }
}

TEST(MergeFileBase, ADataFileWithoutAParserSaysSo) {
  CDataFile file;
  HGLOBAL result = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(CDataFile::kNoParser, file.Parse(&result, nullptr));
  EXPECT_EQ(nullptr, result);
  EXPECT_EQ(CDataFile::kCannotOpen, file.OpenAndCheck());
}

// ---- The copy command's clipboard writer ----

class TextBlock : public CBlock {
public:
  TextBlock(BYTE type, const char* text) : m_text(text) { m_type = type; }
  void AppendClipboardText(char* buffer, size_t capacity) override {
    strncat(buffer, m_text, capacity - strlen(buffer) - 1);
  }

private:
  const char* m_text;
};

std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    CGlobalLock lock(data);
    if (lock.Data()) text = reinterpret_cast<const char*>(lock.Data());
  }
  ::CloseClipboard();
  return text;
}

void PutText(const char* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, strlen(text) + 1);
  {
    CGlobalLock lock(memory);
    memcpy(lock.Data(), text, strlen(text));
  }
  ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
}

TEST(CopyBlocksAndText, NothingCopyableLeavesTheClipboardAsItWas) {
  MainWindowCapture mainWindow;
  PutText("before");
  CSegArray list;
  list.AddBlock(new TextBlock(kStampBlock, "stamp"));
  list.AddBlock(MakeSquareCurve(0, 0, 10));  // not selected
  list.GetBlock(0)->m_selected = 1;
  EXPECT_EQ(1, CopyBlocksAndTextToClipboard(nullptr, list));
  EXPECT_EQ("before", ClipboardText());
}

TEST(CopyBlocksAndText, TheSelectedCurveGoesWithoutTheStampAndTextStaysBounded) {
  MainWindowCapture mainWindow;
  PutText("before");
  CSegArray list;
  list.AddBlock(new TextBlock(kStampBlock, "stamp"));
  list.AddBlock(MakeSquareCurve(0, 0, 10, 7));
  list.GetBlock(0)->m_selected = list.GetBlock(1)->m_selected = 1;
  EXPECT_EQ(1, CopyBlocksAndTextToClipboard(nullptr, list));
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(::OpenClipboard(nullptr));
  Bytes copied = BytesOf(::GetClipboardData(GetBlockListClipboardFormat()));
  ::CloseClipboard();
  std::unique_ptr<CSegArray> pasted(LoadSegArray(copied.data(), copied.size()));
  ASSERT_NE(nullptr, pasted);
  ASSERT_EQ(1, pasted->GetSize());
  EXPECT_EQ(7u, static_cast<CCurveBlock*>(pasted->GetBlock(0))->GetColour());

  std::string longText(kClipboardTextCapacity, 't');
  list.AddBlock(new TextBlock(kGroupBlock, longText.c_str()));
  list.GetBlock(2)->m_selected = 1;
  EXPECT_EQ(1, CopyBlocksAndTextToClipboard(nullptr, list));
  EXPECT_EQ(kClipboardTextCapacity - 1, ClipboardText().size());
}

}  // namespace
