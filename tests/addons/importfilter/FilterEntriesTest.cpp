// The import filter's library through the editor's wrapper (no window), as the merge command
// and the library-building tool call it: its version, its filter text in the language it is
// told, files read from disk in page units or at the tools' 1181.1024 units per inch, and its
// report of why a read gave nothing.
#include <gtest/gtest.h>

#include <string>

#include "addons/importfilter/ImportTestSupport.h"
#include "media/ImportFilterDll.h"
#include "support/TempFolder.h"

using namespace import_test;

namespace {

const char kFilterLibrary[] = "program\\TalvexFilter.dll";

TEST(FilterEntries, TheFilterTextNamesTheKindsItReadsInTheLanguageItIsTold) {
  CImportFilterDll filter;
  ASSERT_NE(nullptr, filter.Bind(kFilterLibrary));
  EXPECT_EQ(0x0100, filter.GetVersion());
  ASSERT_TRUE(filter.CanUse(2052));
  CString text;
  ASSERT_TRUE(filter.GetFilters(text));
  EXPECT_EQ(CString("PostScript 文件 (*.EPS;*.AI)|*.EPS;*.AI|HP-GL 绘图文件 (*.PLT)|*.PLT|"
                    "AutoCAD DXF 文件 (*.DXF)|*.DXF|"),
            text);
  ASSERT_TRUE(filter.CanUse(1033));
  ASSERT_TRUE(filter.GetFilters(text));
  EXPECT_EQ(0, text.Find("PostScript files (*.EPS;*.AI)|"));
  EXPECT_EQ(-1, text.Find("CUT"));
}

TEST(FilterEntries, FilesAreReadInPageUnitsOrAtTheToolsScaleAndFailuresAreReported) {
  TempFolder folder;
  const std::string eps = folder.File("art.eps");
  WriteText(eps,
            "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 72 72\n"
            "0 0 moveto 72 0 lineto 72 72 lineto closepath fill (word) show\n");
  CImportFilterDll filter;
  ASSERT_NE(nullptr, filter.Bind(kFilterLibrary));
  ImportFilterReport report;
  Reading page = Unpack(filter.FilterRead(eps.c_str()), report);
  ASSERT_TRUE(filter.GetReport(&report));
  EXPECT_EQ(kImportRead, report.problem);
  EXPECT_EQ(1, report.texts);
  ASSERT_EQ(1u, page.curves.size());
  EXPECT_NEAR(25.4, page.curves[0].box.Width(), 1e-4);
  EXPECT_NEAR(25.4, page.curves[0].box.bottom, 1e-4);
  Reading tool = Unpack(filter.FilterRead(eps.c_str(), 1181.1024f), report);
  ASSERT_EQ(1u, tool.curves.size());
  EXPECT_NEAR(1181.1024, tool.curves[0].box.Width(), 1e-2);

  struct Case {
    std::string name;
    const char* content;
    int problem;
  };
  const Case cases[] = {
      {"job.cut", "anything", kImportCutFile},
      {"missing.plt", nullptr, kImportCannotOpen},
      {"notes.xyz", "text", kImportNotThisKind},
      {"art2.eps", "%!PS\n10 10 moveto (\n", kImportDamaged},
  };
  for (const Case& c : cases) {
    const std::string path = folder.File(c.name.c_str());
    if (c.content) WriteText(path, c.content);
    EXPECT_EQ(nullptr, filter.FilterRead(path.c_str())) << c.name;
    ASSERT_TRUE(filter.GetReport(&report));
    EXPECT_EQ(c.problem, report.problem) << c.name;
  }
  EXPECT_EQ(2, report.line);
}

}  // namespace
