// CHpglReader: HP-GL plot files (.PLT) as cutters and our own file output write them: pen moves
// IN, PU, PD, PA, PR and SP, with their coordinates separated by commas or spaces, in plotter
// units of 0.025 mm. Every pen-down run becomes a sub-path (closed when it ends where it began),
// and the runs of one pen one curve in that pen's colour. Labels (LB) are counted as text left
// out, other commands skipped with their parameters, printer escapes passed over.
//
// The file is gone through twice: first only counting the points each pen-down run, each pen and
// the whole plot would take, so that a plot no drawing can hold is refused before anything is
// built, and planning which runs share a curve: a pen's runs fill one curve after another, each
// as full as it may be; then drawing each curve's path in room taken once, and handing the paths
// over to the drawing. Parameters are taken as they are read, never gathered.
#pragma once

#include <map>
#include <vector>

#include "addons/importfilter/FormatReader.h"

class CHpglReader : public CFormatReader {
public:
  static constexpr double kUnitsPerMillimetre = 40.0;
  // A coordinate beyond this many plotter units (2.5 km) is damage, not a drawing.
  static constexpr double kLargestCoordinate = 1.0e8;
  // Pens that draw: each is a curve of its own.
  static const size_t kMostPens = 1024;

  void Read(const char* data, size_t size, CImportedDrawing* drawing,
            ImportFilterReport* report) override;

  // The colour of a pen number in HP-GL/2's default palette; black beyond it.
  static DWORD PenColour(int pen);

private:
  // Where the pen is and how it moves; a pass begins with a new one.
  struct Plotter {
    double x = 0, y = 0;
    bool penDown = false;
    bool relative = false;
    bool inRun = false;
    double runX = 0, runY = 0;
    size_t runPoints = 0;
    char labelEnd = 3;
    int pen = 1;
  };

  // A curve of a pen's: the first of the pen's runs it holds and its points.
  struct Piece {
    size_t firstRun;
    size_t points;
  };
  struct Pen {
    size_t points = 0;
    std::vector<Piece> pieces;  // planned by the first pass
    size_t runs = 0;            // begun in this pass
    std::vector<CImportPath> paths;
  };

  void Pass(bool drawing);
  // The command's next parameter; false at the end of its parameters or on one that is damage.
  bool NextParameter(double* value);
  void SkipParameters();
  void ReadCommand(char first, char second);
  void MovePen(double x, double y);
  // Counts points the pen's path takes; false, the plot too complex, beyond a limit.
  bool AddPoints(size_t count);
  void EndRun();
  // The path the pen's run that begins now draws into: a new one where the plan starts a curve.
  CImportPath& PathOfNewRun(Pen& pen);
  // Plans the pen's run that just ended into the pen's curves.
  void PlanRun(Pen& pen, size_t points);
  void SkipEscape();
  void SkipLabel();
  void LeftOut(int* counter);
  bool AtEnd() const { return m_at >= m_size; }
  void Fail();
  void TooComplex();

  const char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_at = 0;
  int m_line = 1;
  ImportFilterReport* m_report = nullptr;
  bool m_failed = false;
  bool m_drawing = false;  // the second pass

  Plotter m_plotter;
  int m_moves = 0;  // pen commands read: none means the file is no plot file
  size_t m_points = 0;
  std::map<int, Pen> m_pens;
  std::vector<int> m_penOrder;
};
