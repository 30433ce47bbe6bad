#include "text/GlyphCodec.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/ByteReader.h"
#include "framework/GlobalLock.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "text/GlyphEncoder.h"
#include "text/GlyphFormat.h"

using namespace glyphformat;

namespace {

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

HGLOBAL RecordBlock(const std::vector<BYTE>& record) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, record.size());
  if (!block) return nullptr;
  CGlobalLock lock(block);
  if (!lock.Data()) {
    ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(lock.Data(), record.data(), record.size());
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
  return static_cast<Encoding>(glyphformat::EncodingOf(version));
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
  if (!contour || !block || EncodingOf(version) == kNoEncoding) return 0;
  contour->ApplyMatrix();
  std::vector<BYTE> record;
  int length = CGlyphEncoder::Encode(contour->GetPoints(), version, m_normalSize, name, record);
  // The caller's outline is normalised like the stored one.
  float width = 0, height = 0;
  if (EncodingOf(version) == kEncodingC && BoxOfContour(contour, width, height))
    Normalise(contour, m_normalSize, width, height);
  if (length <= 0) return 0;
  *block = RecordBlock(record);
  return *block ? length : 0;
}
