// CDocFileV56: reads a version-5.6 drawing (".T37") for merging and converts its body into a
// version-6 block-list record (CV56BodyConverter). The file opens with a 164-byte header that
// begins with "Talvex V5.6 (For 95)" and holds at byte 52 the offset of the body, which runs to the
// end of the file.
//
// The body offset is checked against the file and the body's size is bounded before memory is
// taken; a body that does not convert is reported as kDamaged, never as a file that merged nothing.
#pragma once

#include <cstddef>

#include "model/document/DataFile.h"

class CDocFileV56 : public CDataFile {
public:
  static constexpr UINT kHeaderSize = 164;
  static constexpr size_t kBodyOffsetField = 52;
  // No drawing of that age comes near this; a larger body is taken as damage.
  static constexpr ULONGLONG kLargestBody = 64 * 1024 * 1024;

  CDocFileV56() = default;
  ~CDocFileV56() override;
  CDocFileV56(const CDocFileV56&) = delete;
  CDocFileV56& operator=(const CDocFileV56&) = delete;

  // Reads and converts the file at path (or the stored path when null); on 0, *record holds the
  // block-list record in new movable memory (the caller frees it), else null.
  int ReadFile(HGLOBAL* record, LPCSTR path);

  int CheckHeader() override;
  HGLOBAL ReadBody() override;
  int Parse(HGLOBAL* result, HGLOBAL body) override;

private:
  BYTE m_header[kHeaderSize] = {};
  size_t m_bodySize = 0;
};
