// CImportPath: a path as a reader builds it, PostScript's way: sub-paths of straight and cubic
// Bezier pieces, each begun by a move, in the reader's own coordinates (double precision).
// Points carry the flags of the model's point records (PointRecord.h): 0x11 the start of a
// sub-path, 0x01 a point on the outline, 0x00 a Bezier control point, 0x41 the closing point
// that lies on the start. A move right after a move replaces it; after a close, the current
// point is the closed sub-path's start and a following line begins a new sub-path there.
//
// Every change gives the path a new generation number, and copies keep it: a reader that paints
// one path twice (filled, then stroked) sees that it is the same path.
#pragma once

#include <windows.h>

#include <vector>

#include "addons/importfilter/ImportMatrix.h"

// Packed to 20 bytes rather than 24: a drawing at its point limit holds eight million of them.
#pragma pack(push, 4)
struct ImportPathPoint {
  double x;
  double y;
  BYTE flags;
};
#pragma pack(pop)

class CImportPath {
public:
  // No path may hold more points; further points are dropped and the path is marked overflowed.
  static const size_t kMaxPoints = 4000000;

  void MoveTo(double x, double y);
  // False, adding nothing, without a current point.
  bool LineTo(double x, double y);
  bool CurveTo(double x1, double y1, double x2, double y2, double x3, double y3);
  // Closes the current sub-path (a line back to its start when it ends elsewhere).
  void Close();
  void Clear();

  bool HasCurrentPoint() const { return m_state != kNoPoint; }
  ImportPoint2 CurrentPoint() const;
  bool IsEmpty() const { return m_points.empty(); }
  size_t Size() const { return m_points.size(); }
  bool Overflowed() const { return m_overflowed; }
  unsigned Generation() const { return m_generation; }
  const std::vector<ImportPathPoint>& Points() const { return m_points; }

  // Room for so many points in all, taken at once.
  void Reserve(size_t points) { m_points.reserve(points); }

  // The sub-paths as a curve takes them: sub-paths without length are left out, open ones end
  // with the open-end flag (0x20) or, with closeOpen (a fill closes them), are closed.
  std::vector<ImportPathPoint> Finished(bool closeOpen) const;
  // The same, made from the path's own points where no closing point is added, so that a large
  // path is handed on without a second copy; the path is empty afterwards.
  std::vector<ImportPathPoint> TakeFinished(bool closeOpen);

private:
  enum State { kNoPoint, kOpen, kClosed };
  bool Add(double x, double y, BYTE flags);
  // A line or curve after a close begins a new sub-path at the closed one's start.
  void ReopenAfterClose();
  void Touch();

  std::vector<ImportPathPoint> m_points;
  size_t m_start = 0;  // index of the current sub-path's first point
  State m_state = kNoPoint;
  bool m_overflowed = false;
  unsigned m_generation = 0;
};
