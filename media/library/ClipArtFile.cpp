#include "media/library/ClipArtFile.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/ByteReader.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Matrix2D.h"

namespace {

const size_t kCountOffset = 36;
const size_t kRecordOffsetInEntry = 38;
const WORD kTagMask = 0x55AA;
const WORD kLineKind = 1;
const WORD kSkippedKinds[] = {6, 7};
const int kLineWords = 4;
const int kSkippedWords = 9;
const int kBezierWords = 8;
const BYTE kStartFlags = 0x11;
const BYTE kOnCurve = 0x01;
const BYTE kControl = 0x00;

bool IsSkipped(WORD kind) { return kind == kSkippedKinds[0] || kind == kSkippedKinds[1]; }

bool ReadWords(CByteReader& in, WORD* words, int count) {
  for (int i = 0; i < count; ++i)
    if (!in.ReadWord(words[i])) return false;
  return true;
}

// One contour's segments into the curve; false when the record ends inside it or the curve grows
// past what it may hold.
bool ReadContour(CByteReader& in, CCurveBlock& curve, int& points) {
  bool started = false;
  for (;;) {
    WORD tag = 0;
    if (!in.ReadWord(tag)) return false;
    if (tag == 0) break;
    WORD kind = static_cast<WORD>(tag ^ kTagMask);
    WORD w[kSkippedWords];
    int words = kind == kLineKind ? kLineWords : IsSkipped(kind) ? kSkippedWords : kBezierWords;
    if (!ReadWords(in, w, words)) return false;
    if (IsSkipped(kind)) continue;
    if (!started) {
      curve.AddPoint(w[0], w[1], kStartFlags);
      started = true;
      ++points;
    }
    if (kind == kLineKind) {
      curve.AddPoint(w[2], w[3], kOnCurve);
      ++points;
    } else {
      curve.AddPoint(w[2], w[3], kControl);
      curve.AddPoint(w[4], w[5], kControl);
      curve.AddPoint(w[6], w[7], kOnCurve);
      points += 3;
    }
    if (points > CClipArtFile::kMostPoints) return false;
  }
  if (started) curve.CloseLastSubpath();
  return true;
}

}  // namespace

CClipArtFile::CClipArtFile() = default;

CClipArtFile::~CClipArtFile() { Close(); }

void CClipArtFile::Close() {
  m_file.Close();
  m_path.Empty();
  m_count = 0;
  m_directory = 0;
}

BOOL CClipArtFile::Open(LPCSTR path) {
  Close();
  m_problem = kNoProblem;
  if (!m_file.Open(path, CLibraryFileAccess::kRead)) {
    m_problem = kCannotOpen;
    return FALSE;
  }
  BYTE header[kHeaderSize];
  DWORD count = 0, directory = 0;
  CByteReader in(header, sizeof header);
  bool read = m_file.ReadAt(0, header, sizeof header) && in.Seek(kCountOffset) &&
              in.ReadDWord(count) && in.ReadDWord(directory);
  // The whole directory must lie inside the file.
  DWORD length = m_file.Length();
  if (!read || directory < kHeaderSize || directory > length ||
      count > (length - directory) / kEntrySize) {
    m_file.Close();
    m_problem = kDamaged;
    return FALSE;
  }
  m_path = path;
  m_count = count;
  m_directory = directory;
  return TRUE;
}

CCurveBlock* CClipArtFile::GlyphToCurve(const BYTE* record, size_t size) {
  CByteReader in(record, size);
  WORD contours = 0;
  // Every contour takes at least its closing zero word.
  if (!in.ReadWord(contours) || contours == 0 || contours > size / 2) return nullptr;
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  int points = 0;
  for (WORD c = 0; c < contours; ++c)
    if (!ReadContour(in, *curve, points)) return nullptr;
  if (points == 0) return nullptr;
  curve->EndCurve();
  return curve.release();
}

CCurveBlock* CClipArtFile::ReadGraphic(int i) {
  if (i < 0 || static_cast<DWORD>(i) >= m_count || !m_file.IsOpen()) return nullptr;
  BYTE entry[kEntrySize];
  DWORD offset = 0, size = 0;
  CByteReader in(entry, sizeof entry);
  if (!m_file.ReadAt(m_directory + static_cast<DWORD>(i) * kEntrySize, entry, sizeof entry) ||
      !in.Seek(kRecordOffsetInEntry) || !in.ReadDWord(offset) || !in.ReadDWord(size) || size == 0 ||
      size > kLargestRecord)
    return nullptr;
  // Collections hold records a few bytes shorter than their contours: the missing closing words
  // read as the zeros after them.
  std::vector<BYTE> record(size + kRecordPadding, 0);
  if (!m_file.ReadAt(offset, record.data(), size)) return nullptr;
  std::unique_ptr<CCurveBlock> curve(GlyphToCurve(record.data(), record.size()));
  if (!curve) return nullptr;
  float larger = std::max(curve->m_box.Width(), curve->m_box.Height());
  if (!(larger > 0.0f)) return nullptr;
  CMatrix2D scale;
  scale.m[0] = scale.m[4] = kGraphicSize / larger;
  curve->Transform(scale);
  return curve.release();
}
