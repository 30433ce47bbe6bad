// The document file: golden bytes of what the writer builds, reading it back, the font-mount and
// text sections kept as read, every kind of damage (what refuses the file, what costs only the
// damaged part), and the safe save with its backup file. No window; files in a temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/MemoryException.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/GuideLine.h"
#include "model/document/DocFileReader.h"
#include "model/document/DocFileWriter.h"
#include "support/FileContents.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<BYTE>;

void Append(Bytes& bytes, std::initializer_list<int> values) {
  for (int value : values) bytes.push_back(static_cast<BYTE>(value));
}

void AppendDWord(Bytes& bytes, DWORD value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void PutDWord(Bytes& bytes, size_t at, DWORD value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// Header, a table with the given offsets, the default page settings, an empty font-mount table
// and an empty text: what a new document without guides or blocks saves.
Bytes EmptyDocumentBytes(DWORD guideOffset = 0) {
  Bytes bytes;
  Append(bytes, {'R', 'Q', 'F', '4', '2', 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0xC0, 0x40});
  AppendDWord(bytes, 35);
  for (DWORD offset : {DWORD{51}, DWORD{83}, DWORD{0}, guideOffset, DWORD{0}})
    AppendDWord(bytes, offset);
  bytes.insert(bytes.end(), 11, 0);
  AppendDWord(bytes, 32);
  Append(bytes, {0x00, 0x00, 0xC8, 0x43});  // 400.0f
  Append(bytes, {0x00, 0x00, 0x61, 0x44});  // 900.0f
  AppendDWord(bytes, 0);
  AppendDWord(bytes, 0xFFFFFF);
  AppendDWord(bytes, 50);
  AppendDWord(bytes, 0x808080);
  AppendDWord(bytes, 0);
  AppendDWord(bytes, 0);  // font mount: no list
  AppendDWord(bytes, 0);  // text: none
  return bytes;
}

CPageSettings NewPage() {
  CPageSettings page;
  page.ReadNewDocumentDefaults();
  return page;
}

Bytes Build(const CAuxObjectList* guides = nullptr, const char* text = "") {
  CDocFileWriter writer;
  writer.AddPageSettings(NewPage());
  writer.AddEmptyFontMount();
  writer.AddText(text, strlen(text));
  if (guides) writer.AddGuides(*guides);
  CSegArray noBlocks;
  writer.AddBlockList(noBlocks);
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

void TwoGuides(CAuxObjectList& guides) {
  guides.AddObject(new CGuideLine(10, 20, 0));
  guides.AddObject(new CGuideLine(30, 40, 90));
}

CDocFileReader::Error ReadBytes(const Bytes& bytes) {
  CDocFileReader reader;
  return reader.ReadImage(bytes.data(), bytes.size());
}

// What a read gave: the result, whether it was partial, and how much came back.
struct Outcome {
  CDocFileReader::Error error;
  // What the user is told: of the damage read past, or why the file was refused.
  std::string message;
  bool partial;
  INT_PTR blocks;
  INT_PTR guides;
  size_t fontEntries;
  size_t textBytes;
};

// Reads with the reader given: a file or, without a path, the bytes in memory.
Outcome ReadBack(const Bytes& bytes, const char* path = nullptr, size_t piece = 0) {
  CDocFileReader reader(piece ? piece : CDocFileReader::kBlockListPiece);
  Outcome outcome = {};
  outcome.error = path ? reader.Read(path) : reader.ReadImage(bytes.data(), bytes.size());
  outcome.message = outcome.error == CDocFileReader::kNoError
                        ? reader.GetDamageMessage()
                        : CDocFileReader::MessageFor(outcome.error);
  outcome.partial = reader.IsPartial();
  CSegArray blocks;
  reader.TakeBlocks(blocks);
  CAuxObjectList guides;
  reader.TakeGuides(guides);
  outcome.blocks = blocks.GetSize();
  outcome.guides = guides.GetSize();
  outcome.fontEntries = reader.GetFontMount().GetEntryCount();
  outcome.textBytes = reader.GetStoredText().size();
  return outcome;
}

// A block that writes no record.
class SilentBlock : public CBlock {};

TEST(DocFileGolden, EmptyDocument) { EXPECT_EQ(EmptyDocumentBytes(), Build()); }

TEST(DocFileGolden, DocumentWithTwoGuides) {
  CAuxObjectList guides;
  TwoGuides(guides);
  Bytes expected = EmptyDocumentBytes(91);
  Append(expected, {1, 46, 0, 0, 0});
  Append(expected, {'A', 20,   0,    0,    0,    0,    0,    0,    0,    0,
                    0,   0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0xA0, 0x41, 0xF0});
  Append(expected, {'A',  20,   0,    0,    0,    0,    0,    0x00, 0x00, 0xB4,
                    0x42, 0x00, 0x00, 0xF0, 0x41, 0x00, 0x00, 0x20, 0x42, 0xF0});
  Append(expected, {0xFE});
  EXPECT_EQ(expected, Build(&guides));
}

TEST(DocFileText, StoredWithItsZeroAndCutAtTheLimit) {
  Bytes bytes = Build(nullptr, "AB");
  EXPECT_EQ(87u, bytes[28]);  // the text entry
  Bytes tail(bytes.end() - 7, bytes.end());
  EXPECT_EQ((Bytes{3, 0, 0, 0, 'A', 'B', 0}), tail);

  std::string longText(70000, 'x');
  bytes = Build(nullptr, longText.c_str());
  EXPECT_EQ(65537u, bytes[87] | bytes[88] << 8 | bytes[89] << 16);
  EXPECT_EQ(87u + 4 + 65537, bytes.size());

  // A double-byte character across the limit is left out whole.
  std::string gbk(65535, 'x');
  gbk += "誠";
  bytes = Build(nullptr, gbk.c_str());
  EXPECT_EQ(65536u, bytes[87] | bytes[88] << 8 | bytes[89] << 16);
}

TEST(DocFileReading, RoundTripOfPageTextAndGuides) {
  CAuxObjectList guides;
  TwoGuides(guides);
  CDocFileWriter writer;
  CPageSettings page = NewPage();
  page.m_width = 123.5f;
  page.m_gridColor = 0x123456;
  writer.AddPageSettings(page);
  writer.AddEmptyFontMount();
  writer.AddText("hello", 5);
  writer.AddGuides(guides);

  CDocFileReader reader;
  ASSERT_EQ(CDocFileReader::kNoError, reader.ReadImage(writer.Data(), writer.Size()));
  EXPECT_EQ(123.5f, reader.GetPageSettings().m_width);
  EXPECT_EQ(900.0f, reader.GetPageSettings().m_height);
  EXPECT_EQ(0x123456, reader.GetPageSettings().m_gridColor);
  EXPECT_STREQ("hello", reader.GetText());
  CSegArray blocks;
  reader.TakeBlocks(blocks);
  EXPECT_EQ(0, blocks.GetSize());
  CAuxObjectList read;
  reader.TakeGuides(read);
  ASSERT_EQ(2, read.GetSize());
  EXPECT_EQ(90.0, static_cast<CGuideLine*>(read.GetObjectAt(1))->GetAngle());
}

// A curve and a group of two curves (a group of one loads as its child).
void CurveAndGroup(CSegArray& blocks) {
  blocks.AddBlock(MakeSquareCurve(10, 10, 20, 0xFF0000));
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(MakeCurve({{0, 0, 0x11}, {5, 5, 0x21}}));
  group->AddChild(MakeSquareCurve(40, 40, 5));
  blocks.AddBlock(group);
}

Bytes BuildWithBlocks(CSegArray& blocks, const CAuxObjectList* guides) {
  CDocFileWriter writer;
  writer.AddPageSettings(NewPage());
  writer.AddEmptyFontMount();
  writer.AddText("", 0);
  if (guides) writer.AddGuides(*guides);
  writer.AddBlockList(blocks);
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

TEST(DocFileGolden, DocumentWithCurveGroupAndTwoGuides) {
  CAuxObjectList guides;
  TwoGuides(guides);
  CSegArray blocks;
  CurveAndGroup(blocks);
  Bytes curve = RecordOf(*blocks.GetBlock(0)), group = RecordOf(*blocks.GetBlock(1));
  ASSERT_FALSE(curve.empty());
  ASSERT_FALSE(group.empty());

  Bytes expected = Build(&guides);
  PutDWord(expected, 36, static_cast<DWORD>(expected.size()));  // the block list follows the guides
  Append(expected, {2});
  AppendDWord(expected, static_cast<DWORD>(5 + curve.size() + group.size() + 1));
  expected.insert(expected.end(), curve.begin(), curve.end());
  expected.insert(expected.end(), group.begin(), group.end());
  Append(expected, {0xFE});
  EXPECT_EQ(137u, expected[36]);
  EXPECT_EQ(expected, BuildWithBlocks(blocks, &guides));
}

TEST(DocFileReading, BlocksComeBackInOrder) {
  CSegArray blocks;
  CurveAndGroup(blocks);
  Bytes file = BuildWithBlocks(blocks, nullptr);
  CDocFileReader reader;
  ASSERT_EQ(CDocFileReader::kNoError, reader.ReadImage(file.data(), file.size()));
  CSegArray read;
  reader.TakeBlocks(read);
  ASSERT_EQ(2, read.GetSize());
  EXPECT_EQ(kCurveBlock, read.GetBlock(0)->m_type);
  EXPECT_EQ(kGroupBlock, read.GetBlock(1)->m_type);
  EXPECT_EQ(RecordOf(*blocks.GetBlock(1)), RecordOf(*read.GetBlock(1)));
}

TEST(DocFileDamage, BlockListKeepsTheBlocksBeforeTheDamage) {
  CSegArray blocks;
  CurveAndGroup(blocks);
  Bytes file = BuildWithBlocks(blocks, nullptr);  // block list at 91, first record at 96
  ASSERT_EQ(91u, file[36]);
  size_t second = 96 + RecordOf(*blocks.GetBlock(0)).size();
  const std::string keptTwo = "文件已损坏: 读入了损坏处之前的 2 个物件, 其后的内容不能读出.";
  const std::string keptOne = "文件已损坏: 读入了损坏处之前的 1 个物件, 其后的内容不能读出.";
  const std::string keptNone = "文件已损坏, 没有能读出的物件!";
  const std::string refused = "非镌图匠文件或文件有错误!";
  struct Case {
    const char* what;
    size_t at;
    DWORD value;
    int bytes;  // how many bytes of value to write
    CDocFileReader::Error error;
    INT_PTR blocksKept;
    std::string message;
  } cases[] = {
      // The list's own length is not compared with what it holds.
      {"list length past the end", 92, static_cast<DWORD>(file.size() - 91 + 1), 4,
       CDocFileReader::kNoError, 2, ""},
      {"list length huge", 92, 0xFFFFFFF0, 4, CDocFileReader::kNoError, 2, ""},
      {"last byte of the list wrong", file.size() - 1, 0, 1, CDocFileReader::kNoError, 2, keptTwo},
      {"second record unknown", second, 0x7F, 1, CDocFileReader::kNoError, 1, keptOne},
      {"second record without its end byte", file.size() - 2, 0, 1, CDocFileReader::kNoError, 1,
       keptOne},
      {"second record longer than the list", second + 1, 5000, 4, CDocFileReader::kNoError, 1,
       keptOne},
      {"first record unknown", 96, 0x7F, 1, CDocFileReader::kBlockListDamaged, 0, keptNone},
      {"first record longer than the list", 97, 5000, 4, CDocFileReader::kBlockListDamaged, 0,
       keptNone},
      {"list length zero", 92, 0, 4, CDocFileReader::kDamaged, 0, refused},
      {"list length too short for a block", 92, 6, 4, CDocFileReader::kDamaged, 0, refused},
      {"not a list", 91, 3, 1, CDocFileReader::kDamaged, 0, refused},
  };
  for (const Case& c : cases) {
    Bytes damaged = file;
    for (int i = 0; i < c.bytes; ++i) damaged[c.at + i] = static_cast<BYTE>(c.value >> (8 * i));
    // The reader says nothing itself: the document shows its message once.
    MessageBoxCapture boxes;
    Outcome outcome = ReadBack(damaged);
    EXPECT_EQ(c.error, outcome.error) << c.what;
    EXPECT_EQ(c.blocksKept, outcome.blocks) << c.what;
    EXPECT_EQ(c.message, outcome.message) << c.what;
    // A file that opens after damage says it is partial.
    EXPECT_EQ(c.error == CDocFileReader::kNoError && !c.message.empty(), outcome.partial) << c.what;
    EXPECT_EQ(0u, boxes.Count()) << c.what;
  }

  // A file cut short inside its second block keeps the first.
  Outcome cut = ReadBack(Bytes(file.begin(), file.begin() + second + 20));
  EXPECT_EQ(CDocFileReader::kNoError, cut.error);
  EXPECT_TRUE(cut.partial);
  EXPECT_EQ(1, cut.blocks);
  EXPECT_EQ(keptOne, cut.message);
}

// The nested list of the deepest group stops: the group keeps the children before it, and the
// file is read on after the group, its damage mended.
TEST(DocFileDamage, GroupsNestedTooDeepCostOnlyThemselves) {
  CSegArray blocks;
  blocks.AddBlock(MakeSquareCurve(0, 0, 5));
  CGroupBlock* outer = new CGroupBlock;
  outer->AddChild(MakeSquareCurve(1, 1, 1));
  CGroupBlock* inner = outer;
  for (int depth = 1; depth <= 256; ++depth) {
    CGroupBlock* deeper = new CGroupBlock;
    deeper->AddChild(MakeSquareCurve(2, 2, 1));
    inner->AddChild(deeper);
    inner = deeper;
  }
  inner->AddChild(MakeSquareCurve(3, 3, 1));
  blocks.AddBlock(outer);  // 257 groups deep
  blocks.AddBlock(MakeSquareCurve(4, 4, 1));
  Bytes file = BuildWithBlocks(blocks, nullptr);
  Outcome outcome = ReadBack(file);
  EXPECT_EQ(CDocFileReader::kNoError, outcome.error);
  EXPECT_TRUE(outcome.partial);
  EXPECT_EQ(3, outcome.blocks);
  EXPECT_EQ("文件有损坏, 已修复: 读入了 3 个物件.", outcome.message);
}

TEST(DocFileDamage, HeaderAndTable) {
  Bytes good = Build();
  EXPECT_EQ(CDocFileReader::kNoError, ReadBytes(good));

  EXPECT_EQ(CDocFileReader::kNotDocument, ReadBytes(Bytes()));
  EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(Bytes(good.begin(), good.begin() + 10)));
  EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(Bytes(good.begin(), good.begin() + 40)));

  Bytes wrongMagic = good;
  wrongMagic[2] = 'X';
  EXPECT_EQ(CDocFileReader::kNotDocument, ReadBytes(wrongMagic));

  Bytes version = good;
  version[14] = 0xD0;  // 6.5f
  EXPECT_EQ(CDocFileReader::kWrongVersion, ReadBytes(version));

  // A section the open cannot do without refuses the file; any other costs only itself.
  struct Case {
    const char* what;
    size_t at;
    DWORD value;
    CDocFileReader::Error error;
    bool partial;
  } cases[] = {{"table size word", 16, 36, CDocFileReader::kNoError, false},
               {"page settings past the end", 20, 91, CDocFileReader::kDamaged, false},
               {"page settings inside the header", 20, 16, CDocFileReader::kDamaged, false},
               {"no page settings", 20, 0, CDocFileReader::kDamaged, false},
               {"no font mount", 24, 0, CDocFileReader::kDamaged, false},
               {"font mount inside the header", 24, 12, CDocFileReader::kNoError, true},
               {"font mount past the end", 24, 91, CDocFileReader::kNoError, true},
               {"text inside the header", 28, 16, CDocFileReader::kNoError, true},
               {"text far past the end", 28, 0x80000000, CDocFileReader::kNoError, true},
               {"guides inside the header", 32, 50, CDocFileReader::kNoError, true},
               {"guides past the end", 32, 5000, CDocFileReader::kNoError, true},
               {"block list inside the header", 36, 20, CDocFileReader::kDamaged, false},
               {"block list past the end", 36, 5000, CDocFileReader::kDamaged, false}};
  for (const Case& c : cases) {
    Bytes damaged = good;
    PutDWord(damaged, c.at, c.value);
    Outcome outcome = ReadBack(damaged);
    EXPECT_EQ(c.error, outcome.error) << c.what;
    if (c.error == CDocFileReader::kNoError) {
      EXPECT_EQ(c.partial, outcome.partial) << c.what;
    }
  }
}

TEST(DocFileDamage, SectionLengths) {
  Bytes good = Build(nullptr, "AB");  // text at 87: length 3, then A B 0
  struct Case {
    const char* what;
    size_t at;
    DWORD value;
    CDocFileReader::Error error;
    size_t textBytes;
  } cases[] = {{"page settings longer than the file", 51, 1000, CDocFileReader::kDamaged, 0},
               {"page settings without all values", 51, 20, CDocFileReader::kDamaged, 0},
               {"page settings length zero", 51, 0, CDocFileReader::kDamaged, 0},
               {"font-mount table past the end", 83, 14 * 10, CDocFileReader::kNoError, 3},
               {"font-mount table not whole entries", 83, 3, CDocFileReader::kNoError, 3},
               {"text longer than the file", 87, 4, CDocFileReader::kNoError, 3},
               {"text length huge", 87, 0xFFFFFFFF, CDocFileReader::kNoError, 3}};
  for (const Case& c : cases) {
    Bytes damaged = good;
    PutDWord(damaged, c.at, c.value);
    Outcome outcome = ReadBack(damaged);
    EXPECT_EQ(c.error, outcome.error) << c.what;
    if (c.error != CDocFileReader::kNoError) continue;
    EXPECT_TRUE(outcome.partial) << c.what;
    EXPECT_EQ(0u, outcome.fontEntries) << c.what;
    EXPECT_EQ(c.textBytes, outcome.textBytes) << c.what;  // what there is of the text stays
  }
}

// A font-mount section at 83 with the given entries (name-block size, position); the name blocks
// follow the table in entry order, block i filled with the byte 'a' + i.
Bytes WithFontMount(std::initializer_list<std::pair<DWORD, DWORD>> entries) {
  Bytes file = Build();
  file.resize(83);
  PutDWord(file, 28, 0);
  AppendDWord(file, static_cast<DWORD>(14 * entries.size()));
  for (const auto& entry : entries) {
    AppendDWord(file, entry.first);
    Append(file, {0x86, 2});
    AppendDWord(file, 40);
    AppendDWord(file, entry.second);
  }
  BYTE fill = 'a';
  for (const auto& entry : entries)
    file.insert(file.end(), std::min<DWORD>(entry.first, 200), fill++);
  return file;
}

TEST(DocFileDamage, FontMountEntryOutsideTheFileCostsOnlyThatEntry) {
  const DWORD names = 83 + 4 + 28;  // two entries
  Bytes good = WithFontMount({{80, names}, {40, names + 80}});
  Outcome outcome = ReadBack(good);
  EXPECT_EQ(CDocFileReader::kNoError, outcome.error);
  EXPECT_FALSE(outcome.partial);
  EXPECT_EQ(2u, outcome.fontEntries);

  struct Case {
    const char* what;
    DWORD size, position;
  } cases[] = {{"names past the end", 235 - names + 1, names},
               {"names wrapping round", 0xFFFFFFF0, names},
               {"names inside the header", 40, 10},
               {"names larger than the file", 0x7FFFFFFF, 51}};
  for (const Case& c : cases) {
    Bytes damaged = good;
    PutDWord(damaged, 87, c.size);
    PutDWord(damaged, 87 + 10, c.position);
    CDocFileReader reader;
    ASSERT_EQ(CDocFileReader::kNoError, reader.ReadImage(damaged.data(), damaged.size())) << c.what;
    EXPECT_TRUE(reader.IsPartial()) << c.what;
    // The second entry is kept, its names now right after the one-entry table.
    const Bytes& kept = reader.GetFontMount().GetBytes();
    ASSERT_EQ(4u + 14 + 40, kept.size()) << c.what;
    EXPECT_EQ(14u, kept[0]) << c.what;
    EXPECT_EQ(40u, kept[4]) << c.what;
    EXPECT_EQ(18u, kept[14]) << c.what;
    EXPECT_EQ('b', kept.back()) << c.what;
  }

  // Entries that all name the whole file keep no more names than the file holds.
  const DWORD tableEnd = 83 + 4 + 14 * 4, fileSize = tableEnd + 400;
  const std::pair<DWORD, DWORD> whole = {fileSize - tableEnd, tableEnd};
  Bytes repeated = WithFontMount({whole, whole, whole, whole});
  repeated.resize(fileSize, 'x');
  CDocFileReader reader;
  ASSERT_EQ(CDocFileReader::kNoError, reader.ReadImage(repeated.data(), repeated.size()));
  EXPECT_TRUE(reader.IsPartial());
  EXPECT_EQ(1u, reader.GetFontMount().GetEntryCount());
}

TEST(DocFileKeptSections, FontMountAndTextAreWrittenBackAsRead) {
  // Names stored in reverse order after the table, then a text section.
  Bytes file = Build();
  file.resize(83);
  PutDWord(file, 28, 235);
  AppendDWord(file, 28);
  for (DWORD entry : {DWORD{155}, DWORD{115}}) {
    AppendDWord(file, entry == 155 ? 80 : 40);
    Append(file, {entry == 155 ? 0x86 : 0, entry == 155 ? 0 : 3});
    AppendDWord(file, 40);
    AppendDWord(file, entry);
  }
  file.insert(file.end(), 40, 'B');
  file.insert(file.end(), 80, 'A');
  Append(file, {3, 0, 0, 0, 'h', 'i', 0});

  CDocFileReader reader;
  ASSERT_EQ(CDocFileReader::kNoError, reader.ReadImage(file.data(), file.size()));
  EXPECT_FALSE(reader.IsPartial());
  EXPECT_STREQ("hi", reader.GetText());
  CDocFileWriter writer;
  writer.AddPageSettings(reader.GetPageSettings());
  writer.AddFontMount(reader.GetFontMount());
  writer.AddStoredText(reader.GetStoredText());
  Bytes written(writer.Data(), writer.Data() + writer.Size());

  // The same section with its names in entry order right after the table.
  Bytes expected(file.begin(), file.begin() + 115);
  PutDWord(expected, 87 + 10, 115);
  PutDWord(expected, 87 + 14 + 10, 195);
  expected.insert(expected.end(), 80, 'A');
  expected.insert(expected.end(), 40, 'B');
  Append(expected, {3, 0, 0, 0, 'h', 'i', 0});
  EXPECT_EQ(expected, written);
}

TEST(DocFileWriting, BlocksWithoutRecordsWriteNoList) {
  CSegArray blocks;
  blocks.AddBlock(new SilentBlock);
  EXPECT_EQ(Build(), BuildWithBlocks(blocks, nullptr));
}

TEST(DocFileDamage, GuideBlockCostsOnlyItself) {
  CAuxObjectList guides;
  TwoGuides(guides);
  CSegArray blocks;
  CurveAndGroup(blocks);
  Bytes good = BuildWithBlocks(blocks, &guides);  // guide block at 91, records at 96 and 116
  struct Case {
    const char* what;
    size_t at;
    DWORD value;
  } cases[] = {{"block past the end", 92, 5000},
               {"record length zero", 97, 0},
               {"record length too large", 117, 21},
               {"record length huge", 97, 0x7FFFFFFF}};
  for (const Case& c : cases) {
    Bytes damaged = good;
    PutDWord(damaged, c.at, c.value);
    Outcome outcome = ReadBack(damaged);
    EXPECT_EQ(CDocFileReader::kNoError, outcome.error) << c.what;
    EXPECT_TRUE(outcome.partial) << c.what;
    EXPECT_EQ(0, outcome.guides) << c.what;
    EXPECT_EQ(2, outcome.blocks) << c.what;
  }
  // A block that yields no guide is ignored, as before.
  Bytes unknown = good;
  unknown[96] = 'Z';
  Outcome outcome = ReadBack(unknown);
  EXPECT_EQ(CDocFileReader::kNoError, outcome.error);
  EXPECT_FALSE(outcome.partial);
}

TEST(DocFileMessages, EveryFailureSaysWhy) {
  EXPECT_STREQ("文件打开失败!", CDocFileReader::MessageFor(CDocFileReader::kCannotOpen));
  EXPECT_STREQ("非镌图匠文件或文件有错误!",
               CDocFileReader::MessageFor(CDocFileReader::kNotDocument));
  EXPECT_STREQ("图匠文件版本非6.0版!", CDocFileReader::MessageFor(CDocFileReader::kWrongVersion));
  EXPECT_STREQ("非镌图匠文件或文件有错误!", CDocFileReader::MessageFor(CDocFileReader::kDamaged));
}

TEST(DocFileSave, WritesTheFileAndKeepsThePreviousAsBackup) {
  TempFolder folder;
  std::string path = folder.File("图.T42");
  CAuxObjectList guides;
  Bytes first = Build();
  TwoGuides(guides);
  CDocFileWriter firstWriter;
  firstWriter.AddPageSettings(NewPage());
  firstWriter.AddEmptyFontMount();
  firstWriter.AddText("", 0);
  ASSERT_EQ(CDocFileWriter::kSaved, firstWriter.SaveTo(path.c_str()));
  EXPECT_EQ(first, ReadFileBytes(path));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path + ".bak").c_str()));

  CDocFileWriter second;
  second.AddPageSettings(NewPage());
  second.AddEmptyFontMount();
  second.AddText("", 0);
  second.AddGuides(guides);
  ASSERT_EQ(CDocFileWriter::kSaved, second.SaveTo(path.c_str()));
  EXPECT_EQ(Build(&guides), ReadFileBytes(path));
  EXPECT_EQ(first, ReadFileBytes(path + ".bak"));

  // A third save replaces the older backup.
  ASSERT_EQ(CDocFileWriter::kSaved, firstWriter.SaveTo(path.c_str()));
  EXPECT_EQ(Build(&guides), ReadFileBytes(path + ".bak"));

  CDocFileReader reader;
  EXPECT_EQ(CDocFileReader::kNoError, reader.Read(path.c_str()));
}

