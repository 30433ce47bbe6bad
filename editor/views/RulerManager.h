// CRulerManager: the rulers of one drawing view and the mapping they show. It owns the view's
// scale (page units per pixel), the page point shown just inside the rulers' corner (the origin)
// and the display matrix (page to device) that every drawing and hit test of the view uses:
//   device = (page - origin) / scale + thickness,   page = (device - thickness) * scale + origin.
// It places a horizontal and a vertical ruler and a corner box along the view's top and left
// edges, lets the user pull guide lines out of them, move them and drop them back to delete
// them, and snaps dragged rectangles to guides, the page and the grid while Z, X or C is held.
//
// The guide list is the document's: the manager only points to it (it never deletes it), so the
// guides are saved with the document and outlive the view.
#pragma once

#include <windows.h>

#include <memory>

#include "editor/views/RulerWnd.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CAuxObject;
class CAuxObjectList;
class CDC;
class CTALVEXView;

class CRulerManager {
public:
  // What a zoom to fit decides: the scale, the smallest tick step and the origin.
  struct Fit {
    double scale;
    int unit;
    float originX;
    float originY;
  };
  static constexpr double kMinScale = 0.02;
  static constexpr double kMaxScale = 1000000.0;
  static constexpr int kMaxUnit = 10000000;
  // Pixels around a guide that still hit it, and that a guide move must exceed to start.
  static constexpr int kGuideTolerance = 3;
  // The snapping distance, in pixels, when the caller gives none.
  static constexpr int kSnapPixels = 5;

  // Guide drags: new horizontal, new vertical, both (from the corner), moving selected guides.
  enum GuideDrag : WORD {
    kNoDrag = 0,
    kNewHorizontal = 1,
    kNewVertical = 2,
    kNewBoth = 3,
    kMoveGuides = 256
  };

  explicit CRulerManager(CTALVEXView* view);
  ~CRulerManager();
  CRulerManager(const CRulerManager&) = delete;
  CRulerManager& operator=(const CRulerManager&) = delete;

  // Creates the rulers and the corner box as children of the view; the box is placed and shown.
  BOOL Create(int thickness);
  // Places the rulers along the view's current client area and shows them.
  void Layout();

  // The zoom that shows the rectangle centred in a client area of the given pixels.
  static Fit FitRect(const CFRect& rect, int clientWidth, int clientHeight, int thickness);
  // The smallest tick step for a scale: a power of ten that spans at least 3 pixels.
  static int TickUnitFor(double scale);

  // Zooms so that the rectangle fills the view; returns the new scale, 1.0 for null.
  double ZoomToRect(const CFRect* rect);
  double ZoomToBox(CFRect rect) { return ZoomToRect(&rect); }
  // Moves the picture by dx, dy pixels (positive: the page moves right or down).
  void Scroll(int dx, int dy);

  double GetScale() const { return m_scale; }
  int GetThickness() const { return m_thickness; }
  int GetTickUnit() const { return m_unit; }
  // Null until the first zoom.
  CMatrix2D* GetDisplayMatrix() const { return m_matrix.get(); }
  FPOINT GetOrigin() const { return {m_originX, m_originY}; }
  void DeviceToPage(int x, int y, float* pageX, float* pageY) const;
  // The page area the view shows: the origin to the client's far corner.
  CFRect GetVisiblePageRect() const;
  CRulerWnd& HorizontalRuler() { return m_horizontal; }
  CRulerWnd& VerticalRuler() { return m_vertical; }
  CRulerWnd& CornerBox() { return m_corner; }
  // Invalidates both rulers and, when asked, repaints them at once.
  void InvalidateRulers(BOOL erase, BOOL updateNow);

  void SetGuideList(CAuxObjectList* guides) { m_guides = guides; }
  CAuxObjectList* GetGuideList() const { return m_guides; }

  void UpdateCursorMarks(float x, float y);

  // Guide handling, given every left-button event of the view before its tools; each returns 1
  // when it took the event.
  int OnGuideButtonDown(UINT flags, int x, int y);
  int OnGuideMouseMove(UINT flags, int x, int y);
  int OnGuideButtonUp(UINT flags, int x, int y);
  WORD GetGuideDrag() const { return m_guideDrag; }
  // XOR feedback of the guide drag; null draws on the view's own context.
  void DrawGuideDrag(CDC* dc);
  // Paints every guide as its selection state shows it.
  void DrawGuides(CDC* dc, const CMatrix2D& matrix);
  BOOL AnyGuideSelected() const;
  CAuxObject* FirstSelectedGuide() const;
  // The first selected guide's panel in the property window host; FALSE without a selected
  // guide or a host.
  BOOL ShowGuidePanel(HWND host);
  // Places the first selected guide as the panel's typed values say and repaints; the focus
  // goes back to the view. Beeps and returns FALSE when there is no guide or no guide panel.
  BOOL ApplyGuidePanel(HWND panel);

  // Moves the rectangle (never resizes it) onto guides (Z held), the page edges (X) or the grid
  // (C), within the tolerance, or 5 pixels when it is 0. 1 when the last step that ran snapped.
  int SnapRect(CFRect* rect, float tolerance);

  // The beep of a guide dropped on a ruler; tests hear it through their own function.
  using BeepFunction = void (*)(UINT type);
  static BeepFunction SetBeepFunction(BeepFunction beep);

private:
  void ApplyFit(const Fit& fit);
  void RefreshRulers();
  SIZE ClientSize() const;
  int BeginGuideMove(int x, int y);
  void FinishGuideMove(int x, int y);
  void AddNewGuides(int x, int y);
  bool IsOverRuler(int x, int y) const { return x < m_thickness || y < m_thickness; }
  int SnapToGuides(CFRect* rect, float tolerance) const;
  int SnapToPage(CFRect* rect, float tolerance) const;
  int SnapToGrid(CFRect* rect, float tolerance) const;

  CRulerWnd m_horizontal;
  CRulerWnd m_vertical;
  int m_thickness = 15;
  double m_scale = 1.0;
  CAuxObjectList* m_guides = nullptr;
  CRulerWnd m_corner;
  POINT m_press = {0, 0};
  POINT m_drag = {0, 0};
  std::unique_ptr<CMatrix2D> m_matrix;
  float m_originX = 0.0f;
  float m_originY = 0.0f;
  CTALVEXView* m_view;
  int m_unit = 1;
  WORD m_guideDrag = kNoDrag;
};
