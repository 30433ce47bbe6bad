// The document: its block list operations, new-document defaults, and saving and opening through
// its own operations: round trips (the font-mount and text sections included), the backup file,
// refused files that leave it untouched, damaged files that open with what can be read. No window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/OutputArea.h"
#include "model/document/DocFileWriter.h"
#include "model/document/TALVEX42Doc.h"
#include "support/FileContents.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<BYTE>;

// A block whose emptiness a test chooses.
class EmptyableBlock : public CBlock {
public:
  explicit EmptyableBlock(bool empty) : m_empty(empty) {}
  BOOL IsEmpty() override { return m_empty; }

private:
  bool m_empty;
};

void Fill(CTALVEX42Doc& doc) {
  doc.AddBlock(MakeSquareCurve(10, 10, 20, 0x00FF00));
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(MakeSquareCurve(0, 0, 5));
  group->AddChild(MakeSquareCurve(50, 60, 5));
  doc.AddBlock(group);
  doc.GetGuideLines().AddObject(new CGuideLine(1, 2, 0));
  doc.GetGuideLines().AddObject(new CGuideLine(3, 4, 90));
  doc.GetOutputAreas().AddObject(new COutputArea(0, 0, 9, 9));
}

TEST(DocumentBlocks, ChangesMarkTheDocumentModified) {
  CTALVEX42Doc doc;
  EXPECT_FALSE(doc.IsModified());
  CBlock* first = MakeSquareCurve(0, 0, 10);
  CBlock* second = MakeSquareCurve(20, 30, 10);
  doc.AddBlock(first);
  EXPECT_TRUE(doc.IsModified());
  doc.SetModifiedFlag(FALSE);
  doc.InsertBlockAt(second, 0);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(second, doc.GetBlockAt(0));
  EXPECT_EQ(nullptr, doc.GetBlockAt(2));
  EXPECT_EQ(nullptr, doc.GetBlockAt(-1));

  CFRect bounds;
  ASSERT_TRUE(doc.GetBlocksBounds(&bounds));
  EXPECT_EQ(0.0f, bounds.left);
  EXPECT_EQ(40.0f, bounds.bottom);

  doc.SetModifiedFlag(FALSE);
  EXPECT_EQ(1, doc.RemoveBlock(first));
  EXPECT_EQ(-1, doc.RemoveBlock(first));
  EXPECT_FALSE(doc.IsModified());
  delete first;
  EXPECT_EQ(second, doc.RemoveBlockAt(0));
  delete second;

  CFRect untouched(1, 2, 3, 4);
  EXPECT_FALSE(doc.GetBlocksBounds(&untouched));
  EXPECT_EQ(3.0f, untouched.right);
}

TEST(DocumentBlocks, AppendAndRemoveSeveral) {
  CTALVEX42Doc doc;
  doc.AddBlock(MakeSquareCurve(0, 0, 1));
  CSegArray more;
  more.AddBlock(MakeSquareCurve(1, 1, 1));
  more.AddBlock(MakeSquareCurve(2, 2, 1));
  doc.AppendBlocks(more);
  EXPECT_EQ(3, doc.GetBlockList().GetSize());
  EXPECT_EQ(2, more.GetSize());  // the other list keeps its pointers
  doc.RemoveBlocks(more);
  EXPECT_EQ(1, doc.GetBlockList().GetSize());
}

TEST(DocumentBlocks, DeleteEmptyBlocks) {
  CTALVEX42Doc doc;
  EmptyableBlock* full = new EmptyableBlock(false);
  EmptyableBlock* empty = new EmptyableBlock(true);
  doc.AddBlock(empty);
  doc.AddBlock(full);
  doc.AddBlock(new EmptyableBlock(true));
  EXPECT_EQ(0, doc.DeleteEmptyBlocks(full));
  EXPECT_EQ(1, doc.DeleteEmptyBlocks(empty));
  EXPECT_EQ(2, doc.GetBlockList().GetSize());
  EmptyableBlock outside(true);
  EXPECT_EQ(0, doc.DeleteEmptyBlocks(&outside));  // not the document's to delete
  EXPECT_EQ(1, doc.DeleteEmptyBlocks(nullptr));
  ASSERT_EQ(1, doc.GetBlockList().GetSize());
  EXPECT_EQ(full, doc.GetBlockAt(0));
  EXPECT_EQ(0, doc.DeleteEmptyBlocks(nullptr));
}

