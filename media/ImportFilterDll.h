// CImportFilterDll: the import-filter library, bound afresh by the open command and the
// library-building tool. A missing library or entry gives empty results.
//
// Besides the four entries every import filter has, ours exports FilterGetReport: what its last
// FilterRead met (why it gave nothing, what it left out), so that the editor can tell the user.
// The wrapper binds it when present; a filter without it reports nothing.
#pragma once

#include "media/DllModule.h"

// Why a read gave nothing; kImportRead when it gave the drawing.
enum ImportProblem : int {
  kImportRead = 0,
  kImportCannotOpen = 1,
  kImportTooLarge = 2,
  kImportNotThisKind = 3,     // the content is not what the extension says
  kImportDamaged = 4,         // at the report's line
  kImportBinaryDxf = 5,       // binary DXF: only the text form is read
  kImportPdfIllustrator = 6,  // an .AI file of Illustrator 9 or later (a PDF)
  kImportCutFile = 7,         // .CUT files are not read
  kImportNothingToRead = 8,   // the file holds no outline
  kImportTooComplex = 9,      // more points or nesting than a drawing may hold
  kImportEndedEarly = 10,     // the file ends inside its drawing, at the report's line: the
                              // drawing before it was read all the same
  kImportPdfPages = 11,       // PDF pages in PostScript (Ghostscript's eps2write)
};

// What the last read met. Crosses the library's entry: 32-bit fields only.
struct ImportFilterReport {
  int problem;  // ImportProblem
  int line;     // line of the file where the problem lies, 0 when none
  int images;   // images left out (the filter reads outlines only)
  int texts;    // texts left out (text is read once converted to outlines)
  int others;   // objects of other kinds left out
};
static_assert(sizeof(ImportFilterReport) == 20, "the report crosses the library's entry");

class CImportFilterDll : public CDllModule {
public:
  static const char kLibraryName[];
  // A filter text longer than this is taken as a broken answer.
  static constexpr int kMaxFilterText = 65536;

  typedef int(__cdecl* GetFiltersEntry)(char* buffer);
  typedef int(__cdecl* GetVersionEntry)();
  typedef HGLOBAL(__cdecl* FilterReadEntry)(LPCSTR path, float scale, int flags);
  typedef int(__cdecl* CanUseEntry)(int value);
  typedef int(__cdecl* GetReportEntry)(ImportFilterReport* report);

  CImportFilterDll();

  // Always loads the library again; the module or null.
  HMODULE Bind(LPCSTR path = nullptr);

  int GetVersion() const;
  // The filter text for the open dialog; false (and empty) when there is none.
  bool GetFilters(CString& text) const;
  // The content of a file the editor does not read itself, or null. A scale of 0 reads the file
  // in page units (millimetres); any other is the number of units per inch wanted.
  HGLOBAL FilterRead(LPCSTR path, float scale = 0.0f) const;
  // False when the library refuses to be used (or is missing). Our filter takes the user
  // interface's language (2052 Chinese, any other English) for the names in its filter text.
  bool CanUse(int value) const;
  // What the last FilterRead met; false (and a cleared report) when the library cannot tell.
  bool GetReport(ImportFilterReport* report) const;

private:
  GetFiltersEntry m_getFilters;
  GetVersionEntry m_getVersion;
  FilterReadEntry m_filterRead;
  CanUseEntry m_canUse;
  GetReportEntry m_getReport;
};
