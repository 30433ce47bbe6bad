#include "addons/importfilter/EpsReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "addons/importfilter/AiInterpreter.h"
#include "addons/importfilter/PsInterpreter.h"

namespace {

const unsigned char kDosSignature[4] = {0xC5, 0xD0, 0xD3, 0xC6};

unsigned long LittleEndian32(const char* bytes) {
  const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<unsigned long>(b[3]) << 24;
}

bool StartsWith(const char* text, size_t length, const char* prefix) {
  const size_t n = std::strlen(prefix);
  return length >= n && std::memcmp(text, prefix, n) == 0;
}

}  // namespace

bool CEpsReader::ParseBox(const char* text, size_t length, double box[4]) {
  char buffer[128];
  if (length >= sizeof buffer) return false;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  if (std::sscanf(buffer, "%lf %lf %lf %lf", &box[0], &box[1], &box[2], &box[3]) != 4) return false;
  for (int i = 0; i < 4; ++i)
    if (!(std::fabs(box[i]) < 1e7)) return false;
  return box[2] > box[0] && box[3] > box[1];
}

void CEpsReader::ReadComments(const char* data, size_t size) {
  double box[4], hiRes[4];
  bool hasBox = false, hasHiRes = false, boxAtEnd = false;
  // Looks at the comment lines of a stretch of the file; the last of each kind counts.
  auto scan = [&](size_t from, size_t to, bool header) {
    size_t at = from;
    while (at < to) {
      size_t end = at;
      while (end < to && data[end] != '\n' && data[end] != '\r') ++end;
      const char* line = data + at;
      const size_t length = end - at;
      if (header && (length == 0 || line[0] != '%' || StartsWith(line, length, "%%EndComments")))
        break;
      if (StartsWith(line, length, "%%BoundingBox:")) {
        const size_t skip = std::strlen("%%BoundingBox:");
        if (std::string(line + skip, length - skip).find("(atend)") != std::string::npos)
          boxAtEnd = true;
        else
          hasBox = ParseBox(line + skip, length - skip, box) || hasBox;
      } else if (StartsWith(line, length, "%%HiResBoundingBox:")) {
        const size_t skip = std::strlen("%%HiResBoundingBox:");
        hasHiRes = ParseBox(line + skip, length - skip, hiRes) || hasHiRes;
      } else if (header && StartsWith(line, length, "%%Creator:") &&
                 std::string(line, length).find("ps2write)") != std::string::npos) {
        m_pdfPages = true;  // "(eps2write)" or "(ps2write)"
      } else if (header &&
                 (StartsWith(line, length, "%AI") || StartsWith(line, length, "%%AI") ||
                  (StartsWith(line, length, "%%Creator:") &&
                   std::string(line, length).find("Adobe Illustrator") != std::string::npos))) {
        m_illustrator = true;
      }
      at = end;
      while (at < to && (data[at] == '\n' || data[at] == '\r')) ++at;
    }
  };
  const size_t span = size < kCommentSpan ? size : kCommentSpan;
  scan(0, span, true);
  // The PDF reader's prolog says so itself, whoever wrote the header.
  const char kPdfReaderMark[] = "/DSC_OPDFREAD";
  m_pdfPages = m_pdfPages || std::search(data, data + span, kPdfReaderMark,
                                         kPdfReaderMark + sizeof kPdfReaderMark - 1) != data + span;
  if (boxAtEnd && !hasBox) {
    const size_t from = size > kCommentSpan ? size - kCommentSpan : 0;
    size_t lineStart = from;
    while (lineStart > 0 && lineStart < size && data[lineStart - 1] != '\n' &&
           data[lineStart - 1] != '\r')
      ++lineStart;
    scan(lineStart, size, false);
  }
  const double* frame = hasHiRes ? hiRes : hasBox ? box : nullptr;
  if (!frame) return;
  const double mm = CPsInterpreter::kMillimetresPerPoint;
  m_frame[0] = frame[0] * mm, m_frame[1] = frame[1] * mm;
  m_frame[2] = frame[2] * mm, m_frame[3] = frame[3] * mm;
  m_hasFrame = true;
}

void CEpsReader::Read(const char* data, size_t size, CImportedDrawing* drawing,
                      ImportFilterReport* report) {
  if (size >= 4 && std::memcmp(data, kDosSignature, 4) == 0) {
    if (size < kDosHeaderSize) {
      report->problem = kImportDamaged;
      return;
    }
    const unsigned long offset = LittleEndian32(data + 4), length = LittleEndian32(data + 8);
    if (offset < kDosHeaderSize || offset > size || length == 0 || length > size - offset) {
      report->problem = kImportDamaged;
      return;
    }
    data += offset;
    size = length;
  }
  // Some programs put a control-D (end of job) before the PostScript.
  while (size > 0 && data[0] == '\x04') ++data, --size;
  if (StartsWith(data, size, "%PDF")) {
    report->problem = kImportPdfIllustrator;
    return;
  }
  if (!StartsWith(data, size, "%!")) {
    report->problem = kImportNotThisKind;
    return;
  }
  ReadComments(data, size);
  if (m_pdfPages) {
    report->problem = kImportPdfPages;
    return;
  }
  CPsScanner scanner(data, size);
  const CPsInterpreter::Limits limits = CPsInterpreter::LimitsFor(size);
  if (m_illustrator) {
    CAiInterpreter(scanner, drawing, report, limits.work, limits.memory).Run();
  } else {
    CPsInterpreter(scanner, drawing, report, limits).Run();
  }
}

bool CEpsReader::GetFrame(double* left, double* bottom, double* right, double* top) const {
  if (!m_hasFrame) return false;
  *left = m_frame[0], *bottom = m_frame[1], *right = m_frame[2], *top = m_frame[3];
  return true;
}
