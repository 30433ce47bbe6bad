// CCurvedTextEffect: what the layouts on a curve share (the arc, the arch, text along a path).
// Each character box is placed at one point of the curve (its x and y, the centre of its advance
// on the curve) and its cell, from (0, 0) to (ratio x 1024, 1024) glyph units, stands on that point
// by the placement mode: outside the curve (mode 0), the line's centre on it (1), inside it (2), or
// the character's centre on it (3). Attribute bit 4 spreads the characters over the whole curve,
// bit 6 turns each one by 180 degrees in its cell, bit 15 walks the curve the other way. H, the
// text height, is the tallest character of the last layout. Page units are the text block's own
// (before its matrix).
//
// The caret stands at a character's leading (side 1) or trailing (side 0) edge of its cell; the
// keys Home and End go to the first and last character, Left and Right step along the text.
//
// The layout line (the arc, the arch's arc, the path) is what the cut's text-line option adds to
// a job: AppendLayoutLine gives it to the text block, which maps it through its matrix.
//
// The property panels: buttons 1434 outside, 1436 line centre, 1435 inside, 1437 character centre,
// check boxes 1440 spread, 1439 turned, 1438 reversed; 1441 (whole words) is left alone.
#pragma once

#include <vector>

#include "model/geometry/PointRecord.h"
#include "text/layout/TextEffect.h"

class CCurvedTextEffect : public CTextEffect {
public:
  enum : int {
    kOutsideButton = 1434,
    kInsideButton = 1435,
    kLineCentreButton = 1436,
    kCharCentreButton = 1437,
    kReversedBox = 1438,
    kTurnedBox = 1439,
    kSpreadBox = 1440,
  };
  enum : WORD { kOutside = 0, kLineCentre = 1, kInside = 2, kCharCentre = 3 };
  static constexpr int kHandleHalfSize = 3;
  static constexpr int kHandlePixels = 3;

  float GetTextHeight() const { return m_textHeight; }

  // The layout line in the text's own page units (before the block matrix) as point records: the
  // arc as one open sub-path (first record 0x11, Bezier controls 0, last 0x21), the path as its
  // own records; nothing when there is none.
  virtual void BuildLayoutLine(std::vector<POINTREC>* points) const = 0;
  // The same line appended to a curve (nothing when it has fewer than two points).
  void AppendLayoutLine(CCurveBlock& curve) const override;

  // --- Shared operations of the curved layouts
  void PlaceBox(CCharBox* box) override;
  void GetCaretPos(INT_PTR index, int side, FPOINT* top, FPOINT* bottom) override;
  void GetStartPoint(FPOINT* top, FPOINT* bottom, float width, float height) override;
  int HitTestBox(INT_PTR index, float x, float y) override;
  INT_PTR OnKeyDown(int key, INT_PTR index, int* side) override;
  HWND CreatePanel(HWND parent) const override;
  void SetPanelCaption(HWND window) const override;
  void FillPanel(HWND host) const override;
  // Rebuilds the attribute word from the buttons (with PanelFixedBits), then takes the values.
  BOOL ApplyPanel(HWND panel) override;

protected:
  CCurvedTextEffect(BYTE kind, CBoxArray* boxes, CMatrix2D* blockMatrix);

  // Where the text of an empty text would begin: the caret's place before the first character.
  virtual FPOINT EmptyTextPoint() const = 0;
  // The panel's own values (edits), written and read after the shared buttons; each value read
  // back is taken only when it is acceptable.
  virtual void WritePanelValues(HWND panel) const = 0;
  virtual void ReadPanelValues(HWND panel) = 0;
  // The attribute bits the panel always sets.
  virtual WORD PanelFixedBits() const { return 0; }
  // The string resource of the panel caption and the caption when the resources lack it.
  virtual UINT CaptionId() const = 0;
  virtual const char* DefaultCaption() const = 0;

  // The cell of the box in glyph units onto the page before any turn along the curve: the half
  // turn of bit 6, the scale to the box's size, and the translation that stands the cell on its
  // point by the placement mode; lift moves it further up the page.
  CMatrix2D CellMatrix(const CCharBox* box, float lift) const;
  // The characters on the arc of the circle around centre from angle start to end (radians,
  // counter-clockwise on the page, end raised above start by whole turns); bit 15 walks from
  // end to start. Spreading shares the slack of the arc over the centres between the
  // characters, never less than nothing (a text longer than the arc runs past its end); BoxGaps
  // stands after each character but the first, spread or not (a spread text with spacing runs
  // past the end). A line break stands on the arc as a character of no width,
  // with its share of the spreading and the spacing. H becomes the tallest drawn character.
  void LayOutOnCircle(FPOINT centre, float radius, float start, float end);
  // CellMatrix turned about the box point so that the character's up points away from centre.
  CMatrix2D CircleBoxMatrix(const CCharBox* box, FPOINT centre) const;
  // The arc from start to end as a line of the circle.
  static void BuildArcLine(FPOINT centre, float radius, float start, float end,
                           std::vector<POINTREC>* points);
  // The page units of 3 device pixels on the view (3 without a view).
  static float HandleTolerance(CBlockView* view);
  // The layout line through toDevice and a square at each handle point (page units), in XOR with
  // no fill; the line in the given pen colour, or the context's pen for -1.
  void DrawGuide(CDC* dc, const CMatrix2D& toDevice, const std::vector<FPOINT>& handles,
                 COLORREF colour) const;

  float m_textHeight;
};

// Panel values are numbers shown with "%.1f"; a field read back gives false unless it holds a
// finite number.
void WritePanelNumber(HWND panel, int id, double value);
bool ReadPanelNumber(HWND panel, int id, double* value);
// A field whose text is still what WritePanelNumber showed for shown gives false, so that a panel
// applied unchanged changes nothing by rounding.
bool ReadChangedPanelNumber(HWND panel, int id, double shown, double* value);
