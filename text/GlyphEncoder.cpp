#include "text/GlyphEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/ByteWriter.h"
#include "text/GlyphFormat.h"

using namespace glyphformat;

namespace {

struct GlyphPoint {
  int x;
  int y;
  bool control;
};

// The outline as the encodings see it: points, one kind per step, the index of each contour's
// last point.
struct GlyphSteps {
  std::vector<GlyphPoint> points;
  std::vector<bool> curveSteps;
  std::vector<size_t> ends;
  bool HasCurves() const {
    for (bool curve : curveSteps)
      if (curve) return true;
    return false;
  }
};

bool Truncate(float value, int& out) {
  if (!std::isfinite(value) || std::fabs(static_cast<double>(value)) >= kMaxCoordinate)
    return false;
  out = static_cast<int>(value);
  return true;
}

bool IsClosedEnd(BYTE flags) {
  BYTE sub = SubpathBitsOf(flags) & 0x60;
  return sub == kPointClose || sub == (kPointClose | kPointOpenEnd);
}

// Takes the points up to the end mark, leaving out pen-colour records, as line and curve steps;
// a closed contour whose last point is not on its start gets a line step back to it.
bool CollectSteps(const std::vector<POINTREC>& records, GlyphSteps& steps) {
  std::vector<POINTREC> points;
  for (const POINTREC& record : records) {
    if (record.flags == kPointEnd) break;
    if (!IsSpecialPoint(record.flags)) points.push_back(record);
  }
  GlyphPoint start = {0, 0, false};
  size_t i = 0;
  while (i < points.size()) {
    bool curve = !(points[i].flags & kPointOnCurve);
    size_t count = curve ? 3 : 1;
    if (i + count > points.size()) return false;
    for (size_t k = 0; k < count; ++k) {
      GlyphPoint point = {0, 0, curve && k < 2};
      if (!Truncate(points[i + k].x, point.x) || !Truncate(points[i + k].y, point.y)) return false;
      steps.points.push_back(point);
    }
    steps.curveSteps.push_back(curve);
    const POINTREC& last = points[i + count - 1];
    const GlyphPoint& end = steps.points.back();
    if (!curve && (last.flags & kPointStart)) start = end;
    if (IsClosedEnd(last.flags) && (end.x != start.x || end.y != start.y)) {
      steps.points.push_back({start.x, start.y, false});
      steps.curveSteps.push_back(false);
    }
    if (SubpathBitsOf(last.flags) & (kPointOpenEnd | kPointClose))
      steps.ends.push_back(steps.points.size() - 1);
    i += count;
  }
  if (steps.points.empty()) return false;
  // A last contour left unterminated still ends with the outline.
  if (steps.ends.empty() || steps.ends.back() != steps.points.size() - 1)
    steps.ends.push_back(steps.points.size() - 1);
  return steps.ends.size() <= 0xFFFF && steps.points.size() < static_cast<size_t>(kMaxPointRecords);
}

int BitLength(unsigned value) {
  int bits = 0;
  while (value) {
    ++bits;
    value >>= 1;
  }
  return bits;
}

// Largest absolute delta between consecutive points, from (0, 0).
unsigned LargestDelta(const GlyphSteps& steps) {
  unsigned largest = 0;
  int x = 0, y = 0;
  for (const GlyphPoint& point : steps.points) {
    unsigned dx = static_cast<unsigned>(std::abs(point.x - x));
    unsigned dy = static_cast<unsigned>(std::abs(point.y - y));
    if (dx > largest) largest = dx;
    if (dy > largest) largest = dy;
    x = point.x;
    y = point.y;
  }
  return largest;
}

// Bits appended least significant first; refuses to grow past its limit.
class BitStream {
public:
  explicit BitStream(size_t maxBytes) : m_maxBytes(maxBytes), m_bits(0) {}
  bool Append(uint64_t value, int count) {
    if ((m_bits + count + 7) / 8 > m_maxBytes) return false;
    for (int i = 0; i < count; ++i, ++m_bits) {
      if (m_bits % 8 == 0) m_bytes.push_back(0);
      if ((value >> i) & 1) m_bytes.back() |= static_cast<BYTE>(1 << (m_bits % 8));
    }
    return true;
  }
  const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
  size_t m_maxBytes;
  size_t m_bits;
  std::vector<BYTE> m_bytes;
};

int KindOf(int delta) {
  if (delta == 0) return kSame;
  if (delta > -256 && delta < 256) return delta > 0 ? kAddByte : kSubtractByte;
  return kWide;
}

uint64_t FieldOf(int delta, int kind, int width) {
  unsigned magnitude = static_cast<unsigned>(std::abs(delta));
  if (kind == kWide) return magnitude | (delta < 0 ? uint64_t(1) << width : 0);
  return kind == kSame ? 0 : magnitude;
}

// Encoding B from the contour ends on, behind the flags and the contour count that the caller
// writes where its encoding keeps them.
bool WriteStepsB(const GlyphSteps& steps, int width, CByteWriter& out) {
  bool written = true;
  for (size_t end : steps.ends) written = written && out.WriteWord(static_cast<WORD>(end & 0xFFFF));
  if (steps.HasCurves()) {
    std::vector<BYTE> kinds((steps.curveSteps.size() + 7) / 8);
    for (size_t i = 0; i < steps.curveSteps.size(); ++i)
      if (steps.curveSteps[i]) kinds[i / 8] |= static_cast<BYTE>(0x80 >> (i % 8));
    written = written && out.WriteBytes(kinds.data(), kinds.size());
  }
  std::vector<BYTE> codes((steps.points.size() + 1) / 2);
  BitStream stream(kMaxCoordinateBytes);
  int x = 0, y = 0;
  for (size_t i = 0; i < steps.points.size(); ++i) {
    int dx = steps.points[i].x - x, dy = steps.points[i].y - y;
    int xKind = KindOf(dx), yKind = KindOf(dy);
    codes[i / 2] |= static_cast<BYTE>((xKind | yKind << 2) << (i % 2 ? 0 : 4));
    int yBits = KindBits(yKind, width);
    uint64_t field = FieldOf(dx, xKind, width) << yBits | FieldOf(dy, yKind, width);
    if (!stream.Append(field, KindBits(xKind, width) + yBits)) return false;
    x = steps.points[i].x;
    y = steps.points[i].y;
  }
  written = written && out.WriteBytes(codes.data(), codes.size());
  return written &&
         (stream.Bytes().empty() || out.WriteBytes(stream.Bytes().data(), stream.Bytes().size()));
}

BYTE FlagsOf(const GlyphSteps& steps, int width) {
  return static_cast<BYTE>(width | (steps.HasCurves() ? 0 : kNoCurvesFlag));
}

bool WriteBodyB(const GlyphSteps& steps, int width, CByteWriter& out) {
  return out.WriteByte(FlagsOf(steps, width)) &&
         out.WriteWord(static_cast<WORD>(steps.ends.size())) && WriteStepsB(steps, width, out);
}

BYTE PointFlagA(int dx, int dy, bool onCurve) {
  BYTE flag = onCurve ? kAOnCurve : 0;
  if (dx == 0)
    flag |= kAXSame;
  else if (dx > -256 && dx < 256)
    flag |= kAXByte | (dx < 0 ? kAXSame : 0);
  if (dy == 0)
    flag |= kAYSame;
  else if (dy > -256 && dy < 256)
    flag |= kAYByte | (dy < 0 ? kAYSame : 0);
  return flag;
}

bool WriteDeltaA(CByteWriter& out, int delta, BYTE flag, BYTE byteBit) {
  if (flag & byteBit) return out.WriteByte(static_cast<BYTE>(std::abs(delta)));
  if (delta == 0) return true;
  if (delta < -32768 || delta > 32767) return false;
  return out.WriteInt16(static_cast<short>(delta));
}

bool WriteBodyA(const GlyphSteps& steps, CByteWriter& out) {
  // End counts are 16 bits: the last point's number must fit.
  if (steps.points.size() > 0xFFFF) return false;
  bool written = out.WriteZeros(kUnreadBytesA) &&
                 out.WriteWord(static_cast<WORD>(steps.ends.size()));
  for (size_t end : steps.ends) written = written && out.WriteWord(static_cast<WORD>(end + 1));
  std::vector<BYTE> flags;
  int x = 0, y = 0;
  for (const GlyphPoint& point : steps.points) {
    flags.push_back(PointFlagA(point.x - x, point.y - y, !point.control));
    x = point.x;
    y = point.y;
  }
  for (size_t i = 0; i < flags.size();) {
    size_t run = 1;
    while (i + run < flags.size() && flags[i + run] == flags[i] && run < 255) ++run;
    if (run >= 3) {
      written = written && out.WriteByte(flags[i] | kARepeat) &&
                out.WriteByte(static_cast<BYTE>(run));
    } else {
      run = 1;
      written = written && out.WriteByte(flags[i]);
    }
    i += run;
  }
  x = y = 0;
  for (size_t i = 0; i < steps.points.size() && written; ++i) {
    int dx = steps.points[i].x - x, dy = steps.points[i].y - y;
    written = WriteDeltaA(out, dx, flags[i], kAXByte) && WriteDeltaA(out, dy, flags[i], kAYByte);
    x = steps.points[i].x;
    y = steps.points[i].y;
  }
  return written;
}

// The points up to the end mark without the special records.
std::vector<POINTREC> PlainPoints(const std::vector<POINTREC>& records) {
  std::vector<POINTREC> points;
  for (const POINTREC& record : records) {
    if (record.flags == kPointEnd) break;
    if (!IsSpecialPoint(record.flags)) points.push_back(record);
  }
  return points;
}

// Scales the points about the origin so that the larger side of their box is size.
void Normalise(std::vector<POINTREC>& points, float size, float width, float height) {
  float larger = std::max(width, height);
  if (size == 0 || larger <= 0) return;
  float factor = size / larger;
  for (POINTREC& point : points) {
    if (IsSpecialPoint(point.flags)) continue;
    point.x *= factor;
    point.y *= factor;
  }
}

bool WriteBodyC(const GlyphSteps& steps, int width, float boxWidth, float boxHeight,
                const char* name, CByteWriter& out) {
  if (boxWidth > 0xFFFF || boxHeight > 0xFFFF) return false;
  WORD truncatedWidth = static_cast<WORD>(boxWidth);
  WORD truncatedHeight = static_cast<WORD>(boxHeight);
  size_t nameLength = name ? std::min(std::strlen(name), kMaxNameLength) : 0;
  size_t endsAt = kRecordHeadC + (name ? nameLength + 1 : 0);
  bool written = out.WriteWord(kHeaderCMark) && out.WriteWord(static_cast<WORD>(endsAt)) &&
                 out.WriteWord(truncatedWidth) && out.WriteWord(truncatedHeight) &&
                 out.WriteByte(FlagsOf(steps, width)) &&
                 out.WriteWord(static_cast<WORD>(steps.ends.size()));
  if (name) written = written && out.WriteBytes(name, nameLength) && out.WriteByte(0);
  return written && WriteStepsB(steps, width, out);
}

}  // namespace

