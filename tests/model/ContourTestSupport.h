// Helpers shared by the contour tests: building contours from point lists and reading what the
// writers put into a file.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "framework/File.h"
#include "model/geometry/Contour.h"

struct TestPoint {
  float x, y;
  BYTE flags;
};

inline CContour* MakeContour(std::initializer_list<TestPoint> points, bool end = true) {
  CContour* contour = new CContour;
  for (const TestPoint& p : points) contour->AppendPoint(MakePointRecord(p.x, p.y, p.flags));
  if (end) contour->AppendEndMark();
  return contour;
}

// The closed square (0, 0) - (100, 100).
inline CContour* MakeSquare(float size = 100) {
  return MakeContour(
      {{0, 0, 0x11}, {size, 0, 0x01}, {size, size, 0x01}, {0, size, 0x01}, {0, 0, 0x41}});
}

// An open sub-path: a line, then a Bezier piece turning downward.
inline CContour* MakeOpenCurve() {
  return MakeContour(
      {{10, 10, 0x11}, {60, 10, 0x01}, {80, 10, 0x00}, {100, 30, 0x00}, {100, 50, 0x21}});
}

// Runs a writer on a temporary file and returns what it wrote.
template <class Writer>
std::string WrittenText(Writer write) {
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "ctr", 0, path);
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    write(&file);
  }
  std::string text;
  {
    CFile file(path, CFile::modeRead);
    text.resize(static_cast<size_t>(file.GetLength()));
    if (!text.empty()) file.Read(&text[0], static_cast<UINT>(text.size()));
  }
  DeleteFileA(path);
  return text;
}

inline SIZE_T BlockSize(const CContour& contour) {
  return contour.GetPointBlock() ? GlobalSize(contour.GetPointBlock()) : 0;
}
