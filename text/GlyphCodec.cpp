#include "text/GlyphCodec.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"

namespace {

const float kFirstVersionB = 6.0f;
const float kLastVersionB = 6.09f;
const float kFirstVersionWithout = 6.11f;

const BYTE kNoCurvesFlag = 0x80;
const BYTE kWidthMask = 0x3F;
// Widths above this cannot come from an encoder (coordinates are limited below) and would make a
// field wider than 64 bits.
const int kMaxWidth = 30;
// Truncated coordinates beyond this are refused, so that no delta needs more than kMaxWidth bits.
const double kMaxCoordinate = 1 << 24;
const WORD kHeaderCMark = 15;
const size_t kHeaderCSize = 11;  // body bytes before the name
const size_t kRecordHeadC = 15;  // length word + header
const size_t kMaxNameLength = 255;
const size_t kUnreadBytesA = 8;

// Point flags of encoding A.
const BYTE kAOnCurve = 0x01;
const BYTE kAXByte = 0x02;
const BYTE kAYByte = 0x04;
const BYTE kARepeat = 0x08;
const BYTE kAXSame = 0x10;
const BYTE kAYSame = 0x20;

// Delta kinds of a point code.
enum DeltaKind { kWide = 0, kAddByte = 1, kSame = 2, kSubtractByte = 3 };

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

class BitReader {
public:
  BitReader(const BYTE* data, size_t size) : m_data(data), m_size(size), m_bit(0) {}
  bool Read(int count, uint64_t& value) {
    if (count < 0 || count > 64 || m_bit + count > m_size * 8) return false;
    value = 0;
    for (int i = 0; i < count; ++i, ++m_bit)
      if ((m_data[m_bit / 8] >> (m_bit % 8)) & 1) value |= uint64_t(1) << i;
    return true;
  }

private:
  const BYTE* m_data;
  size_t m_size;
  size_t m_bit;
};

int KindBits(int kind, int width) {
  if (kind == kSame) return 0;
  if (kind == kWide) return width + 1;
  return 8;
}

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

int DeltaOf(uint64_t field, int kind, int width) {
  switch (kind) {
    case kWide: {
      int magnitude = static_cast<int>(field & ((uint64_t(1) << width) - 1));
      return (field >> width) & 1 ? -magnitude : magnitude;
    }
    case kAddByte:
      return static_cast<int>(field);
    case kSubtractByte:
      return -static_cast<int>(field);
    default:
      return 0;
  }
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
  BitStream stream(CGlyphCodec::kMaxCoordinateBytes);
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

// The decoded points before the caller's matrix, with their flags.
using Decoded = std::vector<POINTREC>;

// Flag of a step's end point: the first of a contour, the last (on its start or not), or another.
class ContourMarker {
public:
  explicit ContourMarker(const std::vector<size_t>& ends) : m_ends(ends) {}
  BYTE Mark(size_t index, const POINTREC& point) {
    bool starts = m_afterEnd;
    m_afterEnd = false;
    if (starts) m_start = point;
    bool ends = m_next < m_ends.size() && m_ends[m_next] == index;
    if (ends) {
      ++m_next;
      m_afterEnd = true;
      if (starts) return kPointStart | kPointOnCurve;
      bool onStart = point.x == m_start.x && point.y == m_start.y;
      return (onStart ? kPointClose : kPointOpenEnd) | kPointOnCurve;
    }
    if (starts) return kPointStart | kPointOnCurve;
    // An end that lies on a control point is never reached: pass it.
    while (m_next < m_ends.size() && m_ends[m_next] < index) ++m_next;
    return kPointOnCurve;
  }

private:
  const std::vector<size_t>& m_ends;
  size_t m_next = 0;
  bool m_afterEnd = true;
  POINTREC m_start = {0, 0, 0};
};

// Contour ends of encodings B and C, counted upwards past each wrap at 65536.
bool ReadEndsB(CByteReader& reader, WORD count, std::vector<size_t>& ends) {
  if (count == 0) return false;
  size_t wraps = 0;
  WORD previous = 0;
  for (WORD i = 0; i < count; ++i) {
    WORD end = 0;
    if (!reader.ReadWord(end)) return false;
    if (i > 0 && end < previous) wraps += 0x10000;
    previous = end;
    ends.push_back(wraps + end);
  }
  return ends.back() + 1 < static_cast<size_t>(kMaxPointRecords);
}

// Encoding B's data from the contour ends on: reader stands at the ends.
bool DecodeStepsB(CByteReader& reader, BYTE flags, WORD contourCount, Decoded& out) {
  int width = flags & kWidthMask;
  if (width > kMaxWidth) return false;
  std::vector<size_t> ends;
  if (!ReadEndsB(reader, contourCount, ends)) return false;
  size_t pointCount = ends.back() + 1;
  bool curves = !(flags & kNoCurvesFlag);

  std::vector<bool> curveSteps;
  if (curves) {
    const BYTE* kinds = reader.Current();
    size_t covered = 0;
    while (covered < pointCount) {
      size_t step = curveSteps.size();
      if (step / 8 >= reader.Remaining()) return false;
      bool curve = (kinds[step / 8] >> (7 - step % 8)) & 1;
      curveSteps.push_back(curve);
      covered += curve ? 3 : 1;
    }
    if (covered != pointCount) return false;
    reader.Skip((curveSteps.size() + 7) / 8);
  } else {
    curveSteps.assign(pointCount, false);
  }
  size_t codeBytes = (pointCount + 1) / 2;
  if (codeBytes > reader.Remaining()) return false;
  const BYTE* codes = reader.Current();
  reader.Skip(codeBytes);
  BitReader stream(reader.Current(), reader.Remaining());

  ContourMarker marker(ends);
  int x = 0, y = 0;
  size_t index = 0;
  auto next = [&](POINTREC& point) {
    int code = (codes[index / 2] >> (index % 2 ? 0 : 4)) & 0x0F;
    int xKind = code & 3, yKind = code >> 2;
    int xBits = KindBits(xKind, width), yBits = KindBits(yKind, width);
    uint64_t field = 0;
    if (!stream.Read(xBits + yBits, field)) return false;
    x += DeltaOf(field >> yBits, xKind, width);
    y += DeltaOf(yBits ? field & ((uint64_t(1) << yBits) - 1) : 0, yKind, width);
    point = MakePointRecord(static_cast<float>(x), static_cast<float>(y), 0);
    return true;
  };
  for (bool curve : curveSteps) {
    POINTREC point;
    if (curve) {
      for (int k = 0; k < 2; ++k, ++index) {
        if (!next(point)) return false;
        out.push_back(point);
      }
    }
    if (!next(point)) return false;
    point.flags = marker.Mark(index++, point);
    out.push_back(point);
  }
  return true;
}

bool DecodeB(const BYTE* body, size_t size, Decoded& out) {
  CByteReader reader(body, size);
  BYTE flags = 0;
  WORD count = 0;
  return reader.ReadByte(flags) && reader.ReadWord(count) &&
         DecodeStepsB(reader, flags, count, out);
}

bool BoxOf(const Decoded& points, float& width, float& height) {
  if (points.empty()) return false;
  float left = points[0].x, right = left, top = points[0].y, bottom = top;
  for (const POINTREC& point : points) {
    left = std::min(left, point.x);
    right = std::max(right, point.x);
    top = std::min(top, point.y);
    bottom = std::max(bottom, point.y);
  }
  width = right - left;
  height = bottom - top;
  return true;
}

bool DecodeC(const BYTE* body, size_t size, Decoded& out) {
  CByteReader reader(body, size);
  WORD mark = 0, ends = 0, width = 0, height = 0, count = 0;
  BYTE flags = 0;
  if (!reader.ReadWord(mark) || mark != kHeaderCMark || !reader.ReadWord(ends) ||
      !reader.ReadWord(width) || !reader.ReadWord(height) || !reader.ReadByte(flags) ||
      !reader.ReadWord(count))
    return false;
  if (ends < kRecordHeadC || !reader.Seek(ends - 4u)) return false;
  if (!DecodeStepsB(reader, flags, count, out)) return false;
  float boxWidth = 0, boxHeight = 0;
  BoxOf(out, boxWidth, boxHeight);
  float sx = boxWidth > 0 ? width / boxWidth : 1.0f;
  float sy = boxHeight > 0 ? height / boxHeight : 1.0f;
  for (POINTREC& point : out) {
    point.x *= sx;
    point.y *= sy;
  }
  return true;
}

bool ReadDeltaA(CByteReader& reader, BYTE flag, BYTE byteBit, BYTE sameBit, int& delta) {
  if (flag & byteBit) {
    BYTE value = 0;
    if (!reader.ReadByte(value)) return false;
    delta = flag & sameBit ? -value : value;
    return true;
  }
  if (flag & sameBit) {
    delta = 0;
    return true;
  }
  short value = 0;
  if (!reader.ReadInt16(value)) return false;
  delta = value;
  return true;
}

bool DecodeA(const BYTE* body, size_t size, Decoded& out) {
  CByteReader reader(body, size);
  WORD count = 0;
  if (!reader.Skip(kUnreadBytesA) || !reader.ReadWord(count) || count == 0) return false;
  std::vector<size_t> ends;
  WORD previous = 0;
  for (WORD i = 0; i < count; ++i) {
    WORD endCount = 0;
    if (!reader.ReadWord(endCount) || endCount == 0 || endCount < previous) return false;
    previous = endCount;
    ends.push_back(endCount - 1u);
  }
  size_t pointCount = ends.back() + 1;
  std::vector<BYTE> flags;
  while (flags.size() < pointCount) {
    BYTE flag = 0;
    if (!reader.ReadByte(flag)) return false;
    flags.push_back(flag);
    if (!(flag & kARepeat)) continue;
    BYTE total = 0;
    if (!reader.ReadByte(total)) return false;
    for (int k = 1; k < total && flags.size() < pointCount; ++k) flags.push_back(flag);
  }
  ContourMarker marker(ends);
  int x = 0, y = 0, offCurveRun = 0;
  for (size_t i = 0; i < pointCount; ++i) {
    int dx = 0, dy = 0;
    if (!ReadDeltaA(reader, flags[i], kAXByte, kAXSame, dx) ||
        !ReadDeltaA(reader, flags[i], kAYByte, kAYSame, dy))
      return false;
    x += dx;
    y += dy;
    POINTREC point = MakePointRecord(static_cast<float>(x), static_cast<float>(y), 0);
    // Every third of a run of off-curve points ends a cubic piece.
    bool onCurve = (flags[i] & kAOnCurve) || ++offCurveRun == 3;
    if (onCurve) offCurveRun = 0;
    BYTE mark = marker.Mark(i, point);
    point.flags = onCurve || mark != kPointOnCurve ? mark : 0;
    out.push_back(point);
  }
  return true;
}

CContour* BuildContour(const Decoded& points, const CMatrix2D* matrix) {
  CContour* contour = new CContour;
  for (POINTREC point : points) {
    if (matrix) {
      const float* m = matrix->m;
      float x = point.x * m[0] + point.y * m[3] + m[6];
      point.y = point.x * m[1] + point.y * m[4] + m[7];
      point.x = x;
    }
    contour->AppendPoint(point);
  }
  contour->AppendEndMark();
  return contour;
}

HGLOBAL RecordBlock(const CByteWriter& body) {
  size_t length = body.Size() + 4;
  if (length > CGlyphCodec::kMaxRecordLength) return nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length);
  if (!block) return nullptr;
  CGlobalLock lock(block);
  if (!lock.Data()) {
    ::GlobalFree(block);
    return nullptr;
  }
  CByteWriter record(lock.Data(), length);
  record.WriteInt32(static_cast<int>(length));
  record.WriteBytes(body.Data(), body.Size());
  return block;
}

// Scales the contour's points about the origin so that the larger side of their box is size.
void Normalise(CContour* contour, float size, float width, float height) {
  float larger = std::max(width, height);
  if (size == 0 || larger <= 0) return;
  float factor = size / larger;
  CGlobalLock lock(contour->GetPointBlock());
  if (!lock.Data()) return;
  size_t count = std::min<size_t>(static_cast<size_t>(contour->GetCount()),
                                  lock.Size() / kPointRecordSize);
  for (size_t i = 0; i < count; ++i) {
    POINTREC record = LoadPointRecord(lock.Data(), i);
    if (IsSpecialPoint(record.flags)) continue;
    record.x *= factor;
    record.y *= factor;
    StorePointRecord(lock.Data(), i, record);
  }
}

// The box of the stored points, before truncation.
bool BoxOfContour(const CContour* contour, float& width, float& height) {
  Decoded points;
  for (const POINTREC& record : contour->GetPoints()) {
    if (record.flags == kPointEnd) break;
    if (!IsSpecialPoint(record.flags)) points.push_back(record);
  }
  return BoxOf(points, width, height);
}

}  // namespace

