#include "addons/importfilter/ImportTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>

#include "addons/TransformLibrary.h"
#include "addons/importfilter/FilterRead.h"
#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/SegArray.h"

namespace import_test {

// The box of the outline itself, Bezier pieces followed closely (the model's box samples them
// more coarsely near their ends).
CFRect OutlineBox(const std::vector<POINTREC>& points) {
  CFRect box;
  bool any = false;
  auto widen = [&](double x, double y) {
    if (!any)
      box = CFRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x),
                   static_cast<float>(y));
    any = true;
    box.left = std::min(box.left, static_cast<float>(x));
    box.top = std::min(box.top, static_cast<float>(y));
    box.right = std::max(box.right, static_cast<float>(x));
    box.bottom = std::max(box.bottom, static_cast<float>(y));
  };
  for (size_t i = 0; i < points.size(); ++i) {
    if (!IsOnCurvePoint(points[i].flags)) continue;
    widen(points[i].x, points[i].y);
    if (i < 3 || !IsControlPoint(points[i - 1].flags)) continue;
    const POINTREC &p0 = points[i - 3], &p1 = points[i - 2], &p2 = points[i - 1], &p3 = points[i];
    for (int step = 1; step < 256; ++step) {
      const double t = step / 256.0, u = 1 - t;
      widen(u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
            u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y);
    }
  }
  return box;
}

Reading Read(int kind, const std::string& bytes, float scale) {
  ImportFilterReport report = {};
  HGLOBAL record = CFilterRead::ReadBytes(bytes.data(), bytes.size(), kind, scale, &report);
  return Unpack(record, report);
}

Reading Unpack(HGLOBAL record, const ImportFilterReport& report) {
  Reading reading;
  reading.report = report;
  if (!record) return reading;
  reading.read = true;
  std::unique_ptr<CSegArray> list;
  bool damaged = false;
  {
    CGlobalLock lock(record);
    list.reset(LoadSegArray(lock.Data(), lock.Size(), &damaged));
  }
  GlobalFree(record);
  EXPECT_FALSE(damaged);
  if (!list) {
    ADD_FAILURE() << "the record holds no block list";
    return reading;
  }
  for (INT_PTR i = 0; i < list->GetSize(); ++i) {
    auto* block = dynamic_cast<CCurveBlock*>(list->GetBlock(i));
    if (!block) {
      ADD_FAILURE() << "block " << i << " is no curve";
      continue;
    }
    Curve curve;
    curve.box = block->m_box;
    curve.colour = block->GetColour();
    curve.solid = (block->m_attributes & kSolidAttr) != 0;
    curve.points = block->GetPathRecords();
    curve.subpaths = curve.closedSubpaths = 0;
    for (const POINTREC& p : curve.points) {
      curve.subpaths += IsSubpathStart(p.flags);
      curve.closedSubpaths += (p.flags & kPointClose) != 0;
    }
    curve.area = addon_test::AreaOf(block);
    curve.box = OutlineBox(curve.points);
    reading.curves.push_back(curve);
  }
  return reading;
}

const Curve* CurveNear(const Reading& reading, float x, float y) {
  const Curve* nearest = nullptr;
  double best = 1e30;
  for (const Curve& curve : reading.curves) {
    const double dx = (curve.box.left + curve.box.right) / 2 - x;
    const double dy = (curve.box.top + curve.box.bottom) / 2 - y;
    if (dx * dx + dy * dy < best) best = dx * dx + dy * dy, nearest = &curve;
  }
  return nearest;
}

void ExpectNothingRead(const Reading& reading, int problem, int line, const std::string& what) {
  EXPECT_FALSE(reading.read) << what;
  EXPECT_EQ(problem, reading.report.problem) << what;
  EXPECT_EQ(line, reading.report.line) << what;
}

std::string Repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
}

}  // namespace import_test
