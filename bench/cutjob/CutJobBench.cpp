// Times the writing of a cut job: letter-like outlines (two closed sub-paths of 14 lines and
// Bezier pieces in all, like an "O" or a "D") in words of ten on a grid, clipped to the media,
// placed in device steps and cut through the plain HP-GL cutter model into a plot file, as the cut
// device bar writes a job. Prints the time and the size of the plot file for 1,000, 10,000 and
// 100,000 outlines, after one small job that is not counted. Run under Wine: bench/cutjob.exe
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/geometry/Matrix2D.h"
#include "output/CutterDevice.h"

namespace {

// The commands of the shipped "HP-GL cutter" (data/Cutters.INI, section HPGL40).
const char* const kModel[][2] = {
    {"RS", "0.025"},         {"InitCmd", "IN;"},     {"AbsCmd", "PA;"},     {"PenUp", "PU;"},
    {"SubJoin", "SP1;"},     {"MoveTo", "PU%d,%d;"}, {"LineTo", "PD%d,%d"}, {"LineToEx", ",%d,%d"},
    {"SpeedCmd", "VS%d;"},   {"ForceCmd", "FS%d;"},  {"SetSpeed", "1"},     {"DefaultSpeed", "40"},
    {"SpeedRanger", "1,80"}, {"HardOffset", "1"},    {"OVERCUT", "0"},      {"OutMethod", "2"}};

const float kCell = 12.0f;  // mm between outlines
// Outlines come in words of this many letters, one curve block each, as text turns into curves.
// (Every curve holds its points in a movable memory block, and the system has at most 65536 of
// those: a hundred thousand single letters, twice over while the job is clipped, would not fit.)
const int kLettersPerWord = 10;

void AddBezier(CCurveBlock& curve, float x1, float y1, float x2, float y2, float x3, float y3) {
  curve.AddPoint(x1, y1, 0);
  curve.AddPoint(x2, y2, 0);
  curve.AddPoint(x3, y3, kPointOnCurve);
}

// An outline 10 mm high at (x, y): an outer contour of 4 lines and 4 curves, a hole of 3 and 3.
void AddLetter(CCurveBlock* letter, float x, float y) {
  letter->AddPoint(x, y, kPointStart | kPointOnCurve);
  letter->AddPoint(x + 4, y, kPointOnCurve);
  AddBezier(*letter, x + 7, y, x + 8, y + 2, x + 8, y + 4);
  letter->AddPoint(x + 8, y + 6, kPointOnCurve);
  AddBezier(*letter, x + 8, y + 8, x + 7, y + 10, x + 4, y + 10);
  letter->AddPoint(x + 1, y + 10, kPointOnCurve);
  AddBezier(*letter, x + 0.5f, y + 10, x, y + 9.5f, x, y + 9);
  letter->AddPoint(x, y + 1, kPointOnCurve);
  AddBezier(*letter, x, y + 0.5f, x + 0.2f, y, x, y);
  letter->CloseLastSubpath();
  letter->AddPoint(x + 2, y + 2, kPointStart | kPointOnCurve);
  letter->AddPoint(x + 4, y + 2, kPointOnCurve);
  AddBezier(*letter, x + 5.5f, y + 2, x + 6, y + 3, x + 6, y + 5);
  AddBezier(*letter, x + 6, y + 7, x + 5.5f, y + 8, x + 4, y + 8);
  letter->AddPoint(x + 2, y + 8, kPointOnCurve);
  letter->AddPoint(x + 2, y + 5, kPointOnCurve);
  AddBezier(*letter, x + 2, y + 4, x + 2.2f, y + 3, x + 2, y + 2);
  letter->CloseLastSubpath();
}

std::string WriteModel() {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::string ini = std::string(folder) + "cutjob-bench.ini";
  DeleteFileA(ini.c_str());
  WritePrivateProfileStringA("CutterDevices", "HP-GL cutter", "HPGL40", ini.c_str());
  for (const auto& key : kModel) WritePrivateProfileStringA("HPGL40", key[0], key[1], ini.c_str());
  return ini;
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void RunJob(int outlines, const std::string& ini, const std::string& plot, bool show = true) {
  const int columns = 320;
  CSegArray blocks;
  for (int i = 0; i < outlines; i += kLettersPerWord) {
    CCurveBlock* word = new CCurveBlock;
    for (int j = i; j < i + kLettersPerWord && j < outlines; ++j)
      AddLetter(word, 1 + (j % columns) * kCell, 1 + (j / columns) * kCell);
    word->EndCurve();
    blocks.AddBlock(word);
  }

  CCutterDevice device;
  device.ProfileFile().SetPath(ini.c_str());
  device.LoadProfile("HP-GL cutter");
  device.m_port.SetPortName(plot.c_str());
  CCutSettings settings;
  settings.m_mediaRect = CFRect(0, 0, columns * kCell + 10, (outlines / columns + 1) * kCell + 10);

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  std::unique_ptr<CGroupBlock> job(ClipGroupToRect(blocks, settings.m_mediaRect));
  CMatrix2D toSteps;
  toSteps.m[0] = toSteps.m[4] = 1.0f / device.m_rs;
  toSteps.m[6] = toSteps.m[7] = 1.5f / device.m_rs;
  job->Transform(toSteps);
  job->FlattenNested();
  job->SortByTop();
  device.BeginJob(nullptr, settings);
  for (INT_PTR i = 0; i < job->GetChildCount(); ++i) {
    auto* curve = dynamic_cast<CCurveBlock*>(job->GetChild(i));
    if (!curve) continue;
    curve->ApplyMatrix();
    curve->OutputToCutter(&device);
  }
  bool ok = device.EndJob();
  QueryPerformanceCounter(&end);
  double milliseconds = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart;
  if (!show) return;
  printf("%7d outlines (%8d pieces): %9.1f ms, %10lld bytes%s\n", outlines, outlines * 14,
         milliseconds, FileSize(plot), ok ? "" : " (the job failed)");
}

}  // namespace

int main() {
  std::string ini = WriteModel();
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::string plot = std::string(folder) + "cutjob-bench.plt";
  printf("Cut job through the plain HP-GL model into %s\n", plot.c_str());
  // One small job first, as the editor has usually cut before: the one-time set-up of the
  // libraries and of the Bezier table is not the cost of a job.
  RunJob(100, ini, plot, false);
  for (int outlines : {1000, 10000, 100000}) RunJob(outlines, ini, plot);
  DeleteFileA(plot.c_str());
  DeleteFileA(ini.c_str());
  return 0;
}
