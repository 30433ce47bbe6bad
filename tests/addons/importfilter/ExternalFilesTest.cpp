// Files made by other programs (no window): EPS from Inkscape (text kept as text too), Illustrator
// files from Ghostscript's ps2ai, DXF from Inkscape's exporter and from ezdxf, an EPS embedding a
// Type 1 font that FontForge wrote, made when the tests run (make_fixtures.py, a ctest fixture).
// Each is read through the filter and every outline the maker's drawing holds must be there: its
// box within the plotter's step (0.025 mm) and its area within that step along its box's edge,
// after the first outline's offset is taken out. Ghostscript's eps2write output is refused by
// name.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "addons/importfilter/FilterRead.h"
#include "addons/importfilter/ImportTestSupport.h"

using namespace import_test;

namespace {

const char kFolder[] = "fixtures\\import\\";
const double kStep = 0.025;

struct Expected {
  double left, top, right, bottom, area;
  long colour;
};

struct FileExpectation {
  std::vector<Expected> outlines;
  int images = 0;
  int texts = 0;
  bool more = false;
  int refused = kImportRead;  // the problem of a file the reader refuses
};

std::map<std::string, FileExpectation> ReadManifest() {
  std::map<std::string, FileExpectation> files;
  std::ifstream manifest(std::string(kFolder) + "expected.txt");
  std::string line;
  std::map<std::string, std::vector<Expected>> cad;
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string kind, file;
    fields >> kind >> file;
    Expected e = {0, 0, 0, 0, 0, -1};
    if (kind == "shape") {
      fields >> e.left >> e.top >> e.right >> e.bottom >> e.area >> e.colour;
      files[file].outlines.push_back(e);
    } else if (kind == "cad") {
      fields >> e.left >> e.bottom >> e.right >> e.top >> e.area;
      cad[file].push_back(e);
    } else if (kind == "notes") {
      fields >> files[file].images >> files[file].texts;
    } else if (kind == "more") {
      files[file].more = true;
    } else if (kind == "refused") {
      fields >> files[file].refused;
    }
  }
  // CAD drawings have y up: turned over within their own span, as the page has it.
  for (auto& entry : cad) {
    double low = 1e30, high = -1e30;
    for (const Expected& e : entry.second)
      low = std::min(low, e.bottom), high = std::max(high, e.top);
    for (Expected e : entry.second) {
      const double top = low + high - e.top, bottom = low + high - e.bottom;
      e.top = top, e.bottom = bottom;
      files[entry.first].outlines.push_back(e);
    }
  }
  return files;
}

bool Near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

TEST(ExternalFiles, DrawingsOfOtherProgramsKeepEveryOutlineTheyHold) {
  std::map<std::string, FileExpectation> files = ReadManifest();
  ASSERT_GE(files.size(), 8u) << "the files made by make_fixtures.py are missing";
  for (const auto& entry : files) {
    const std::string& name = entry.first;
    const FileExpectation& expected = entry.second;
    ImportFilterReport report;
    HGLOBAL record = CFilterRead::Read((std::string(kFolder) + name).c_str(), 0.0f, &report);
    Reading reading = Unpack(record, report);
    if (expected.refused != kImportRead) {
      ExpectNothingRead(reading, expected.refused, 0, name);
      continue;
    }
    ASSERT_TRUE(reading.read) << name << ": problem " << report.problem << " line " << report.line;
    EXPECT_EQ(expected.images, report.images) << name;
    EXPECT_EQ(expected.texts, report.texts) << name;
    if (!expected.more) {
      EXPECT_EQ(expected.outlines.size(), reading.curves.size()) << name;
    }

    // The first outline (the only one of its size) tells where the reader put the drawing.
    const Expected& first = expected.outlines[0];
    double dx = 0, dy = 0;
    bool found = false;
    for (const Curve& c : reading.curves) {
      if (Near(c.box.Width(), first.right - first.left, kStep) &&
          Near(c.box.Height(), first.bottom - first.top, kStep)) {
        dx = c.box.left - first.left, dy = c.box.top - first.top;
        found = true;
        break;
      }
    }
    ASSERT_TRUE(found) << name << ": no outline of the first one's size";
    for (const Expected& e : expected.outlines) {
      const Curve* match = nullptr;
      for (const Curve& c : reading.curves) {
        if (Near(c.box.left, e.left + dx, kStep) && Near(c.box.top, e.top + dy, kStep) &&
            Near(c.box.right, e.right + dx, kStep) && Near(c.box.bottom, e.bottom + dy, kStep))
          match = &c;
      }
      ASSERT_NE(nullptr, match) << name << ": no outline at " << e.left << ", " << e.top << " - "
                                << e.right << ", " << e.bottom;
      if (e.area >= 0) {
        const double edge = 2 * ((e.right - e.left) + (e.bottom - e.top));
        EXPECT_NEAR(e.area, match->area, edge * kStep) << name << " at " << e.left << ", " << e.top;
      }
      if (e.colour >= 0) {
        EXPECT_EQ(static_cast<DWORD>(e.colour), match->colour) << name << " at " << e.left;
        EXPECT_TRUE(match->solid) << name << " at " << e.left;
      }
    }
  }
}

}  // namespace
