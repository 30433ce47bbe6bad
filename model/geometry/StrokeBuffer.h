// CStrokeBuffer: the moves, lines and Bezier pieces of one outline in device points, gathered the
// way a path takes them and then handed to the device context in as few calls as the pieces allow.
// A move only says where the next piece starts; the first piece after it opens a stroke there, so
// moves that no piece follows leave nothing behind, as in a path. Every stroke holds at least two
// points.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class CDC;

class CStrokeBuffer {
public:
  // One outline's buffer, empty: the program's shared buffer while no other drawing holds it, so
  // that its storage serves outline after outline and drawing a drawing allocates nothing per
  // outline; a drawing that finds it taken (on another thread) gets a buffer of its own.
  class Lease {
  public:
    Lease();
    ~Lease();
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    CStrokeBuffer& Buffer() { return *m_buffer; }

  private:
    CStrokeBuffer* m_buffer;
    std::unique_ptr<CStrokeBuffer> m_own;
  };

  void MoveTo(const POINT& point);
  void LineTo(const POINT& point);
  // Two control points and the end point of a cubic piece from the current point.
  void BezierTo(const POINT pieces[3]);

  // Begins a path, adds every stroke in one call, ends the path and strokes it with the context's
  // pen, as drawing the pieces one by one into a path would.
  void StrokeAsPath(CDC* dc) const;
  // For a context whose pen is a one-pixel cosmetic pen: a path of straight strokes draws each of
  // them as one polyline, so strokes without Bezier pieces go out as polylines in one call, which
  // colours the same pixels without the path's work. Strokes with Bezier pieces go as a path.
  void StrokeThin(CDC* dc) const;

private:
  void OpenStrokeIfMoved();
  // Empties the buffer; storage grown past what common outlines need goes back to the system.
  void Clear();

  std::vector<POINT> m_points;
  std::vector<BYTE> m_types;  // PT_MOVETO, PT_LINETO or PT_BEZIERTO per point
  std::vector<DWORD> m_strokeLengths;
  POINT m_position = {0, 0};
  bool m_moved = false;
  bool m_hasBeziers = false;
};