TEST(DocumentFile, NewDocumentSavesAndOpensAsEmpty) {
  TempFolder folder;
  std::string path = folder.File("new.T42");
  CTALVEX42Doc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(400.0f, doc.GetPageSettings().m_width);
  EXPECT_EQ(900.0f, doc.GetPageSettings().m_height);
  doc.SetModifiedFlag();
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  EXPECT_FALSE(doc.IsModified());
  Bytes file = ReadFileBytes(path);
  ASSERT_EQ(91u, file.size());
  EXPECT_EQ(51u, file[20]);
  EXPECT_EQ(83u, file[24]);
  EXPECT_EQ(0u, file[28] | file[32] | file[36]);

  CTALVEX42Doc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
  EXPECT_EQ(0, reopened.GetBlockList().GetSize());
  EXPECT_EQ(0, reopened.GetGuideLines().GetSize());
}

TEST(DocumentFile, RoundTripKeepsBlocksGuidesAndPageButNotOutputAreas) {
  TempFolder folder;
  std::string path = folder.File("round.T42");
  CTALVEX42Doc doc;
  doc.OnNewDocument();
  doc.GetPageSettings().m_width = 210;
  doc.GetPageSettings().m_backColor = 0x112233;
  Fill(doc);
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));  // no view: the guides are saved all the same

  CTALVEX42Doc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
  EXPECT_EQ(210.0f, reopened.GetPageSettings().m_width);
  EXPECT_EQ(0x112233, reopened.GetPageSettings().m_backColor);
  ASSERT_EQ(2, reopened.GetBlockList().GetSize());
  EXPECT_EQ(RecordOf(*doc.GetBlockAt(0)), RecordOf(*reopened.GetBlockAt(0)));
  EXPECT_EQ(RecordOf(*doc.GetBlockAt(1)), RecordOf(*reopened.GetBlockAt(1)));
  ASSERT_EQ(2, reopened.GetGuideLines().GetSize());
  EXPECT_EQ(90.0, static_cast<CGuideLine*>(reopened.GetGuideLines().GetObjectAt(1))->GetAngle());
  EXPECT_EQ(0, reopened.GetOutputAreas().GetSize());

  // Saving the reopened document gives the same bytes.
  std::string again = folder.File("again.T42");
  ASSERT_TRUE(reopened.OnSaveDocument(again.c_str()));
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(again));
}

TEST(DocumentFile, SavingOverAFileKeepsItAsBackup) {
  TempFolder folder;
  std::string path = folder.File("kept.T42");
  CTALVEX42Doc doc;
  doc.OnNewDocument();
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  Bytes first = ReadFileBytes(path);
  Fill(doc);
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  EXPECT_EQ(first, ReadFileBytes(path + ".bak"));
  EXPECT_NE(first, ReadFileBytes(path));
  EXPECT_EQ(1, CTALVEX42Doc::BackupFile(path.c_str()));
}

TEST(DocumentFile, FailedSaveSaysSoAndKeepsTheDocumentModified) {
  TempFolder folder;
  CTALVEX42Doc doc;
  doc.OnNewDocument();
  doc.SetModifiedFlag();
  MessageBoxCapture boxes;
  EXPECT_FALSE(doc.OnSaveDocument(folder.File("missing\\x.T42").c_str()));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("文件建立失败!", boxes.Last().text);
  EXPECT_EQ("错误", boxes.Last().caption);
  EXPECT_TRUE(doc.IsModified());
}

TEST(DocumentFile, RefusedFilesSayWhyAndLeaveNothingHalfLoaded) {
  TempFolder folder;
  std::string good = folder.File("good.T42");
  {
    CTALVEX42Doc doc;
    doc.OnNewDocument();
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(good.c_str()));
  }
  Bytes file = ReadFileBytes(good);
  size_t blockList = file[36] | file[37] << 8;
  struct Case {
    const char* what;
    size_t at;
    BYTE value;
    const char* message;
  } cases[] = {{"wrong magic", 0, 'X', "非镌图匠文件或文件有错误!"},
               {"version 6.5", 14, 0xD0, "图匠文件版本非6.0版!"},
               {"no page settings", 20, 0, "非镌图匠文件或文件有错误!"},
               {"damaged block", blockList + 5, 0x7F, "文件已损坏, 没有能读出的物件!"}};
  for (const Case& c : cases) {
    Bytes damaged = file;
    damaged[c.at] = c.value;
    std::string path = folder.File("damaged.T42");
    WriteFileBytes(path, damaged);
    CTALVEX42Doc doc;
    MessageBoxCapture boxes;
    EXPECT_FALSE(doc.OnOpenDocument(path.c_str())) << c.what;
    ASSERT_EQ(1u, boxes.Count()) << c.what;
    EXPECT_EQ(c.message, boxes.Last().text) << c.what;
    EXPECT_EQ(0, doc.GetBlockList().GetSize()) << c.what;
    EXPECT_EQ(0, doc.GetGuideLines().GetSize()) << c.what;
    EXPECT_EQ(400.0f, doc.GetPageSettings().m_width) << c.what;
  }

  // Cut short inside the guide section.
  std::string path = folder.File("short.T42");
  WriteFileBytes(path, Bytes(file.begin(), file.begin() + blockList - 3));
  CTALVEX42Doc doc;
  MessageBoxCapture boxes;
  EXPECT_FALSE(doc.OnOpenDocument(path.c_str()));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("非镌图匠文件或文件有错误!", boxes.Last().text);
}

