// CArtTransform: one artistic transformation of the library's own set, a mapping of the plane that
// bends an outline within its box. With u and v the point's place across and down the box (0 to
// 1), w and h the box's size and a the amount (-1 to 1):
//   1 arch:        y' = y - a h (1 - (2u - 1)^2)              the middle rises, the ends stay;
//   2 bulge:       y' = cy + (y - cy)(1 + a (1 - (2u - 1)^2))   the middle swells about the centre;
//   3 perspective: x' = cx + (x - cx)(1 - a (1 - v))           the top narrows as if it went away;
//   4 wave:        y' = y - a h / 2 sin(4 pi u)                 two waves across the box.
// The transformation keeps the box it was made for (in the source block's own coordinates), the
// block matrix that places that box on the page, and its amount. The amount is edited with one
// handle on the frame; its data is a small versioned byte record.
#pragma once

#include <windows.h>

#include <vector>

#include "addons/transform/OutlineTypes.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CArtTransform {
public:
  enum Kind { kArch = 1, kBulge, kPerspective, kWave };
  static const int kKindCount = 4;
  // Size of the data record: signature, version, kind, amount, box.
  static const size_t kDataSize = 25;

  CArtTransform(int kind, const CFRect& box);

  static bool IsKind(int kind);
  // The name shown in the menus and the chooser; null for a kind outside the set.
  static LPCSTR Name(int kind, bool english);
  static float DefaultAmount(int kind);

  int GetKind() const { return m_kind; }
  float GetAmount() const { return m_amount; }
  // Held within -1 to 1; a value that is not a number changes nothing.
  void SetAmount(float amount);
  const CFRect& GetBox() const { return m_box; }
  const CMatrix2D& GetMatrix() const { return m_matrix; }
  void SetMatrix(const CMatrix2D& matrix) { m_matrix = matrix; }

  // The data record, and a transformation rebuilt from one (null when it is damaged).
  std::vector<BYTE> WriteData() const;
  static CArtTransform* FromData(const BYTE* data, size_t length);

  // The point's image when the box from is placed on the box to and bent.
  OutlinePoint Map(const OutlinePoint& p, const CFRect& from, const CFRect& to) const;
  // The curves bent from one box into the other; straight pieces are divided first so that they
  // bend too.
  std::vector<FlatCurve> Apply(const std::vector<FlatCurve>& curves, const CFRect& from,
                               const CFRect& to) const;

  // Editing in page units: the handle, and the mouse messages (0x200 to 0x205) of the node tool.
  // OnMouse answers 1 while the handle is pressed or dragged (the press and the release both
  // change the amount), 0 for everything it does not take.
  FPOINT HandleOnPage() const;
  int OnMouse(UINT message, float x, float y);
  // '+' and '-' change the amount by a step, '0' restores the default: 1 when it changed.
  int OnChar(UINT ch);
  // The bent frame and the handle, with the device context's pen and raster operation; display
  // maps the box's coordinates to device pixels (block matrix times view matrix).
  void Draw(HDC dc, const CMatrix2D& display);

private:
  OutlinePoint HandleInBox() const;
  void DragTo(const OutlinePoint& inBox);
  bool PageToBox(float x, float y, OutlinePoint* inBox) const;

  int m_kind;
  CFRect m_box;
  CMatrix2D m_matrix;
  float m_amount;
  bool m_dragging;
  // The handle's catch radius in page units, measured from the last display matrix drawn with.
  double m_pagePerPixel;
};
