// Curves written as text for the node-editing tests, read and written the same way so that an
// expected result reads like the path it is:
//   "M0,0 L10,0 C15,0 20,5 20,10 Z M30,30 L40,40*"
// M starts a sub-path, L is a straight segment, C a Bezier (two controls, then its end node), Z
// closes the sub-path with its closing point (after "C x,y x,y" the Bezier closes it). A sub-path
// that ends without Z ends open. A star after a node marks it selected. Coordinates are written
// with %g.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "model/blocks/CurveBlock.h"
#include "model/geometry/PointRecord.h"

inline std::vector<POINTREC> PathFromText(const std::string& text) {
  std::vector<POINTREC> records;
  // "M0,0" and "M 0,0" read alike.
  std::string spaced;
  for (char c : text) {
    spaced += c;
    if (c == 'M' || c == 'L' || c == 'C') spaced += ' ';
  }
  std::istringstream in(spaced);
  std::string token;
  int start = -1;
  auto point = [&](const std::string& word, BYTE flags) {
    POINTREC record = {0, 0, flags};
    std::sscanf(word.c_str(), "%f,%f", &record.x, &record.y);
    if (word.back() == '*') record.flags |= kPointSelected;
    records.push_back(record);
  };
  auto endOpen = [&]() {
    if (start >= 0 && !records.empty() && IsOnCurvePoint(records.back().flags) &&
        !(records.back().flags & kPointClose) && static_cast<int>(records.size()) - 1 != start)
      records.back().flags |= kPointOpenEnd;
    start = -1;
  };
  while (in >> token) {
    if (token == "M") {
      endOpen();
      in >> token;
      start = static_cast<int>(records.size());
      point(token, kPointStart | kPointOnCurve);
    } else if (token == "L") {
      in >> token;
      point(token, kPointOnCurve);
    } else if (token == "C") {
      for (int i = 0; i < 2; ++i) {
        in >> token;
        point(token, 0);
      }
      in >> token;
      if (token == "Z") {
        POINTREC close = records[start];
        records.push_back({close.x, close.y, kPointClose | kPointOnCurve});
        start = -1;
      } else {
        point(token, kPointOnCurve);
      }
    } else if (token == "Z") {
      POINTREC close = records[start];
      records.push_back({close.x, close.y, kPointClose | kPointOnCurve});
      start = -1;
    }
  }
  endOpen();
  return records;
}

inline std::string PointText(const POINTREC& p) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g,%g%s", p.x, p.y, (p.flags & kPointSelected) ? "*" : "");
  return buffer;
}

inline std::string PathToText(const std::vector<POINTREC>& records) {
  std::string text;
  std::vector<std::string> controls;
  auto add = [&](const std::string& word) { text += (text.empty() ? "" : " ") + word; };
  for (const POINTREC& p : records) {
    if (IsSpecialPoint(p.flags)) continue;
    if (IsControlPoint(p.flags)) {
      controls.push_back(PointText(p));
      continue;
    }
    if (p.flags & kPointStart) {
      add("M " + PointText(p));
    } else if (!controls.empty()) {
      add("C");
      for (const std::string& c : controls) add(c);
      add((p.flags & kPointClose) ? "Z" : PointText(p));
    } else {
      add((p.flags & kPointClose) ? "Z" : "L " + PointText(p));
    }
    controls.clear();
  }
  return text;
}

// A curve of the text, ended with its end record.
inline CCurveBlock* CurveFromText(const std::string& text) {
  CCurveBlock* curve = new CCurveBlock;
  curve->SetPathRecords(PathFromText(text));
  return curve;
}

inline std::string CurveText(const CCurveBlock& curve) {
  return PathToText(curve.GetPathRecords());
}
