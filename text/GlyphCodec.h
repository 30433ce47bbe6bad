// CGlyphCodec: writes and reads the compact glyph records of the own font files and the graphics
// libraries. A record is an int32 length L (the whole record, these 4 bytes included) and a body
// in one of three encodings chosen by the file's format version; the same rule serves the encoder
// and the decoder (EncodingOf), so whatever a version writes, that version reads back:
//   A (below 6.0): per-point flags with repeats and byte or 16-bit deltas, x then y per point;
//   B (6.0 to 6.09): step kinds (line or curve) as bits, a 4-bit code per point and a bit stream
//     of deltas of the glyph's own width w;
//   C (above 6.09, below 6.11): B behind a header with the glyph's box size before normalising
//     and an optional name.
// Decoded outlines are CContours in glyph units (1024 per em, y down) with the flags 0x11 (first
// point of a contour), 1 (on-curve), 0 (control), 0x41 (last point, on the first) and 0x21 (last
// point elsewhere), then the end mark. Every decoder checks the counts, the contour ends and every
// offset against the body it is given and returns null for damaged data; the encoder refuses
// (returns 0) an outline it cannot store rather than write past its buffers.
#pragma once

#include <windows.h>

#include <cstddef>

#include "text/GlyphFormat.h"

class CContour;
class CMatrix2D;

class CGlyphCodec {
public:
  enum Encoding {
    kEncodingA = glyphformat::kEncodingA,
    kEncodingB = glyphformat::kEncodingB,
    kEncodingC = glyphformat::kEncodingC,
    kNoEncoding = glyphformat::kNoEncoding
  };
  // The coordinate stream of one glyph holds at most this many bytes.
  static constexpr size_t kMaxCoordinateBytes = glyphformat::kMaxCoordinateBytes;
  // No record a glyph can produce is longer; readers refuse longer lengths before allocating.
  static constexpr DWORD kMaxRecordLength = glyphformat::kMaxRecordLength;

  // The encoding of a format version, for writing and reading alike.
  static Encoding EncodingOf(float version);
  // Whether records of a version can be written at all (6.11 and above cannot).
  static bool CanEncode(float version) { return EncodingOf(version) != kNoEncoding; }

  CGlyphCodec() = default;

  // Encoding C scales every outline so that its larger side becomes this size first (0: not at
  // all).
  void SetNormalSize(float size) { m_normalSize = size; }
  float GetNormalSize() const { return m_normalSize; }

  // The outline of a record body (the bytes after the length word) of the version's encoding, each
  // point mapped by the matrix when one is given; null for damaged data or a version with no
  // encoding. The caller owns the result.
  CContour* Decode(const BYTE* body, size_t size, const CMatrix2D* matrix, float version) const;
  // The same for a body held in a movable global block.
  CContour* DecodeMemory(HGLOBAL block, const CMatrix2D* matrix, float version) const;
  // Encodes the outline in the version's encoding (through CGlyphEncoder) into a new movable
  // global block holding the whole record, length word first; returns L. 0 (and no block) when the
  // version has no encoding or the outline cannot be stored: no points, no movement at all,
  // coordinates or counts too large for the encoding. Encoding C with a normalising size scales the
  // caller's contour. The name is kept by encoding C only (may be null).
  int EncodeByVersion(CContour* contour, HGLOBAL* block, float version, LPCSTR name);

private:
  float m_normalSize = 0.0f;
};
