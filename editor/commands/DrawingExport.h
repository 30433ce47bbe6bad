// CDrawingExport: the files a drawing is exported to: its text as a plain text file, its
// outlines as an HP-GL plot file (40 plotter units per page unit, y pointing up as plotters
// have it) or as an EPS file (Illustrator path text in the frame of ImExport.Ini's templates,
// see CEpsWriter), and the artwork record file the engraving program reads. Each writer builds what
// it writes first and creates no file when there is nothing to write. The file output command picks
// the writer by the chosen name's extension.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CContour;
class CSegArray;

class CDrawingExport {
public:
  enum Kind { kOther, kText, kPlot, kIllustrator };
  enum Result { kNothingWritten, kWritten, kCannotWrite, kNoResolution, kBadTemplate };

  // Plotter units per page unit (millimetre) in plot files.
  static constexpr float kPlotUnits = 40.0f;
  // Written between the drawing's text and the text editor's.
  static const char kEditorTextRule[];
  static const char kArtworkFileName[];
  static const char kEpsTitle[];

  // The kind of an export by the file name's extension: .TXT or none text, .PLT plot, .EPS
  // Illustrator; anything else kOther.
  static Kind KindOf(LPCSTR path);
  // The folder of a path, up to its last backslash (a drive's colon kept when there is none);
  // empty without either.
  static CString FolderOf(LPCSTR path);

  // The text of every block, then, when editorText is not empty, the rule and editorText.
  static Result WriteText(CSegArray& blocks, const CString& editorText, LPCSTR path);
  static Result WritePlot(CSegArray& blocks, LPCSTR path);
  // Every outline at EPSDPI units per inch of the settings file (ImExport.Ini in the program
  // folder when null), turned over within its box; kNoResolution without a resolution and
  // kBadTemplate for a bounding-box template the writer refuses, with no file made either way.
  static Result WriteEps(CSegArray& blocks, LPCSTR path, LPCSTR settingsPath = nullptr);
  // One group record of the curve copies of every block.
  static Result WriteArtworkRecord(CSegArray& blocks, LPCSTR path);

  // Every block's outline under the scale, in one contour mirrored top to bottom within its own
  // box and baked; null when no block has an outline.
  static CContour* PlotContour(CSegArray& blocks, float scale);

private:
  static Result WriteBytes(LPCSTR path, const void* data, size_t size);
};