bool CGlyphEncoder::BoxSize(const std::vector<POINTREC>& points, float& width, float& height) {
  std::vector<POINTREC> plain = PlainPoints(points);
  if (plain.empty()) return false;
  float left = plain[0].x, right = left, top = plain[0].y, bottom = top;
  for (const POINTREC& point : plain) {
    left = std::min(left, point.x);
    right = std::max(right, point.x);
    top = std::min(top, point.y);
    bottom = std::max(bottom, point.y);
  }
  width = right - left;
  height = bottom - top;
  return true;
}

int CGlyphEncoder::Encode(const std::vector<POINTREC>& points, float version, float normalSize,
                          const char* name, std::vector<BYTE>& record) {
  record.clear();
  Encoding encoding = EncodingOf(version);
  if (encoding == kNoEncoding) return 0;
  std::vector<POINTREC> scaled = points;
  float boxWidth = 0, boxHeight = 0;
  if (encoding == kEncodingC) {
    if (!BoxSize(points, boxWidth, boxHeight)) return 0;
    Normalise(scaled, normalSize, boxWidth, boxHeight);
  }
  GlyphSteps steps;
  if (!CollectSteps(scaled, steps)) return 0;
  unsigned largest = LargestDelta(steps);
  if (largest == 0) return 0;
  int width = BitLength(largest);

  CByteWriter body(kMaxRecordLength - 4);
  bool written = false;
  if (encoding == kEncodingA)
    written = WriteBodyA(steps, body);
  else if (encoding == kEncodingB)
    written = WriteBodyB(steps, width, body);
  else
    written = WriteBodyC(steps, width, boxWidth, boxHeight, name, body);
  if (!written) return 0;
  CByteWriter whole(kMaxRecordLength);
  if (!whole.WriteInt32(static_cast<int>(body.Size() + 4)) ||
      !whole.WriteBytes(body.Data(), body.Size()))
    return 0;
  record.assign(whole.Data(), whole.Data() + whole.Size());
  return static_cast<int>(record.size());
}
