// CEpsReader: PostScript drawings: EPS files (also with the binary header of a DOS EPS, which
// carries a preview beside the PostScript) and Illustrator files up to version 8. It reads the
// structuring comments of the header first: the bounding box (%%HiResBoundingBox when there is
// one, else %%BoundingBox; "(atend)" is looked up in the trailer), in which the drawing keeps its
// place, and whether the file is Illustrator's (%%Creator: Adobe Illustrator, %AI... or %%AI...
// comments). Illustrator files are read by their fixed operators (CAiInterpreter), all others by
// the PostScript interpreter (CPsInterpreter). An Illustrator 9 and later file is a PDF and is
// refused as such, and so is PostScript that carries PDF pages and a PDF reader written in
// PostScript to draw them (Ghostscript's eps2write and ps2write): that reader is beyond the
// interpreter.
#pragma once

#include "addons/importfilter/FormatReader.h"

class CEpsReader : public CFormatReader {
public:
  // The binary header of a DOS EPS: C5 D0 D3 C6, then the PostScript's offset and length.
  static const size_t kDosHeaderSize = 30;
  // The part of the file searched for the header's comments, and for a trailer's bounding box.
  static const size_t kCommentSpan = 65536;

  void Read(const char* data, size_t size, CImportedDrawing* drawing,
            ImportFilterReport* report) override;
  bool GetFrame(double* left, double* bottom, double* right, double* top) const override;

  bool IsIllustrator() const { return m_illustrator; }

private:
  void ReadComments(const char* data, size_t size);
  // The box of a bounding box comment's text, in points; false for (atend) or a damaged one.
  static bool ParseBox(const char* text, size_t length, double box[4]);

  bool m_illustrator = false;
  bool m_pdfPages = false;
  bool m_hasFrame = false;
  double m_frame[4] = {0, 0, 0, 0};  // left, bottom, right, top in millimetres
};
