// CTALVEXView: the base of the drawing views (the main editing view and the cut-output view).
// It maps page coordinates (float millimetres, y downward) to window pixels through its ruler
// manager, zooms and scrolls by itself instead of through the framework's scrolling, draws the
// XOR rubber band with the zoom box on the right button (Shift+drag zooms in, Alt+click zooms
// out), and is the CBlockView through which blocks, trackers and undo reach whatever view they
// are drawn in.
//
// Before the derived view creates the ruler manager (in its initial update) the mappings are the
// identity and the scale is 1.0; zooming and scrolling need the manager and do nothing without.
#pragma once

#include <memory>

#include "editor/views/RulerManager.h"
#include "framework/View.h"
#include "model/blocks/BlockView.h"
#include "model/geometry/FRect.h"

class CBlock;
class CCmdUI;
class CPageSettings;
class CScrollBar;

class CTALVEXView : public CView, public CBlockView {
  DECLARE_DYNAMIC(CTALVEXView)
public:
  // Rubber-band codes: the low four bits choose the pen (0 blue dotted, 1 black, 2 red, 3 blue),
  // the rest the shape.
  enum : WORD {
    kNoBand = 0,
    kBandLine = 16,
    kBandRect = 32,
    kBandEllipse = 48,
    kBandRoundRect = 96,
    kBandNodeRect = 544,
    kZoomBox = 33,
  };
  static constexpr int kNodeTool = 40118;
  static constexpr UINT kPolygonSettingsCommand = 40105;
  static constexpr UINT kSnapGridCommand = 32815;
  // Edge scrolling while a left-button drag pressed in the view (which then holds the capture)
  // comes this close inside the rulers or the far edges.
  static constexpr int kEdgeInside = 10;
  static constexpr int kEdgeOutside = 15;
  // How far (in pixels) past a repainted area blocks are still drawn.
  static constexpr int kPaintMarginPixels = 3;
  // Whether what the block draws meets the page area (touching counts): its box, or failing
  // that the part of its drawing that lies beyond the box (CBlock::GetDrawnBox).
  static bool DrawsInto(const CBlock& block, const CFRect& area);

  CTALVEXView() = default;
  ~CTALVEXView() override;

  // The view's side of CBlockView.
  HWND GetViewWindow() override { return m_hWnd; }
  CMatrix2D* GetDisplayMatrix() override;
  double GetScale() override;
  int GetUndoDepth() override { return 0; }
  CUndoManager* GetUndoManager() override { return nullptr; }
  int GetCurrentTool() override { return m_currentTool; }
  void SetCurrentTool(int tool) override { m_currentTool = tool; }
  CSegArray* GetBlockList() override { return GetBlockArray(); }

  // The blocks this view shows; the main view gives its document's list.
  virtual CSegArray* GetBlockArray() { return nullptr; }
  // What lies over the drawing in XOR (guides, tool feedback); drawing it twice erases it. Null
  // draws on the view's own context.
  virtual void DrawOverlay(CDC* /*dc*/) {}
  // Draws the rubber band in XOR; nothing while there is none.
  virtual void DrawRubberBand();
  // The page settings of the view's drawing document; null without one.
  virtual CPageSettings* GetPageSettings();

  CRulerManager* GetRulerManager() const { return m_rulers.get(); }
  void DeviceToPage(int x, int y, float* pageX, float* pageY) const;
  // Corners converted separately, not normalised.
  void DeviceRectToPage(int left, int top, int right, int bottom, CFRect* page) const;
  // Zooms so that the page rectangle fills the view, and lays the rulers out again.
  void ZoomToRect(const CFRect& rect);
  // Takes the box's size as the page size and fits the box; the scroll bars span twice the page
  // on either side.
  void SetPageAndFit(float left, float top, float width, float height);
  void SetPageBox(float left, float top, float width, float height) {
    SetPageAndFit(left, top, width, height);
  }
  // Draws the shape of a code on the view's rubber band, in XOR.
  void DrawShapeFeedback(WORD code);

  float GetPageWidth() const { return m_pageWidth; }
  float GetPageHeight() const { return m_pageHeight; }
  const CFRect& GetRubberBand() const { return m_rubberBand; }
  WORD GetRubberBandState() const { return m_rubberBandState; }

  // The step of a line or page scroll code in a client extent of pixels; false for the codes
  // that do not scroll (thumb, end).
  static bool ScrollDistance(UINT code, int clientExtent, int* distance);

  BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
              UINT id, CCreateContext* context = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  // The view scrolls itself; the framework's scrolling never does.
  BOOL OnScroll(UINT, UINT, BOOL) override { return FALSE; }
  // The derived views paint.
  void OnDraw(CDC*) override {}

protected:
  // Creates the ruler manager (the derived views do so in their initial update).
  BOOL CreateRulers(int thickness);
  void ZoomToWholePage();
  // The visible area doubled around the view's centre.
  void ZoomOutAroundCentre();
  // Moves the picture right of and below the rulers by dx, dy pixels.
  void ScrollPicture(int dx, int dy);
  // The corner size of a rounded-rectangle band; false draws a plain rectangle. The creation
  // tools give it from their points.
  virtual bool GetRoundCorner(const RECT& /*band*/, SIZE* /*corner*/) { return false; }
  void DrawShape(CDC* dc, WORD code, const CFRect& band);

  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnHScroll(UINT code, UINT position, CScrollBar* bar);
  void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  // Only keeps the menu entry enabled; the main view opens its dialog.
  void OnPolygonSettings() {}
  void OnUpdateSnapGrid(CCmdUI* cmdUI);

  std::unique_ptr<CRulerManager> m_rulers;
  CFRect m_rubberBand;
  int m_currentTool = 0;
  WORD m_rubberBandState = kNoBand;
  float m_pageWidth = 400.0f;
  float m_pageHeight = 900.0f;

  DECLARE_MESSAGE_MAP()

private:
  void EdgeScroll(CPoint point);
  SIZE ClientSize() const;
  void UpdateScrollPositions();
};
