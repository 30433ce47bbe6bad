// Times the import filter reading large files of other programs: a DXF and an EPS of about
// 10 MB each, made here (the DXF of polylines with bulges, circles, arcs, splines, joined lines
// and block inserts; the EPS as cairo writes drawings, with its prolog's procedures, q/Q, cm,
// re, curves and colours). Prints, for each, the size, the time to read it into a block-list
// record (best and mean of three reads), the time for the model to build its blocks from the
// record, and how many curves and points came out; then the hostile files of HostileDrawings.h,
// HostilePostScript.h and HostileImages.h, each read in a process of its own.
// Run under Wine: bench/import.exe (bench/import.exe hostile for the hostile files alone)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "addons/importfilter/FilterRead.h"
#include "bench/import/HostileDrawings.h"
#include "bench/import/HostileImages.h"
#include "bench/import/HostilePostScript.h"
#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/SegArray.h"

namespace {

const size_t kTargetBytes = 10 * 1024 * 1024;

void Append(std::string* text, const char* format, double a = 0, double b = 0, double c = 0,
            double d = 0, double e = 0, double f = 0) {
  char line[256];
  snprintf(line, sizeof line, format, a, b, c, d, e, f);
  *text += line;
}

std::string MakeDxf() {
  std::string dxf =
      "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
      "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nLOGO\n10\n0\n20\n0\n"
      "0\nLWPOLYLINE\n90\n4\n70\n1\n10\n0\n20\n0\n42\n0.4\n10\n8\n20\n0\n10\n8\n20\n6\n"
      "42\n-0.3\n10\n0\n20\n6\n0\nCIRCLE\n10\n4\n20\n3\n40\n1.5\n0\nENDBLK\n0\nENDSEC\n"
      "0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; dxf.size() < kTargetBytes; ++i) {
    const double x = (i % 200) * 15.0, y = (i / 200) * 15.0;
    switch (i % 6) {
      case 0:
        Append(&dxf, "0\nLWPOLYLINE\n8\n0\n90\n6\n70\n1\n10\n%.4f\n20\n%.4f\n42\n0.25\n", x, y);
        Append(&dxf, "10\n%.4f\n20\n%.4f\n10\n%.4f\n20\n%.4f\n42\n-0.5\n", x + 8, y, x + 10, y + 4);
        Append(&dxf, "10\n%.4f\n20\n%.4f\n10\n%.4f\n20\n%.4f\n10\n%.4f\n20\n%.4f\n", x + 8, y + 9,
               x + 3, y + 10, x + 1, y + 6);
        break;
      case 1:
        Append(&dxf, "0\nCIRCLE\n8\n0\n10\n%.4f\n20\n%.4f\n40\n%.4f\n", x + 5, y + 5, 4.5);
        Append(&dxf, "0\nARC\n8\n0\n10\n%.4f\n20\n%.4f\n40\n3\n50\n20\n51\n250\n", x + 5, y + 5);
        break;
      case 2:
        dxf +=
            "0\nSPLINE\n8\n0\n70\n8\n71\n3\n72\n11\n73\n7\n40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n"
            "40\n2\n40\n3\n40\n4\n40\n4\n40\n4\n40\n4\n";
        for (int k = 0; k < 7; ++k)
          Append(&dxf, "10\n%.4f\n20\n%.4f\n", x + k * 1.5, y + (k % 2 ? 9 : 1));
        break;
      case 3:
        for (int k = 0; k < 4; ++k)
          Append(&dxf, "0\nLINE\n8\n0\n10\n%.4f\n20\n%.4f\n11\n%.4f\n21\n%.4f\n", x + k * 2, y + k,
                 x + k * 2 + 2, y + k + 1);
        break;
      case 4:
        Append(&dxf, "0\nINSERT\n8\n0\n2\nLOGO\n10\n%.4f\n20\n%.4f\n41\n1.1\n42\n0.9\n50\n%.1f\n",
               x, y, (i % 360) * 1.0);
        break;
      default:
        Append(
            &dxf,
            "0\nELLIPSE\n8\n0\n10\n%.4f\n20\n%.4f\n11\n5\n21\n2\n40\n0.5\n41\n0\n42\n6.2831853\n",
            x + 5, y + 5);
        break;
    }
  }
  return dxf + "0\nENDSEC\n0\nEOF\n";
}