TEST(DocFileSave, FailureLeavesThePreviousFileAlone) {
  TempFolder folder;
  CDocFileWriter writer;
  writer.AddPageSettings(NewPage());
  writer.AddEmptyFontMount();
  std::string missingFolder = folder.File("missing\\a.T42");
  EXPECT_EQ(CDocFileWriter::kCannotCreate, writer.SaveTo(missingFolder.c_str()));

  // A folder in the file's place is neither backed up nor replaced.
  std::string taken = folder.File("taken.T42");
  CreateDirectoryA(taken.c_str(), nullptr);
  EXPECT_EQ(CDocFileWriter::kCannotReplace, writer.SaveTo(taken.c_str()));
  EXPECT_NE(0u, GetFileAttributesA(taken.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

  // No temporary file is left behind.
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(folder.File("*.tmp").c_str(), &entry);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST(DocFileSave, BackupFileNeedsAnExistingFile) {
  TempFolder folder;
  std::string path = folder.File("a.T42");
  EXPECT_EQ(0, CDocFileWriter::BackupFile(path.c_str()));
  WriteFileBytes(path, {1, 2, 3});
  WriteFileBytes(path + ".bak", {9});
  EXPECT_EQ(1, CDocFileWriter::BackupFile(path.c_str()));
  EXPECT_EQ((Bytes{1, 2, 3}), ReadFileBytes(path + ".bak"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}

// Curves enough for a block list of several pieces, and a group.
void ManyCurves(CSegArray& blocks, int count) {
  for (int i = 0; i < count; ++i) {
    CCurveBlock* curve = new CCurveBlock;
    for (int p = 0; p < 50; ++p) curve->AddPoint(i + p * 0.25f, p % 3 * 1.5f, p ? 0x01 : 0x11);
    curve->EndCurve();
    blocks.AddBlock(curve);
  }
  CurveAndGroup(blocks);
}

// A block that runs out of memory while writing its record.
class FailingBlock : public CBlock {
public:
  int WriteRecord(HGLOBAL*) override { AfxThrowMemoryException(); }
};

TEST(DocFileSave, ALargeBlockListGoesToTheFileInPiecesWithTheSameBytes) {
  TempFolder folder;
  std::string path = folder.File("large.T42");
  CAuxObjectList guides;
  TwoGuides(guides);
  CSegArray blocks;
  ManyCurves(blocks, 1000);
  Bytes whole = BuildWithBlocks(blocks, &guides);
  ASSERT_GT(whole.size(), 2 * CDocFileWriter::kBlockListPiece);
  CDocFileWriter writer;
  writer.AddPageSettings(NewPage());
  writer.AddEmptyFontMount();
  writer.AddText("", 0);
  writer.AddGuides(guides);
  writer.AddBlockList(blocks);
  for (int save = 0; save < 2; ++save) {
    ASSERT_EQ(CDocFileWriter::kSaved, writer.SaveTo(path.c_str()));
    EXPECT_EQ(whole, ReadFileBytes(path)) << "save " << save;
  }
}

TEST(DocFileSave, ABlockFailingHalfwayLeavesThePreviousFileAndNoOther) {
  TempFolder folder;
  std::string path = folder.File("a.T42");
  WriteFileBytes(path, Build());
  CSegArray blocks;
  ManyCurves(blocks, 1000);
  blocks.AddBlock(new FailingBlock);  // after pieces of the list have gone to the file
  CDocFileWriter writer;
  writer.AddPageSettings(NewPage());
  writer.AddEmptyFontMount();
  writer.AddBlockList(blocks);
  bool ranOut = false;
  try {
    writer.SaveTo(path.c_str());
  } catch (CMemoryException* e) {
    e->Delete();
    ranOut = true;
  }
  EXPECT_TRUE(ranOut);
  EXPECT_EQ(Build(), ReadFileBytes(path));
  for (const char* other : {"*.tmp", "*.bak"}) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(folder.File(other).c_str(), &entry);
    EXPECT_EQ(INVALID_HANDLE_VALUE, find) << other;
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
  }
}

std::string Describe(const Outcome& o) {
  char text[128];
  snprintf(text, sizeof text, "error %d partial %d blocks %d guides %d fonts %d text %d", o.error,
           o.partial, static_cast<int>(o.blocks), static_cast<int>(o.guides),
           static_cast<int>(o.fontEntries), static_cast<int>(o.textBytes));
  return text;
}

TEST(DocFileOpen, AFileReadInPiecesOpensAsItsBytesDo) {
  CAuxObjectList guides;
  TwoGuides(guides);
  CSegArray blocks;
  ManyCurves(blocks, 3);
  CDocFileWriter writer;
  writer.AddPageSettings(NewPage());
  writer.AddEmptyFontMount();
  writer.AddText("text", 4);
  writer.AddGuides(guides);
  writer.AddBlockList(blocks);
  const Bytes file(writer.Data(), writer.Data() + writer.Size());
  const DWORD list = file[36] | file[37] << 8;
  // Cut short anywhere, a byte changed anywhere in the list, and the guides after the list.
  std::vector<Bytes> variants;
  for (size_t cut = 0; cut < file.size(); cut += 29)
    variants.push_back(Bytes(file.begin(), file.begin() + cut));
  for (size_t at = list; at < file.size(); at += 23) {
    variants.push_back(file);
    variants.back()[at] ^= 0xA5;
  }
  Bytes guidesLast = file;
  PutDWord(guidesLast, 32, static_cast<DWORD>(file.size()));
  guidesLast.insert(guidesLast.end(), file.begin() + (file[32] | file[33] << 8),
                    file.begin() + list);
  variants.push_back(guidesLast);

  TempFolder folder;
  std::string path = folder.File("variant.T42");
  for (size_t v = 0; v < variants.size(); ++v) {
    WriteFileBytes(path, variants[v]);
    MessageBoxCapture imageBoxes;
    Outcome image = ReadBack(variants[v]);
    size_t imageMessages = imageBoxes.Count();
    MessageBoxCapture fileBoxes;
    Outcome read = ReadBack({}, path.c_str(), 16);
    EXPECT_EQ(Describe(image), Describe(read)) << "variant " << v;
    EXPECT_EQ(imageMessages, fileBoxes.Count()) << "variant " << v;
  }
  EXPECT_EQ(2, ReadBack({}, path.c_str(), 16).guides) << "guides after the list";

  // A text that claims the list's bytes keeps, read in pieces, only what stands before the list.
  Bytes greedy = file;
  PutDWord(greedy, (file[28] | file[29] << 8), 0x7FFF);
  WriteFileBytes(path, greedy);
  Outcome read = ReadBack({}, path.c_str(), 16);
  EXPECT_TRUE(read.partial);
  EXPECT_EQ(list - (file[28] | file[29] << 8) - 4u, read.textBytes);
  EXPECT_EQ(blocks.GetSize(), read.blocks);
}

TEST(DocFileOpen, MissingFileCannotBeOpened) {
  TempFolder folder;
  CDocFileReader reader;
  EXPECT_EQ(CDocFileReader::kCannotOpen, reader.Read(folder.File("none.T42").c_str()));
}

}  // namespace
