// CAiInterpreter: the script of an Adobe Illustrator file (AI 88 to 8, and the Illustrator
// form other programs write). Illustrator's operators have fixed meanings, whatever its prolog
// defines, so the prolog and setup are passed over and the script is read operator by operator:
//   paths   m, l L, c C, v V, y Y (corner and smooth forms alike), h (close);
//   paint   f F (fill), s S (stroke), b B (both), n N (neither), lower case closing first;
//           W marks a clipping path, which is not painted; *u ... *U is one compound path;
//   colour  k K (CMYK), g G (grey), x X (custom CMYK with its tint), Xa XA (RGB), Xx XX;
//   text    objects between To and TO are counted as left out; rasters (%AI5_BeginRaster, XI)
//           likewise, and data sections (%%BeginData) are passed over.
// Operands are numbers in points, y up, with no transformation; every operator takes what it
// needs from the top and clears the rest. A path operator without its numbers is damage.
//
// The path and the painted curves are paid for as the PostScript reader pays for them (the
// budget's memory for the points, the path's room and each curve, its work for each painted
// point): a file of more is too complex, and so is a path of more points than a path holds. A
// file that ends inside a path, a compound path or a text ends early.
#pragma once

#include <string>
#include <vector>

#include "addons/importfilter/ImportPath.h"
#include "addons/importfilter/ImportedDrawing.h"
#include "addons/importfilter/PsBudget.h"
#include "addons/importfilter/PsScanner.h"
#include "media/ImportFilterDll.h"

class CAiInterpreter {
public:
  // A coordinate beyond this many points is damage.
  static constexpr double kLargestCoordinate = 1.0e7;

  CAiInterpreter(CPsScanner& scanner, CImportedDrawing* drawing, ImportFilterReport* report,
                 size_t work, size_t memory)
      : m_scanner(scanner), m_drawing(drawing), m_report(report), m_budget(work, memory) {}
  void Run();

private:
  enum Paint { kNoPaint, kFill, kStroke, kFillAndStroke };
  void Operator(const std::string& name);
  void HandleComment(const std::string& comment);
  // The last count numbers on the stack, in order; false (damage) when they are not there.
  bool Numbers(size_t count, double* values);
  bool Point(size_t index, const double* values, double* x, double* y);
  // Room in the path for so many more points, paid for; false (too complex) when there is none.
  bool PathRoom(size_t points);
  void PaintPath(Paint paint, bool close);
  void Fail();
  void TooComplex();

  CPsScanner& m_scanner;
  CImportedDrawing* m_drawing;
  ImportFilterReport* m_report;
  CPsBudget m_budget;
  size_t m_paidPoints = 0;  // of the path's room, which it keeps when it is cleared
  // Operands: numbers, and NaN for anything else (strings, names, arrays).
  std::vector<double> m_operands;
  CImportPath m_path;
  DWORD m_fillColour = 0;
  DWORD m_strokeColour = 0;
  bool m_clipping = false;
  bool m_inCompound = false;
  Paint m_compoundPaint = kNoPaint;
  bool m_inText = false;
  bool m_failed = false;
  int m_line = 0;  // of the operator being read
};
