// Times the 2-D fill output: a 400 x 900 mm page at a fill step of 0.1 mm (4,000 x 9,000
// pixels) with letter-like outlines (an outer contour and a hole of lines and Bezier pieces) on a
// grid, engraved inverse (the letters) and around them, both ways, through the shipped HP-GL
// engraver's commands into a plot file, as the fill dialog writes a job. Prints the raster, the
// runs, the time, the runs per second and the size of the plot file, for an empty page and for 500
// and 5,000 letters, after one small job that is not counted. Run under Wine: bench/fill.exe
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "model/blocks/CurveBlock.h"
#include "model/document/SegArray.h"
#include "output/CarveFillJob.h"
#include "output/OutPort.h"

namespace {

// The shipped "HP-GL engraver" (data/Carves.INI, section HPGLCARVE).
const char kProfile[] =
    "[CarveDevices]\r\nbench=HPGL\r\n"
    "[HPGL]\r\nSoftWareRes=0.025\r\nSWAPXY=1\r\nInitCmd=IN;\r\nAbsCmd=PA;\r\nPenUp=PU;\r\n"
    "SubJoin=SP1;\r\nMoveTo=PU%d,%d;\r\nLineTo=PD%d,%d\r\nLineToEx=,%d,%d\r\n"
    "SpeedCmd=VS%d;\r\nDefaultSpeed=20\r\nFinishCmd=PU;PA0,0;SP0;\r\n";

const float kPageWidth = 400.0f;
const float kPageHeight = 900.0f;
const float kStep = 0.1f;

void AddBezier(CCurveBlock& curve, float x1, float y1, float x2, float y2, float x3, float y3) {
  curve.AddPoint(x1, y1, 0);
  curve.AddPoint(x2, y2, 0);
  curve.AddPoint(x3, y3, kPointOnCurve);
}

// A letter of size s at (x, y): a rounded outer contour and a rounded hole.
CCurveBlock* Letter(float x, float y, float s) {
  CCurveBlock* letter = new CCurveBlock;
  letter->AddPoint(x, y, kPointStart | kPointOnCurve);
  letter->AddPoint(x + 0.4f * s, y, kPointOnCurve);
  AddBezier(*letter, x + 0.7f * s, y, x + 0.8f * s, y + 0.2f * s, x + 0.8f * s, y + 0.4f * s);
  letter->AddPoint(x + 0.8f * s, y + 0.6f * s, kPointOnCurve);
  AddBezier(*letter, x + 0.8f * s, y + 0.8f * s, x + 0.7f * s, y + s, x + 0.4f * s, y + s);
  letter->AddPoint(x, y + s, kPointOnCurve);
  letter->CloseLastSubpath();
  letter->AddPoint(x + 0.2f * s, y + 0.2f * s, kPointStart | kPointOnCurve);
  letter->AddPoint(x + 0.4f * s, y + 0.2f * s, kPointOnCurve);
  AddBezier(*letter, x + 0.6f * s, y + 0.2f * s, x + 0.6f * s, y + 0.8f * s, x + 0.4f * s,
            y + 0.8f * s);
  letter->AddPoint(x + 0.2f * s, y + 0.8f * s, kPointOnCurve);
  letter->CloseLastSubpath();
  letter->EndCurve();
  return letter;
}

class Quiet : public CCarveFillProgress {
public:
  void SetRange(int) override {}
  void SetPosition(int) override {}
  void PumpMessage() override {}
};

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  return std::string(folder) + name;
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

long long CountRuns(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  long long runs = 0;
  for (char c, last = 0; in.get(c); last = c)
    if (last == 'P' && c == 'D') ++runs;
  return runs;
}

void Run(int letters, bool inverse, float width, float height, bool counted) {
  const std::string profile = TempPath("fill-bench.ini");
  std::ofstream(profile, std::ios::binary) << kProfile;
  const std::string plot = TempPath("fill-bench.plt");
  CCarveDevice device;
  device.ProfileFile().SetPath(profile.c_str());
  device.LoadProfile("bench");
  COutPort port;
  port.SetPortName(plot.c_str());
  port.EnableFileBuffer(true);
  CSegArray blocks;
  const int columns = 50;
  const float cell = width / columns;
  for (int i = 0; i < letters; ++i)
    blocks.AddBlock(Letter((i % columns) * cell + 1, (i / columns) * cell * 1.2f + 1, cell - 2));
  CarveFillOptions options;
  options.mirror = 0;
  options.inverseOut = inverse ? 1 : 0;
  options.doubleWay = 1;
  options.fillStep = kStep;
  options.outputBox = CFRect(0, 0, width, height);
  CCarveFillJob job(options, options.outputBox);
  Quiet progress;
  int stop = 0;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  CCarveFillJob::Result result = job.Run(blocks, nullptr, device, port, nullptr, &stop, progress);
  QueryPerformanceCounter(&end);
  blocks.DeleteAll();
  const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
  if (counted) {
    const long long runs = CountRuns(plot);
    std::printf(
        "%6d letters %-8s %5d x %5d pixels  %9lld runs  %7.2f s  %10.0f runs/s  %7.1f MB%s\n",
        letters, inverse ? "inverse" : "around", job.RasterWidth(), job.RasterHeight(), runs,
        seconds, seconds > 0 ? runs / seconds : 0.0, FileSize(plot) / 1048576.0,
        result == CCarveFillJob::kDone ? "" : "  (failed)");
  }
  DeleteFileA(plot.c_str());
  DeleteFileA(profile.c_str());
}

}  // namespace

int main() {
  std::printf("2-D fill of a %.0f x %.0f mm page at %.1f mm, HP-GL engraver, both ways\n",
              kPageWidth, kPageHeight, kStep);
  Run(10, true, 40.0f, 40.0f, false);
  for (int letters : {0, 500, 5000})
    for (bool inverse : {true, false}) Run(letters, inverse, kPageWidth, kPageHeight, true);
  return 0;
}
