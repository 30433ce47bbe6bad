// CHpglReader: HP-GL plot files (.PLT) as cutters and our own file output write them, and the
// drawing commands of HP-GL and HP-GL/2 other programs write: pen moves IN, PU, PD, PA, PR and
// SP, with their coordinates separated by commas or spaces, in plotter units of 0.025 mm; the
// user units of IP and SC (anisotropic, isotropic and point-factor scaling), in which every
// coordinate after them is given; circles CI, arcs AA, AR, AT and RT, wedges EW and WG,
// rectangles EA, ER, RA and RR and Bezier curves BZ and BR. Arcs are exact circle pieces, drawn
// in user units (anisotropic scaling makes them elliptic); arcs of more than a turn draw at most
// two. Every pen-down run becomes a sub-path (closed when it ends where it began), a circle,
// wedge or rectangle one of its own, closed; the runs of one pen one curve in that pen's colour,
// and its filled shapes (WG, RA, RR) one solid curve. Labels (LB) are counted as text left out;
// commands that draw what the reader does not (polygon fills FP, encoded polylines PE, user
// characters UC, ticks XT and YT) or place it otherwise (a rotation RO, a window IW, scaling
// points IR, and scaling that makes no drawing) as other objects left out; other commands are
// skipped with their parameters, printer escapes passed over.
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
#include "addons/importfilter/ImportMatrix.h"

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
  // What a pen draws: its lines and edges, and its filled shapes, each in curves of their own.
  enum Track { kOutline, kFill, kTracks };

  // Where the pen is and how it moves; a pass begins with a new one.
  struct Plotter {
    Plotter();
    double x = 0, y = 0;  // plotter units
    bool penDown = false;
    bool relative = false;
    char labelEnd = 3;
    int pen = 1;
    double p1x, p1y, p2x, p2y;  // the scaling points, plotter units
    bool scaled = false;
    // SC's values: x min, x max or factor, y min, y max or factor, kind, left, bottom.
    double scaling[7] = {};
    ImportMatrix user;  // user units to plotter units
  };

  struct Pen;
  // The sub-path being drawn, in plotter units, with the pen that draws it and, in the second
  // pass, the path it goes into.
  struct Run {
    bool open = false;
    Track track = kOutline;
    double startX = 0, startY = 0, lastX = 0, lastY = 0;
    size_t points = 0;
    Pen* pen = nullptr;
    CImportPath* path = nullptr;
  };

  // A curve of a pen's track: the first of the track's runs it holds and its points.
  struct Piece {
    size_t firstRun;
    size_t points;
  };
  struct Curves {
    std::vector<Piece> pieces;  // planned by the first pass
    size_t runs = 0;            // begun in this pass
    std::vector<CImportPath> paths;
  };
  struct Pen {
    size_t points = 0;
    bool listed = false;  // in the order pens are handed over
    Curves tracks[kTracks];
  };

  // An arc in user units: centre + u cos t + v sin t for t from t0 to t1.
  struct Arc {
    ImportPoint2 centre, u, v;
    double t0, t1;
    ImportPoint2 At(double t) const;
  };

  void Pass(bool drawing);
  // The command's next parameter; false at the end of its parameters or on one that is damage.
  bool NextParameter(double* value);
  // Up to `most` parameters (the rest skipped); how many there were.
  int Parameters(double* values, int most);
  void SkipParameters();
  void ReadCommand(char first, char second);
  // Commands that place the pen or draw; false when the command is none of them.
  bool ReadDrawingCommand(int command);
  void ReadPenMoves();
  void ReadScalingPoints();
  void ReadScaling();
  // The user units' map from the scaling points and SC's values; false, keeping the one before,
  // when they make no drawing.
  bool UpdateScaling();
  void Initialise();
  ImportPoint2 UserPosition() const;
  ImportPoint2 ToPlotter(ImportPoint2 user) const;
  // A place given in user units, from the pen when relative.
  ImportPoint2 ToPlotter(double x, double y, bool relative) const;
  // False, the file damaged, for a place beyond kLargestCoordinate.
  bool InReach(double x, double y);
  bool ArcInReach(const Arc& arc);

  // Whether the pen draws from where it is: a run goes on or begins when it is down, and ends
  // when it is up.
  bool PenDraws();
  void MovePen(double x, double y);
  void DrawArc(const Arc& arc);
  // The shapes' commands; false when they lack their parameters.
  bool ReadArc(bool relative);
  bool ReadThreePointArc(bool relative);
  bool ReadCircle();
  bool ReadWedge(Track track);
  bool ReadRectangle(Track track, bool relative);
  bool ReadBeziers(bool relative);

  // Ends the run there is and begins one on the track at the point (plotter units).
  void BeginRun(Track track, double x, double y);
  void LineTo(double x, double y);
  void CurveTo(const ImportPoint2 (&points)[3]);
  void ArcTo(const Arc& arc, double endX, double endY);
  // The run's end: closed when asked or when it ends where it began.
  void EndRun(bool close = false);
  // Counts points the pen's path takes; false, the plot too complex, beyond a limit.
  bool AddPoints(size_t count);
  // The path the run that begins now draws into: a new one where the plan starts a curve.
  CImportPath& PathOfNewRun(Pen& pen, Track track);
  // Plans the run that just ended into the track's curves.
  void PlanRun(Curves& curves, size_t points);
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
  Run m_run;
  int m_moves = 0;  // pen commands read: none means the file is no plot file
  size_t m_points = 0;
  std::map<int, Pen> m_pens;
  std::vector<int> m_penOrder;
};
