// The export files of a drawing (no window): which writer a file name picks, the plot file's
// commands and coordinates (also read by hp2xx outside Wine, see hp2xx_export.sh), the EPS file
// in the frame of its settings' templates (also rendered by Ghostscript, see gs_eps_export.sh,
// and read back through the import filter), the text file and the artwork record file read back
// through the model's record reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "CommandTestSupport.h"
#include "editor/commands/DrawingExport.h"
#include "framework/GlobalLock.h"
#include "media/ImportFilterDll.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/records/BlockRecord.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"

using namespace command_test;

namespace {

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
  std::string plot = ReadFileText(path);
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
  EXPECT_EQ("ab\xD6\xD0", ReadFileText(path));
  ASSERT_EQ(CDrawingExport::kWritten, CDrawingExport::WriteText(blocks, "typed", path.c_str()));
  EXPECT_EQ(std::string("ab\xD6\xD0") + CDrawingExport::kEditorTextRule + "typed",
            ReadFileText(path));
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
  std::string record = ReadFileText(path);
  std::unique_ptr<CBlock> group(
      CreateBlockFromRecord(reinterpret_cast<const BYTE*>(record.data()), record.size()));
  ASSERT_NE(nullptr, group);
  ASSERT_EQ(kGroupBlock, group->m_type);
  EXPECT_EQ(2, static_cast<CGroupBlock*>(group.get())->GetChildCount());
  // The file is exactly one record: a reader given less refuses it.
  EXPECT_EQ(nullptr,
            CreateBlockFromRecord(reinterpret_cast<const BYTE*>(record.data()), record.size() - 1));
}

// The settings of an EPS export as a file, with a bounding-box template and a tail.
std::string EpsSettings(const std::string& boundingBox, const std::string& tail,
                        const std::string& resolution = "[RESOLUTION]\r\nEPSDPI = 72\r\n") {
  return "; written by the test\r\n" + resolution +
         "[EPSHEADERPREV]\r\nHEADER_PS = %!PS-Adobe-2.0 EPSF-1.2\r\nHEADER_CREATOR=%%Creator:\r\n"
         "HEADER_BoundingBox=" +
         boundingBox +
         "\r\n"
         "[EPSDEFINES]\r\n;a line that begins with a semicolon\r\n/x 1 def x = 1\r\n"
         "[1 0 0 1 0 0] concat\r\n\r\n[EPSTAIL]\r\n" +
         tail;
}

// A 100 x 100 square from the origin, as one curve.
void AddSquare(CSegArray& blocks) {
  CCurveBlock* square = new CCurveBlock;
  square->AddRectangle(0, 0, 100, 100);
  square->EndCurve();
  blocks.AddBlock(square);
}

TEST(DrawingExport, AnEpsFileIsTheSettingsFrameAroundThePathTextAtTheirResolution) {
  TempFolder folder;
  const std::string settings = folder.File("ImExport.Ini");
  const std::string path = folder.File("drawing.eps");
  CSegArray blocks;
  std::ofstream(settings, std::ios::binary)
      << EpsSettings("%%%%BoundingBox: %d %d %d %d", "%%EOF\r\n");
  EXPECT_EQ(CDrawingExport::kNothingWritten,
            CDrawingExport::WriteEps(blocks, path.c_str(), settings.c_str()));
  EXPECT_FALSE(Exists(path));

  AddSquare(blocks);
  ASSERT_EQ(CDrawingExport::kWritten,
            CDrawingExport::WriteEps(blocks, path.c_str(), settings.c_str()));
  // 72 units per inch: 100 mm are 283.465 units, 283 in the box, which is 5 units larger; the
  // template is a C format, %% giving one %. The square is turned over within its box; the
  // definitions keep their semicolon, their spaces around '=' and their bracket line; the blank
  // line before the tail is no part of them.
  EXPECT_EQ(
      "%!PS-Adobe-2.0 EPSF-1.2\r\n%%Creator: Ravenquillor V6.x\r\n"
      "%%BoundingBox: 0 0 288 288\r\n"
      ";a line that begins with a semicolon\r\n/x 1 def x = 1\r\n[1 0 0 1 0 0] concat\r\n"
      "u\r\n0.000 283.465 m\r\n283.465 283.465 l\r\n283.465 0.000 l\r\n0.000 0.000 l\r\n"
      "0.000 283.465 l\r\nF\r\nU\r\n%%EOF\r\n",
      ReadFileText(path));

  // An empty tail ends the file with the drawing; a template of fewer values takes those.
  std::ofstream(settings, std::ios::binary) << EpsSettings("%%%%BoundingBox: %d %d 100%%", "");
  ASSERT_EQ(CDrawingExport::kWritten,
            CDrawingExport::WriteEps(blocks, path.c_str(), settings.c_str()));
  std::string written = ReadFileText(path);
  EXPECT_NE(std::string::npos, written.find("\r\n%%BoundingBox: 0 0 100%\r\n"));
  EXPECT_EQ(written.size() - 3, written.rfind("U\r\n"));
}

