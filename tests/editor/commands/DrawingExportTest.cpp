// The export files of a drawing (no window): which writer a file name picks, the plot file's
// commands and coordinates (also read by hp2xx outside Wine, see hp2xx_export.sh), the text file
// and the artwork record file read back through the model's record reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "CommandTestSupport.h"
#include "editor/commands/DrawingExport.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/records/BlockRecord.h"
#include "support/TempFolder.h"

using namespace command_test;

namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A block with text of its own, as a text block will have.
class TextBlock : public CBlock {
public:
  explicit TextBlock(const char* text) : m_text(text) {}
  void AppendText(CString& text) override { text += m_text; }

private:
  const char* m_text;
};

TEST(DrawingExport, TheFileNamePicksTheWriterAndTheFolderIsKept) {
  struct Case {
    const char* path;
    CDrawingExport::Kind kind;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\out\\a.txt", CDrawingExport::kText, "C:\\out"},
      {"C:\\out\\plain", CDrawingExport::kText, "C:\\out"},
      {"C:\\out.d\\a.PLT", CDrawingExport::kPlot, "C:\\out.d"},
      {"C:\\out.d\\plain", CDrawingExport::kText, "C:\\out.d"},
      {"D:a.eps", CDrawingExport::kIllustrator, "D:"},
      {"a.dxf", CDrawingExport::kOther, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.kind, CDrawingExport::KindOf(c.path)) << c.path;
    EXPECT_STREQ(c.folder, CDrawingExport::FolderOf(c.path)) << c.path;
  }
}

TEST(DrawingExport, APlotFileHoldsTheOutlinesInPlotterUnitsTurnedOverWithinTheirBox) {
  TempFolder folder;
  CSegArray blocks;
  std::string path = folder.File("empty.plt");
  EXPECT_EQ(CDrawingExport::kNothingWritten, CDrawingExport::WritePlot(blocks, path.c_str()));
  EXPECT_FALSE(Exists(path));

  // A 10 x 20 rectangle from (10, 10) and an open line below it.
  CCurveBlock* rectangle = new CCurveBlock;
  rectangle->AddRectangle(10, 10, 20, 30);
  rectangle->EndCurve();
  blocks.AddBlock(rectangle);
  CCurveBlock* line = new CCurveBlock;
  line->AddLine(12, 40, 20, 40);
  line->EndCurve();
  blocks.AddBlock(line);
  path = folder.File("drawing.plt");
  ASSERT_EQ(CDrawingExport::kWritten, CDrawingExport::WritePlot(blocks, path.c_str()));
  std::string plot = Contents(path);
  EXPECT_EQ(0u, plot.find("IN;\r\nPA;\r\nSP1;\r\n"));
  EXPECT_EQ(plot.size() - 2, plot.rfind("\r\n"));
  // The box runs from (400, 400) to (800, 1600); the line at the bottom comes out at the top,
  // the rectangle's top-left corner at the bottom.
  EXPECT_NE(std::string::npos, plot.find("PU480,400;")) << plot;
  EXPECT_EQ(std::string::npos, plot.find("PU480,1600;")) << plot;
  EXPECT_NE(std::string::npos, plot.find("PU400,1600;")) << plot;

  // The file hp2xx reads, when the script asks for it.
  if (const char* copy = std::getenv("TALVEX_EXPORT_PLT")) {
    EXPECT_EQ(CDrawingExport::kWritten, CDrawingExport::WritePlot(blocks, copy));
  }
}

TEST(DrawingExport, TheTextFileHoldsTheDrawingsTextAndTheEditorsAfterARule) {
  TempFolder folder;
  CSegArray blocks;
  std::string path = folder.File("empty.txt");
  EXPECT_EQ(CDrawingExport::kNothingWritten,
            CDrawingExport::WriteText(blocks, CString(), path.c_str()));
  EXPECT_FALSE(Exists(path));

  blocks.AddBlock(new TextBlock("ab"));
  blocks.AddBlock(MakeSquareCurve(0, 0, 10));
  blocks.AddBlock(new TextBlock("\xD6\xD0"));  // one GBK character
  path = folder.File("text.txt");
  ASSERT_EQ(CDrawingExport::kWritten, CDrawingExport::WriteText(blocks, "", path.c_str()));
  EXPECT_EQ("ab\xD6\xD0", Contents(path));
  ASSERT_EQ(CDrawingExport::kWritten, CDrawingExport::WriteText(blocks, "typed", path.c_str()));
  EXPECT_EQ(std::string("ab\xD6\xD0") + CDrawingExport::kEditorTextRule + "typed", Contents(path));
}

TEST(DrawingExport, TheArtworkFileHoldsOneGroupOfTheCurveCopies) {
  TempFolder folder;
  CSegArray blocks;
  std::string path = folder.File(CDrawingExport::kArtworkFileName);
  EXPECT_EQ(CDrawingExport::kNothingWritten,
            CDrawingExport::WriteArtworkRecord(blocks, path.c_str()));
  EXPECT_FALSE(Exists(path));

  blocks.AddBlock(MakeSquareCurve(0, 0, 10));
  blocks.AddBlock(MakeSquareCurve(20, 0, 10));
  ASSERT_EQ(CDrawingExport::kWritten, CDrawingExport::WriteArtworkRecord(blocks, path.c_str()));
  std::string record = Contents(path);
  std::unique_ptr<CBlock> group(
      CreateBlockFromRecord(reinterpret_cast<const BYTE*>(record.data()), record.size()));
  ASSERT_NE(nullptr, group);
  ASSERT_EQ(kGroupBlock, group->m_type);
  EXPECT_EQ(2, static_cast<CGroupBlock*>(group.get())->GetChildCount());
  // The file is exactly one record: a reader given less refuses it.
  EXPECT_EQ(nullptr,
            CreateBlockFromRecord(reinterpret_cast<const BYTE*>(record.data()), record.size() - 1));
}

}  // namespace
