// The document file: golden bytes of what the writer builds, reading it back, every kind of
// damage the reader must refuse, and the safe save with its backup file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/document/DocFileReader.h"
#include "model/document/DocFileWriter.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/GuideLine.h"
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
  for (DWORD offset : {DWORD{51}, DWORD{83}, DWORD{0}, guideOffset, DWORD{0}}) AppendDWord(bytes, offset);
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

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

CDocFileReader::Error ReadBytes(const Bytes& bytes) {
  CDocFileReader reader;
  return reader.ReadImage(bytes.data(), bytes.size());
}

TEST(DocFileGolden, EmptyDocument) { EXPECT_EQ(EmptyDocumentBytes(), Build()); }

TEST(DocFileGolden, DocumentWithTwoGuides) {
  CAuxObjectList guides;
  TwoGuides(guides);
  Bytes expected = EmptyDocumentBytes(91);
  Append(expected, {1, 46, 0, 0, 0});
  Append(expected, {'A', 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0xA0, 0x41, 0xF0});
  Append(expected, {'A', 20, 0, 0, 0, 0, 0, 0x00, 0x00, 0xB4, 0x42, 0x00, 0x00, 0xF0, 0x41, 0x00, 0x00, 0x20, 0x42, 0xF0});
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

TEST(DocFileDamage, BlockList) {
  CSegArray blocks;
  CurveAndGroup(blocks);
  Bytes file = BuildWithBlocks(blocks, nullptr);  // block list at 91, first record at 96
  ASSERT_EQ(91u, file[36]);
  size_t end = file.size() - 1;
  struct Case {
    const char* what;
    size_t at;
    DWORD value;
  } cases[] = {{"list length past the end", 92, static_cast<DWORD>(file.size() - 91 + 1)},
               {"list length zero", 92, 0},
               {"list length too short for a block", 92, 6},
               {"list length huge", 92, 0xFFFFFFF0},
               {"record length past the list", 97, 5000}};
  for (const Case& c : cases) {
    Bytes damaged = file;
    PutDWord(damaged, c.at, c.value);
    MessageBoxCapture boxes;
    CDocFileReader::Error error = ReadBytes(damaged);
    EXPECT_TRUE(error == CDocFileReader::kDamaged || error == CDocFileReader::kBlockListDamaged) << c.what;
  }
  Bytes wrongTag = file;
  wrongTag[91] = 3;
  EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(wrongTag));
  Bytes noEnd = file;
  noEnd[end] = 0;
  EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(noEnd));

  // A record the list cannot build is reported by the list, once, and refuses the whole file.
  Bytes unknownBlock = file;
  unknownBlock[96] = 0x7F;
  MessageBoxCapture boxes;
  CDocFileReader reader;
  EXPECT_EQ(CDocFileReader::kBlockListDamaged, reader.ReadImage(unknownBlock.data(), unknownBlock.size()));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("非法的CSegArray数据结构!", boxes.Last().text);
  EXPECT_EQ(nullptr, CDocFileReader::MessageFor(CDocFileReader::kBlockListDamaged));
  CSegArray read;
  reader.TakeBlocks(read);
  EXPECT_EQ(0, read.GetSize());
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
  Append(version, {});
  version[14] = 0xD0;  // 6.5f
  EXPECT_EQ(CDocFileReader::kWrongVersion, ReadBytes(version));

  struct Case {
    const char* what;
    size_t at;
    DWORD value;
  } cases[] = {{"table size", 16, 36},
               {"page settings past the end", 20, 91},
               {"font mount inside the header", 24, 12},
               {"text far past the end", 28, 0x80000000},
               {"guides past the end", 32, 5000},
               {"no page settings", 20, 0},
               {"no font mount", 24, 0}};
  for (const Case& c : cases) {
    Bytes damaged = good;
    PutDWord(damaged, c.at, c.value);
    EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(damaged)) << c.what;
  }
}

TEST(DocFileDamage, SectionLengths) {
  Bytes good = Build(nullptr, "AB");  // text at 87
  struct Case {
    const char* what;
    size_t at;
    DWORD value;
  } cases[] = {{"page settings longer than the file", 51, 1000},
               {"page settings without all values", 51, 20},
               {"page settings length zero", 51, 0},
               {"font-mount table past the end", 83, 14 * 10},
               {"font-mount table not whole entries", 83, 3},
               {"text longer than the file", 87, 4},
               {"text length huge", 87, 0xFFFFFFFF}};
  for (const Case& c : cases) {
    Bytes damaged = good;
    PutDWord(damaged, c.at, c.value);
    EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(damaged)) << c.what;
  }
}

TEST(DocFileDamage, FontMountEntriesMustPointIntoTheFile) {
  Bytes file = Build();
  // One entry whose 80-byte name block follows the table.
  Bytes section;
  AppendDWord(section, 14);
  AppendDWord(section, 80);
  Append(section, {0x86, 2});
  AppendDWord(section, 40);
  AppendDWord(section, 83 + 4 + 14);
  section.insert(section.end(), 80, 0);
  Bytes withFonts(file.begin(), file.begin() + 83);
  withFonts.insert(withFonts.end(), section.begin(), section.end());
  PutDWord(withFonts, 28, 0);
  EXPECT_EQ(CDocFileReader::kNoError, ReadBytes(withFonts));

  Bytes pastEnd = withFonts;
  PutDWord(pastEnd, 83 + 4, 81);
  EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(pastEnd));
  Bytes wrapped = withFonts;
  PutDWord(wrapped, 83 + 4, 0xFFFFFFF0);
  EXPECT_EQ(CDocFileReader::kDamaged, ReadBytes(wrapped));
}

TEST(DocFileDamage, GuideRecords) {
  CAuxObjectList guides;
  TwoGuides(guides);
  Bytes good = Build(&guides);  // guide block at 91, records at 96 and 116
  struct Case {
    const char* what;
    size_t at;
    DWORD value;
  } cases[] = {{"block past the end", 92, 47},
               {"record length zero", 97, 0},
               {"record length too large", 117, 21},
               {"record length huge", 97, 0x7FFFFFFF}};
  for (const Case& c : cases) {
    Bytes damaged = good;
    PutDWord(damaged, c.at, c.value);
    CDocFileReader reader;
    EXPECT_EQ(CDocFileReader::kDamaged, reader.ReadImage(damaged.data(), damaged.size())) << c.what;
  }
  // A block that yields no guide is ignored, as before.
  Bytes unknown = good;
  unknown[96] = 'Z';
  EXPECT_EQ(CDocFileReader::kNoError, ReadBytes(unknown));
}

TEST(DocFileMessages, EveryFailureSaysWhy) {
  EXPECT_STREQ("文件打开失败!", CDocFileReader::MessageFor(CDocFileReader::kCannotOpen));
  EXPECT_STREQ("非镌图匠文件或文件有错误!", CDocFileReader::MessageFor(CDocFileReader::kNotDocument));
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

TEST(DocFileOpen, MissingFileCannotBeOpened) {
  TempFolder folder;
  CDocFileReader reader;
  EXPECT_EQ(CDocFileReader::kCannotOpen, reader.Read(folder.File("none.T42").c_str()));
}

}  // namespace