CGlyphCodec::Encoding CGlyphCodec::EncodingOf(float version) {
  if (!std::isfinite(version) || version >= kFirstVersionWithout) return kNoEncoding;
  if (version < kFirstVersionB) return kEncodingA;
  return version <= kLastVersionB ? kEncodingB : kEncodingC;
}

CContour* CGlyphCodec::Decode(const BYTE* body, size_t size, const CMatrix2D* matrix,
                              float version) const {
  if (!body) return nullptr;
  Decoded points;
  bool read = false;
  switch (EncodingOf(version)) {
    case kEncodingA:
      read = DecodeA(body, size, points) && points.size() + 1 >= 6;
      break;
    case kEncodingB:
      read = DecodeB(body, size, points);
      break;
    case kEncodingC:
      read = DecodeC(body, size, points);
      break;
    default:
      break;
  }
  return read ? BuildContour(points, matrix) : nullptr;
}

CContour* CGlyphCodec::DecodeMemory(HGLOBAL block, const CMatrix2D* matrix, float version) const {
  CGlobalLock lock(block);
  return lock.Data() ? Decode(lock.Data(), lock.Size(), matrix, version) : nullptr;
}

int CGlyphCodec::EncodeByVersion(CContour* contour, HGLOBAL* block, float version, LPCSTR name) {
  if (block) *block = nullptr;
  Encoding encoding = EncodingOf(version);
  if (!contour || !block || encoding == kNoEncoding) return 0;
  contour->ApplyMatrix();

  float boxWidth = 0, boxHeight = 0;
  if (encoding == kEncodingC) {
    if (!BoxOfContour(contour, boxWidth, boxHeight)) return 0;
    Normalise(contour, m_normalSize, boxWidth, boxHeight);
  }
  GlyphSteps steps;
  if (!CollectSteps(contour->GetPoints(), steps)) return 0;
  unsigned largest = LargestDelta(steps);
  if (largest == 0) return 0;
  int width = BitLength(largest);

  CByteWriter body(kMaxRecordLength);
  bool written = false;
  if (encoding == kEncodingA) {
    written = WriteBodyA(steps, body);
  } else if (encoding == kEncodingB) {
    written = WriteBodyB(steps, width, body);
  } else {
    WORD truncatedWidth = 0, truncatedHeight = 0;
    if (boxWidth > 0xFFFF || boxHeight > 0xFFFF) return 0;
    truncatedWidth = static_cast<WORD>(boxWidth);
    truncatedHeight = static_cast<WORD>(boxHeight);
    size_t nameLength = name ? std::min(std::strlen(name), kMaxNameLength) : 0;
    size_t endsAt = kRecordHeadC + (name ? nameLength + 1 : 0);
    written = body.WriteWord(kHeaderCMark) && body.WriteWord(static_cast<WORD>(endsAt)) &&
              body.WriteWord(truncatedWidth) && body.WriteWord(truncatedHeight) &&
              body.WriteByte(FlagsOf(steps, width)) &&
              body.WriteWord(static_cast<WORD>(steps.ends.size()));
    if (name) written = written && body.WriteBytes(name, nameLength) && body.WriteByte(0);
    written = written && WriteStepsB(steps, width, body);
  }
  if (!written) return 0;
  *block = RecordBlock(body);
  return *block ? static_cast<int>(body.Size() + 4) : 0;
}
