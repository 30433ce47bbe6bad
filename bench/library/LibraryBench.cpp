// Times a graphics library of 50 kinds: writing it through the library class (kinds and graphics
// appended one by one, as the library manager does), opening it, and reading every graphic with
// its name, as the picker and the browser do when they list a kind. Graphics are stars of 24
// points and rings of two Bezier circles, 40 per kind, in version 6.1 records. Prints the times
// and the file's size. Run under Wine: bench/library.exe
#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "media/library/LibraryFile.h"
#include "media/library/MountLibList.h"
#include "media/library/PicLibrary.h"
#include "model/geometry/Contour.h"
#include "model/settings/IniFile.h"

namespace {

const int kKinds = 50;
const int kGraphicsPerKind = 40;
const float kArc = 0.5522847f;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

CContour* Star(int corners, float radius) {
  CContour* star = new CContour;
  for (int i = 0; i <= 2 * corners; ++i) {
    double angle = 3.14159265358979 * i / corners;
    float r = i % 2 ? radius * 0.4f : radius;
    BYTE flags = i == 0 ? 0x11 : (i == 2 * corners ? 0x41 : 0x01);
    star->AppendPoint(MakePointRecord(50 + r * static_cast<float>(std::cos(angle)),
                                      50 + r * static_cast<float>(std::sin(angle)), flags));
  }
  star->AppendEndMark();
  return star;
}

void Circle(CContour* contour, float r) {
  float k = r * kArc;
  contour->AppendPoint(MakePointRecord(50 + r, 50, 0x11));
  const float pieces[4][6] = {{50 + r, 50 + k, 50 + k, 50 + r, 50, 50 + r},
                              {50 - k, 50 + r, 50 - r, 50 + k, 50 - r, 50},
                              {50 - r, 50 - k, 50 - k, 50 - r, 50, 50 - r},
                              {50 + k, 50 - r, 50 + r, 50 - k, 50 + r, 50}};
  for (int i = 0; i < 4; ++i) {
    contour->AppendPoint(MakePointRecord(pieces[i][0], pieces[i][1], 0));
    contour->AppendPoint(MakePointRecord(pieces[i][2], pieces[i][3], 0));
    contour->AppendPoint(MakePointRecord(pieces[i][4], pieces[i][5], i == 3 ? 0x41 : 0x01));
  }
}

CContour* Ring(float radius) {
  CContour* ring = new CContour;
  Circle(ring, radius);
  Circle(ring, radius * 0.6f);
  ring->AppendEndMark();
  return ring;
}

}  // namespace

int main() {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "talvex-library-bench\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  std::string path = folder + "BENCH.LIB";
  CIniFile settings;
  settings.SetPath((folder + "TALVEX42.INI").c_str());
  CMountLibList list(settings);

  Clock::time_point start = Clock::now();
  CreateLibraryFile(path.c_str(), library::MakeLibraryHeader(library::kVersion61, "Bench"));
  CPicLibrary writer;
  writer.OpenFile(path.c_str());
  for (int kind = 0; kind < kKinds; ++kind) {
    library::KindRecord record;
    snprintf(record.englishName, sizeof record.englishName, "Kind %d", kind);
    writer.AddKind(record);
    for (int i = 0; i < kGraphicsPerKind; ++i) {
      std::unique_ptr<CContour> graphic(i % 2 ? Ring(20.0f + i) : Star(12, 20.0f + i));
      char name[32];
      snprintf(name, sizeof name, "Graphic %d-%d", kind, i);
      writer.PutGraphic(kind, graphic.get(), name);
    }
  }
  double written = MillisecondsSince(start);

  start = Clock::now();
  CPicLibrary reader;
  bool opened = reader.OpenFile(path.c_str()) != FALSE;
  double open = MillisecondsSince(start);

  start = Clock::now();
  int graphics = 0, points = 0;
  for (int kind = 0; kind < reader.GetKindCount(); ++kind) {
    int count = reader.GetGraphicCount(kind);
    for (int i = 0; i < count; ++i) {
      std::unique_ptr<CContour> graphic(reader.ReadGraphic(kind, i, nullptr));
      CString name;
      reader.GetGraphicName(kind, i, name);
      if (!graphic) continue;
      ++graphics;
      points += graphic->GetCount();
    }
  }
  double read = MillisecondsSince(start);

  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
  DWORD size = file != INVALID_HANDLE_VALUE ? ::GetFileSize(file, nullptr) : 0;
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  std::printf("library of %d kinds x %d graphics, %lu bytes\n", kKinds, kGraphicsPerKind,
              static_cast<unsigned long>(size));
  std::printf("  written one by one: %9.1f ms\n", written);
  std::printf("  opened:             %9.1f ms (%s, %d kinds)\n", open, opened ? "ok" : "FAILED",
              reader.GetKindCount());
  std::printf("  every graphic read: %9.1f ms (%d graphics, %d point records, %.3f ms each)\n",
              read, graphics, points, graphics ? read / graphics : 0.0);
  ::DeleteFileA(path.c_str());
  ::DeleteFileA((folder + "TALVEX42.INI").c_str());
  ::RemoveDirectoryA(folder.c_str());
  return opened && graphics == kKinds * kGraphicsPerKind ? 0 : 1;
}
