// Helpers shared by the curve, group and block-list tests: curves from point lists, records as
// bytes, and the bytes of little-endian fields for golden records.
#pragma once

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/blocks/Block.h"
#include "model/blocks/CurveBlock.h"

struct CurvePoint {
  float x, y;
  BYTE flags;
};

inline CCurveBlock* MakeCurve(std::initializer_list<CurvePoint> points, DWORD colour = 0,
                              bool end = true) {
  CCurveBlock* curve = new CCurveBlock;
  for (const CurvePoint& p : points) curve->AddPoint(p.x, p.y, p.flags);
  if (end) curve->EndCurve();
  curve->SetColour(nullptr, colour, FALSE);
  return curve;
}

// A closed square with its top-left corner at (x, y).
inline CCurveBlock* MakeSquareCurve(float x, float y, float size, DWORD colour = 0) {
  CCurveBlock* curve = new CCurveBlock;
  curve->AddRectangle(x, y, x + size, y + size);
  curve->EndCurve();
  curve->SetColour(nullptr, colour, FALSE);
  return curve;
}

inline std::vector<BYTE> RecordOf(CBlock& block) {
  HGLOBAL memory = nullptr;
  int length = block.WriteRecord(&memory);
  std::vector<BYTE> bytes;
  if (!memory) return bytes;
  {
    CGlobalLock lock(memory);
    if (length > 0) bytes.assign(lock.Data(), lock.Data() + length);
  }
  ::GlobalFree(memory);
  return bytes;
}

// Little-endian field bytes for writing expected records out by hand.
class GoldenBytes {
public:
  GoldenBytes& Byte(BYTE value) {
    m_bytes.push_back(value);
    return *this;
  }
  GoldenBytes& Word(WORD value) { return Raw(&value, 2); }
  GoldenBytes& DWord(DWORD value) { return Raw(&value, 4); }
  GoldenBytes& Float(float value) { return Raw(&value, 4); }
  GoldenBytes& Floats(std::initializer_list<float> values) {
    for (float value : values) Float(value);
    return *this;
  }
  GoldenBytes& Identity() { return Floats({1, 0, 0, 0, 1, 0, 0, 0, 1}); }
  GoldenBytes& Bytes(const std::vector<BYTE>& more) {
    m_bytes.insert(m_bytes.end(), more.begin(), more.end());
    return *this;
  }
  const std::vector<BYTE>& Get() const { return m_bytes; }

private:
  GoldenBytes& Raw(const void* data, size_t size) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    return *this;
  }

  std::vector<BYTE> m_bytes;
};