std::string MakeEps() {
  std::string eps =
      "%!PS-Adobe-3.0 EPSF-3.0\n%%Creator: cairo-like\n%%BoundingBox: 0 0 3000 3000\n"
      "%%EndComments\n%%BeginProlog\n50 dict begin\n/q { gsave } bind def\n/Q { grestore } bind "
      "def\n"
      "/cm { 6 array astore concat } bind def\n/m { moveto } bind def\n/l { lineto } bind def\n"
      "/c { curveto } bind def\n/h { closepath } bind def\n"
      "/re { exch dup neg 3 1 roll 5 3 roll moveto 0 rlineto 0 exch rlineto 0 rlineto closepath }"
      " bind def\n/f { fill } bind def\n/S { stroke } bind def\n/rg { setrgbcolor } bind def\n"
      "%%EndProlog\n%%Page: 1 1\nq 1 0 0 -1 0 3000 cm q\n";
  for (int i = 0; eps.size() < kTargetBytes; ++i) {
    const double x = (i % 250) * 12.0, y = (i / 250) % 250 * 12.0;
    Append(&eps, "%.3f %.3f %.3f rg\n", (i % 7) / 7.0, (i % 5) / 5.0, (i % 3) / 3.0);
    if (i % 3 == 0) {
      Append(&eps, "%.3f %.3f 9.5 7.25 re f\n", x, y);
      continue;
    }
    // A letter-like outline with a hole, as text converted to outlines comes.
    Append(&eps, "%.3f %.3f m %.3f %.3f l ", x, y, x + 4, y);
    Append(&eps, "%.3f %.3f %.3f %.3f %.3f %.3f c\n", x + 7, y, x + 8, y + 2, x + 8, y + 4);
    Append(&eps, "%.3f %.3f l %.3f %.3f %.3f %.3f ", x + 8, y + 6, x + 8, y + 8, x + 7, y + 10);
    Append(&eps, "%.3f %.3f c %.3f %.3f l h\n", x + 4, y + 10, x, y + 10);
    Append(&eps, "%.3f %.3f m %.3f %.3f l ", x + 2, y + 2, x + 5, y + 2);
    Append(&eps, "%.3f %.3f l %.3f %.3f l h f\n", x + 5, y + 8, x + 2, y + 8);
  }
  return eps + "Q Q\nshowpage\n%%Trailer\nend\n%%EOF\n";
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Measure(const char* what, const std::string& path, size_t bytes) {
  double best = 1e30, total = 0;
  HGLOBAL record = nullptr;
  ImportFilterReport report = {};
  const int runs = 3;
  for (int run = 0; run < runs; ++run) {
    if (record) GlobalFree(record);
    auto start = std::chrono::steady_clock::now();
    record = CFilterRead::Read(path.c_str(), 0.0f, &report);
    const double seconds = Seconds(start);
    best = std::min(best, seconds);
    total += seconds;
  }
  if (!record) {
    printf("%s: nothing read (problem %d, line %d)\n", what, report.problem, report.line);
    return;
  }
  auto start = std::chrono::steady_clock::now();
  std::unique_ptr<CSegArray> blocks;
  size_t recordBytes = 0;
  {
    CGlobalLock lock(record);
    recordBytes = lock.Size();
    blocks.reset(LoadSegArray(lock.Data(), lock.Size()));
  }
  const double load = Seconds(start);
  GlobalFree(record);
  size_t points = 0;
  for (INT_PTR i = 0; blocks && i < blocks->GetSize(); ++i)
    points += static_cast<CCurveBlock*>(blocks->GetBlock(i))->GetCount();
  printf(
      "%-4s %6.2f MB: read %6.3f s best, %6.3f s mean (%5.1f MB/s); blocks built in %.3f s; "
      "%d curves, %zu points, record %.1f MB\n",
      what, bytes / 1048576.0, best, total / runs, bytes / 1048576.0 / best, load,
      blocks ? static_cast<int>(blocks->GetSize()) : 0, points, recordBytes / 1048576.0);
}

void WriteFile(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return;
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
}

// Each hostile file is read in a process of its own, so that its peak memory is its own.
void MeasureHostileFiles() {
  printf("Hostile files, each read in a process of its own (peak memory of that process):\n");
  HostileDrawings::Measure();
  HostilePostScript::Measure();
  HostileImages::Measure();
}

}  // namespace

int main(int argc, char** argv) {
  if (HostileDrawings::RunChildRead() || HostilePostScript::RunChildRead() ||
      HostileImages::RunChildRead())
    return 0;
  // "import.exe hostile": the hostile files only.
  if (argc == 2 && std::string(argv[1]) == "hostile") {
    MeasureHostileFiles();
    return 0;
  }
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string dxfPath = std::string(folder) + "talvex-bench-import.dxf";
  const std::string epsPath = std::string(folder) + "talvex-bench-import.eps";
  const std::string dxf = MakeDxf(), eps = MakeEps();
  WriteFile(dxfPath, dxf);
  WriteFile(epsPath, eps);
  Measure("DXF", dxfPath, dxf.size());
  Measure("EPS", epsPath, eps.size());
  DeleteFileA(dxfPath.c_str());
  DeleteFileA(epsPath.c_str());
  MeasureHostileFiles();
  return 0;
}
