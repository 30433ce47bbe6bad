// CClipArtFile: a read-only clip-art collection file of an outside maker, one file per part of a
// collection, whose graphics the library builder copies into a graphics library. The file stays
// open between calls.
//
// Layout (little-endian): a 44-byte header of eleven u32 words, word 9 the number of graphics and
// word 10 the file offset of the directory; one 58-byte directory entry per graphic with the u32
// offset of its record at 38 and its u32 size at 42. A record is a u16 number of contours, each a
// run of segments ended by a u16 zero; a segment is a u16 tag and u16 coordinates: tag 0x55AB a
// straight line (start x, y, end x, y), the tags whose value xor 0x55AA is 6 or 7 skipped (nine
// words), any other a cubic Bezier (start, two controls, end). Each segment is taken to start where
// the one before it ended.
//
// Everything is checked against the file: a directory that does not lie inside it fails the open,
// a record outside it or running past its own end gives no graphic, and a graphic of no extent is
// not scaled but skipped.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/String.h"
#include "media/library/LibraryFileAccess.h"

class CCurveBlock;

class CClipArtFile {
public:
  static constexpr size_t kHeaderSize = 44;
  static constexpr size_t kEntrySize = 58;
  static constexpr float kGraphicSize = 4096.0f;
  // No graphic record of a collection is larger; a size beyond it is taken for damage.
  static constexpr DWORD kLargestRecord = 1u << 20;
  // Zero bytes read after every record.
  static constexpr size_t kRecordPadding = 10;
  // Points of one graphic; more than a curve may hold is taken for damage.
  static constexpr int kMostPoints = 60000;
  enum Problem { kNoProblem, kCannotOpen, kDamaged };

  CClipArtFile();
  ~CClipArtFile();
  CClipArtFile(const CClipArtFile&) = delete;
  CClipArtFile& operator=(const CClipArtFile&) = delete;

  // Closes any open file and opens the new one; false when it does not open or its header or
  // directory does not lie inside it (GetProblem says which).
  BOOL Open(LPCSTR path);
  void Close();
  int GetCount() const { return static_cast<int>(m_count); }
  LPCSTR GetPath() const { return m_path; }
  Problem GetProblem() const { return m_problem; }

  // Graphic i as a new curve, scaled about the origin so that its larger side measures 4096
  // units; null for i outside 0..count-1, a damaged record and a graphic of no extent.
  CCurveBlock* ReadGraphic(int i);
  // The curve of one record; null for a record without contours or one that runs past its end.
  static CCurveBlock* GlyphToCurve(const BYTE* record, size_t size);

private:
  CLibraryFileAccess m_file;
  CString m_path;
  DWORD m_count = 0;
  DWORD m_directory = 0;
  Problem m_problem = kNoProblem;
};
