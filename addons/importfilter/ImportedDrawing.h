// CImportedDrawing: the curves a reader has found, in the reader's own units, until they are
// mapped onto the page and written as one block-list record (tag 2) of curve blocks (type 128).
// Each painted path becomes one curve with its colour (0x00RRGGBB); a filled path is solid
// (attribute 0x100), as the program draws filled outlines. A path with more points than one
// curve record may hold is split between its sub-paths over several curves.
//
// A drawing of more than kMostCurves paths is handed on in fewer curves, since every curve keeps
// its points in a movable memory block and the system has no more than 65536 of those for the
// whole program: neighbouring paths of one colour and fill share a curve; where styles change
// too often for that, paths of one colour and fill share one further apart, each group where its
// first path lay. Curves of different colour or fill are never joined: a drawing of more styles
// than kMostCurves is too complex.
//
// The drawing is bounded: past kMaxTotalPoints, or with a sub-path no curve can hold, it is too
// complex and gives nothing.
#pragma once

#include <windows.h>

#include <vector>

#include "addons/importfilter/ImportMatrix.h"
#include "addons/importfilter/ImportPath.h"

class CImportedDrawing {
public:
  static const size_t kMaxTotalPoints = 8000000;
  static const size_t kMostCurves = 10000;
  // The most points of one curve; a sub-path of more is too complex.
  static const size_t kMostCurvePoints;
  // Mapped coordinates beyond this many page units (a kilometre) are no drawing.
  static constexpr double kLargestCoordinate = 1.0e6;

  // What a curve of so many points takes while it is in the drawing: its points, its record here
  // and the heap's own. Readers price what they will add by it before they build anything.
  static size_t CurveBytes(size_t points);

  // Adds the path's sub-paths as one curve (more when it is large); false when the path held
  // nothing drawable.
  bool AddPath(const CImportPath& path, DWORD colour, bool filled);
  // The same, the path's points handed over rather than copied; the path is empty afterwards.
  bool AddPath(CImportPath&& path, DWORD colour, bool filled);
  // The curves from first up to end (as CurveCount counted them) become solid in the colour: a
  // path stroked, then filled.
  void Fill(size_t first, size_t end, DWORD colour);

  size_t CurveCount() const { return m_curves.size(); }
  bool TooComplex() const { return m_tooComplex; }
  // The box of every point (controls too) in the reader's units; false when there is none.
  bool GetBounds(double* left, double* bottom, double* right, double* top) const;

  // The block-list record of all curves, every point mapped; null when there is no curve, a
  // mapped point falls outside the page's reach or the styles are too many (the caller tells
  // too complex from nothing).
  // The drawing's curves are handed over, each freed as its block is made: it is empty
  // afterwards.
  HGLOBAL WriteRecord(const ImportMatrix& toPage);

private:
  bool AddFinished(std::vector<ImportPathPoint>&& points, DWORD colour, bool filled);
  void AddCurve(std::vector<ImportPathPoint>&& points, DWORD colour, bool solid);
  struct Curve;
  // Whether the curve may join the other: of one colour and fill, within a curve's points.
  static bool Joins(const Curve& into, const Curve& curve);
  static void Join(Curve* into, Curve* curve);
  // Joins curves until at most kMostCurves remain; false when there are more styles.
  bool Consolidate();
  // The curves with neighbours joined, a share at a time, for at most kMostCurves.
  std::vector<Curve> JoinedNeighbours();
  // The curves with each joined to the last one of its colour and fill, a share at a time.
  std::vector<Curve> JoinedByStyle(size_t share);

  struct Curve {
    std::vector<ImportPathPoint> points;
    DWORD colour;
    bool solid;
  };
  std::vector<Curve> m_curves;
  size_t m_totalPoints = 0;
  bool m_tooComplex = false;
};