TEST(DocumentFile, FontMountAndTextOfAnOpenedFileSurviveASave) {
  // A font-mount section of one list whose 40-byte name block follows the table.
  Bytes image(51, 0);
  for (BYTE byte : {14, 0, 0, 0, 40, 0, 0, 0, 0x86, 0, 40, 0, 0, 0, 51 + 18, 0, 0, 0})
    image.push_back(byte);
  const char name[40] = "SimSun";
  image.insert(image.end(), name, name + sizeof name);
  CFontMountSection fonts;
  ASSERT_TRUE(fonts.Read(image.data(), image.size(), 51));
  CPageSettings page;
  page.ReadNewDocumentDefaults();
  CDocFileWriter writer;
  writer.AddPageSettings(page);
  writer.AddFontMount(fonts);
  writer.AddText("招牌 text", 9);
  TempFolder folder;
  std::string original = folder.File("fonts.T42"), saved = folder.File("saved.T42");
  ASSERT_EQ(CDocFileWriter::kSaved, writer.SaveTo(original.c_str()));

  CTALVEX42Doc doc;
  ASSERT_TRUE(doc.OnOpenDocument(original.c_str()));
  ASSERT_TRUE(doc.OnSaveDocument(saved.c_str()));
  EXPECT_EQ(ReadFileBytes(original), ReadFileBytes(saved));
  EXPECT_EQ(1u, doc.GetFontMount().GetEntryCount());
}

TEST(DocumentFile, DamagedFileOpensWithWhatCanBeReadAndKeepsItsOriginalAsBackup) {
  TempFolder folder;
  std::string path = folder.File("damaged.T42");
  Bytes file;
  size_t third = 0;
  {
    CTALVEX42Doc doc;
    doc.OnNewDocument();
    Fill(doc);
    doc.AddBlock(MakeSquareCurve(70, 70, 5));
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    file = ReadFileBytes(path);
    size_t blockList = file[36] | file[37] << 8;
    third = blockList + 5 + RecordOf(*doc.GetBlockAt(0)).size() +
            RecordOf(*doc.GetBlockAt(1)).size();
  }
  file[third] = 0x7F;
  WriteFileBytes(path, file);

  CTALVEX42Doc doc;
  {
    MessageBoxCapture boxes;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("文件已损坏: 读入了损坏处之前的 2 个物件, 其后的内容不能读出.", boxes.Last().text);
    EXPECT_EQ("数据损坏", boxes.Last().caption);
  }
  EXPECT_EQ(2, doc.GetBlockList().GetSize());
  EXPECT_EQ(2, doc.GetGuideLines().GetSize());

  // Every save over it keeps the damaged original as the backup.
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  EXPECT_EQ(file, ReadFileBytes(path + ".bak"));
  doc.AddBlock(MakeSquareCurve(90, 90, 5));
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  EXPECT_EQ(file, ReadFileBytes(path + ".bak"));

  CTALVEX42Doc reopened;
  MessageBoxCapture none;
  ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
  EXPECT_EQ(3, reopened.GetBlockList().GetSize());
  EXPECT_EQ(0u, none.Count());
}

TEST(DocumentFile, MissingFileIsReported) {
  TempFolder folder;
  CTALVEX42Doc doc;
  MessageBoxCapture boxes;
  EXPECT_FALSE(doc.OnOpenDocument(folder.File("none.T42").c_str()));
  EXPECT_EQ(1u, boxes.Count());
}

}  // namespace
