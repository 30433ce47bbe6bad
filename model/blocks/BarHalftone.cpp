#include "model/blocks/BarHalftone.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

namespace {

// Each row's weight gives up this much, so that rows summed over a bar stay below 256.
const double kWeightMargin = 0.0025;
const double kWhite = 255.0;

struct GlobalFreer {
  void operator()(void* memory) const { ::GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;

using GreyTable = std::array<double, 256>;

// Palette greys by luminance; entries past the table are black.
GreyTable GreysOf(HGLOBAL palette, int colours) {
  GreyTable greys{};
  CGlobalLock lock(palette);
  size_t entries = lock.Data() ? std::min<size_t>(lock.Size() / 4, greys.size()) : 0;
  entries = std::min<size_t>(entries, static_cast<size_t>(std::max(colours, 0)));
  for (size_t i = 0; i < entries; ++i) {
    const BYTE* entry = lock.Data() + 4 * i;  // blue, green, red, 0
    greys[i] = 0.299 * entry[2] + 0.587 * entry[1] + 0.114 * entry[0];
  }
  return greys;
}

// The bar's grey levels: the rows it covers weighted by the share of each inside it.
void AverageRows(const BYTE* rows, size_t stride, int height, double firstRow, double rowsPerBar,
                 const GreyTable& greys, std::vector<double>& values) {
  std::fill(values.begin(), values.end(), 0.0);
  const double lastRow = firstRow + rowsPerBar;
  const int end = std::min(height, static_cast<int>(std::ceil(lastRow)));
  for (int row = static_cast<int>(std::floor(firstRow)); row < end; ++row) {
    double share = std::min(row + 1.0, lastRow) - std::max(static_cast<double>(row), firstRow);
    double weight = std::min(1.0, share / rowsPerBar - kWeightMargin);
    if (weight <= 0.0) continue;
    const BYTE* pixels = rows + stride * static_cast<size_t>(row);
    for (size_t x = 0; x < values.size(); ++x) values[x] += weight * greys[pixels[x]];
  }
  for (double& value : values) value = std::min(value, kWhite);
}

// The distance of (j, v[j]) from the line through (a, v[a]) and (a + 1, v[a + 1]).
double DistanceFromLine(const std::vector<double>& v, size_t a, size_t j) {
  double slope = v[a + 1] - v[a];
  double dx = static_cast<double>(j - a), dy = v[j] - v[a];
  return std::fabs(dx * slope - dy) / std::sqrt(1.0 + slope * slope);
}

struct BarGeometry {
  float barHeight;
  float thinnest;  // page units
  float perGrey;   // page units per grey level
  float pixel;     // one page unit in pixel columns
  double threshold;
};

// One bar's closed outline: the top edge across the whole width, the lower edge simplified.
int AppendBar(CCurveBlock& curve, const std::vector<double>& v, float top, const BarGeometry& g) {
  const float width = static_cast<float>(v.size());
  const float centre = top + g.barHeight / 2.0f;
  auto edge = [&](size_t i) { return top + g.thinnest + static_cast<float>(v[i]) * g.perGrey; };
  int count = 0;
  auto add = [&](float x, float y, BYTE flags) {
    curve.AddPointNoBounds(MakePointRecord(x, y, flags));
    ++count;
  };
  add(width + 1.0f, centre, kPointStart | kPointOnCurve);
  add(width + 1.0f + g.pixel, centre, kPointOnCurve);
  add(width + 1.0f + g.pixel, top, kPointOnCurve);
  add(0.0f, top, kPointOnCurve);
  add(0.0f, centre, kPointOnCurve);
  add(g.pixel, edge(0), kPointOnCurve);
  size_t kept = 0;
  for (size_t j = 2; j < v.size(); ++j) {
    if (DistanceFromLine(v, kept, j) > g.threshold || j == v.size() - 1) {
      add(static_cast<float>(j - 1), edge(j - 1), kPointOnCurve);
      kept = j - 1;
    }
  }
  add(width + 1.0f, centre, kPointClose | kPointOnCurve);
  return count;
}

}  // namespace

BarSettings BarSettings::FromProfile() {
  using namespace settings;
  CAppProfile profile;
  profile.Attach();
  BarSettings read;
  read.barHeight = profile.GetFloat(kImage, kBarHeight, kBarHeightDefault);
  read.minPercent = profile.GetInt(kImage, kBarMinHeight, kBarMinHeightDefault);
  read.maxPercent = profile.GetInt(kImage, kBarMaxHeight, kBarMaxHeightDefault);
  read.grayThreshold = profile.GetInt(kImage, kGrayThreshold, kGrayThresholdDefault);
  return read;
}

CCurveBlock* MakeBarHalftoneCurve(CImageBlock* image) {
  return MakeBarHalftoneCurve(image, BarSettings::FromProfile());
}

CCurveBlock* MakeBarHalftoneCurve(CImageBlock* image, const BarSettings& settings) {
  RasterImageInfo info;
  if (!image || !image->ReadImage(&info) || info.bitsPerPixel != 8) return nullptr;
  GlobalMemory bits(image->ReadBits(true));
  if (!bits) return nullptr;
  GlobalMemory palette(image->ReadPalette());
  const GreyTable greys = GreysOf(palette.get(), image->GetColorCount());

  const CFRect& box = image->m_box;
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  curve->m_box = box;
  curve->m_matrix.m[6] = box.left;
  curve->m_matrix.m[7] = box.top;
  const float barHeight = settings.barHeight;
  const int bars = barHeight > 0.0f ? static_cast<int>(std::fabs(box.bottom - box.top) / barHeight)
                                    : 0;
  const double rowsPerBar = bars > 0 ? static_cast<double>(info.height) / bars : 0.0;
  if (bars < 1 || rowsPerBar < 1.0 || info.width < 1) {
    curve->EndCurve();
    return curve.release();
  }
  const size_t stride = (static_cast<size_t>(info.width) + 3) & ~static_cast<size_t>(3);
  CGlobalLock rows(bits.get());
  if (!rows.Data() || rows.Size() < stride * static_cast<size_t>(info.height)) return nullptr;

  const float xScale = static_cast<float>(barHeight / rowsPerBar);
  curve->m_matrix.m[0] = xScale;
  BarGeometry geometry;
  geometry.barHeight = barHeight;
  geometry.thinnest = settings.minPercent * barHeight * 0.01f;
  geometry.perGrey = barHeight * (settings.maxPercent - settings.minPercent) * 0.01f / 255.0f;
  geometry.pixel = 1.0f / xScale;
  geometry.threshold = settings.grayThreshold;
  std::vector<double> values(static_cast<size_t>(info.width));
  int points = 0;
  for (int i = 0; i < bars; ++i) {
    AverageRows(rows.Data(), stride, info.height, i * rowsPerBar, rowsPerBar, greys, values);
    points += AppendBar(*curve, values, i * barHeight, geometry);
    // A curve record holds so many points and no more; such bars could not be stored.
    if (points >= kMaxPointRecords) return nullptr;
  }
  curve->EndCurve();
  return curve.release();
}