TEST(DrawingExport, NoResolutionOrAnUnsafeBoundingBoxTemplateMakesNoEpsFile) {
  TempFolder folder;
  const std::string settings = folder.File("ImExport.Ini");
  const std::string path = folder.File("drawing.eps");
  CSegArray blocks;
  AddSquare(blocks);
  struct Case {
    std::string settings;
    CDrawingExport::Result result;
  };
  const Case cases[] = {
      {EpsSettings("%%BoundingBox: %d %d %d %d", "", ""), CDrawingExport::kNoResolution},
      {EpsSettings("%%BoundingBox: %d %d %d %d", "", "[RESOLUTION]\r\nEPSDPI=0\r\n"),
       CDrawingExport::kNoResolution},
      {EpsSettings("%%BoundingBox: %s %d %d %d", ""), CDrawingExport::kBadTemplate},
      {EpsSettings("%%BoundingBox: %d %d %d %d%n", ""), CDrawingExport::kBadTemplate},
      {EpsSettings("%%BoundingBox: %d %d %d %d %d", ""), CDrawingExport::kBadTemplate},
      {EpsSettings("%%BoundingBox: %5d %d %d %d", ""), CDrawingExport::kBadTemplate},
      {EpsSettings("%%BoundingBox: %d %d %d %", ""), CDrawingExport::kBadTemplate},
  };
  for (const Case& c : cases) {
    std::ofstream(settings, std::ios::binary) << c.settings;
    EXPECT_EQ(c.result, CDrawingExport::WriteEps(blocks, path.c_str(), settings.c_str()))
        << c.settings;
    EXPECT_FALSE(Exists(path)) << c.settings;
  }
  EXPECT_EQ(CDrawingExport::kNoResolution,
            CDrawingExport::WriteEps(blocks, path.c_str(), folder.File("none.ini").c_str()));
}

TEST(DrawingExport, TheProgramsEpsReadsBackThroughTheImportFilter) {
  // A 30 x 20 frame with a 10 x 10 hole at (10, 10), and a triangle to its right.
  CSegArray blocks;
  CCurveBlock* frame = new CCurveBlock;
  frame->AddRectangle(10, 10, 40, 30);
  frame->AddRectangle(20, 15, 30, 25);
  frame->EndCurve();
  blocks.AddBlock(frame);
  CCurveBlock* triangle = new CCurveBlock;
  triangle->AddPoint(50, 10, kPointStart | kPointOnCurve);
  triangle->AddPoint(70, 10, kPointOnCurve);
  triangle->AddPoint(60, 30, kPointOnCurve);
  triangle->CloseLastSubpath();
  triangle->EndCurve();
  blocks.AddBlock(triangle);
  TempFolder folder;
  std::string path = folder.File("drawing.eps");
  ASSERT_EQ(CDrawingExport::kWritten,
            CDrawingExport::WriteEps(blocks, path.c_str(), "program\\ImExport.Ini"));
  if (const char* copy = std::getenv("TALVEX_EXPORT_EPS")) {
    EXPECT_EQ(CDrawingExport::kWritten,
              CDrawingExport::WriteEps(blocks, copy, "program\\ImExport.Ini"));
  }

  CImportFilterDll filter;
  ASSERT_NE(nullptr, filter.Bind("program\\TalvexFilter.dll"));
  HGLOBAL record = filter.FilterRead(path.c_str());
  ASSERT_NE(nullptr, record);
  std::unique_ptr<CSegArray> read;
  {
    CGlobalLock lock(record);
    read.reset(LoadSegArray(lock.Data(), lock.Size()));
  }
  GlobalFree(record);
  ASSERT_NE(nullptr, read);
  // The whole drawing comes back as one filled outline of three sub-paths, the hole kept.
  ASSERT_EQ(1, read->GetSize());
  CBlock* outline = read->GetBlock(0);
  EXPECT_TRUE(outline->m_attributes & kSolidAttr);
  int subpaths = 0;
  for (const POINTREC& point : static_cast<CCurveBlock*>(outline)->GetPathRecords())
    subpaths += IsSubpathStart(point.flags);
  EXPECT_EQ(3, subpaths);
  EXPECT_NEAR(10, outline->m_box.left, 0.01);
  EXPECT_NEAR(70, outline->m_box.right, 0.01);
  EXPECT_NEAR(20, outline->m_box.Height(), 0.01);
}

}  // namespace
