// The import filter's entries: the four every import filter has and FilterGetReport (see
// media/ImportFilterDll.h). The .def file exports them under their names; inside they are named
// apart from the system's own GetVersion.
#include <windows.h>

#include <cstring>

#include "addons/importfilter/FilterRead.h"
#include "framework/Exception.h"
#include "media/ImportFilterDll.h"

namespace {

const int kFilterVersion = 0x0100;
const int kChinese = 2052;

// The file kinds the filter reads, in the file dialog's filter syntax. CUT files are not read:
// nothing says what they hold.
const char kChineseFilters[] =
    "PostScript 文件 (*.EPS;*.AI)|*.EPS;*.AI|HP-GL 绘图文件 (*.PLT)|*.PLT|"
    "AutoCAD DXF 文件 (*.DXF)|*.DXF|";
const char kEnglishFilters[] =
    "PostScript files (*.EPS;*.AI)|*.EPS;*.AI|HP-GL plot files (*.PLT)|*.PLT|"
    "AutoCAD DXF files (*.DXF)|*.DXF|";

// The user interface's language as CanUse was told it, and what the last read met. The editor
// calls the filter from its one user-interface thread.
int g_language = kChinese;
ImportFilterReport g_lastReport = {};

}  // namespace

extern "C" {

int __cdecl FilterVersion() { return kFilterVersion; }

int __cdecl FilterList(char* buffer) {
  const char* text = g_language == kChinese ? kChineseFilters : kEnglishFilters;
  const size_t length = std::strlen(text);
  if (buffer) std::memcpy(buffer, text, length);
  return static_cast<int>(length);
}

// The value is the user interface's language; the filter can always be used.
int __cdecl FilterCanUse(int value) {
  g_language = value;
  return 1;
}

HGLOBAL __cdecl FilterReadFile(LPCSTR path, float scale, int flags) {
  (void)flags;
  g_lastReport = ImportFilterReport();
  HGLOBAL result = nullptr;
  try {
    result = CFilterRead::Read(path, scale, &g_lastReport);
  } catch (CException* e) {
    e->Delete();
    result = nullptr;
    g_lastReport.problem = kImportTooComplex;
  } catch (...) {
    result = nullptr;
    g_lastReport.problem = kImportTooComplex;
  }
  return result;
}

int __cdecl FilterReport(ImportFilterReport* report) {
  if (!report) return 0;
  *report = g_lastReport;
  return 1;
}

}  // extern "C"
