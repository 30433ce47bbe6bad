// Helpers of the import filter's tests: a read (of bytes or of a file) taken apart into its
// curves as the editor's model reads them back, and the files' kinds by number.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "media/ImportFilterDll.h"
#include "model/geometry/FRect.h"
#include "model/geometry/PointRecord.h"

namespace import_test {

// The merge dialog's kind numbers.
const int kPlot = 3;
const int kPostScript = 4;
const int kCut = 5;
const int kDxf = 6;
// Millimetres per PostScript point.
const double kPoint = 25.4 / 72.0;

struct Curve {
  CFRect box;   // of the outline itself
  double area;  // filled area (even-odd), 0 for open outlines
  DWORD colour;
  bool solid;
  int subpaths;
  int closedSubpaths;
  std::vector<POINTREC> points;
};

struct Reading {
  bool read = false;  // a record came back
  std::vector<Curve> curves;
  ImportFilterReport report = {};
};

// Reads the bytes as a file of the kind (through the filter's reading code).
Reading Read(int kind, const std::string& bytes, float scale = 0.0f);
// Takes the record apart (freeing it); the model must read it whole.
Reading Unpack(HGLOBAL record, const ImportFilterReport& report);
// The curve whose box lies nearest the point, or null.
const Curve* CurveNear(const Reading& reading, float x, float y);
// Expects no record, for the problem at the line; what names the case in a failure.
void ExpectNothingRead(const Reading& reading, int problem, int line, const std::string& what);

// The text that many times over.
std::string Repeated(const std::string& text, int times);

std::string FileText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

}  // namespace import_test
