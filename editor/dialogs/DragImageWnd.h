// CDragImageWnd: the picture that follows the pointer while a graphic is dragged out of the
// library browser: a small top-most window, owned by the browser, showing the graphic's outline
// fitted into its client area, with its top left corner at the pointer (where the graphic's box
// will begin). It never takes the activation, and it is transparent to hit testing, so the window
// under the pointer is always the one below the picture. It owns its outline.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Wnd.h"

class CContour;

class CDragImageWnd : public CWnd {
public:
  // Sides of the picture are held to this many pixels.
  static constexpr int kSmallestSide = 8;
  static constexpr int kLargestSide = 400;

  CDragImageWnd();
  ~CDragImageWnd() override;

  // Shows the outline (taken; may be null: an empty frame) fitted into size pixels with its top
  // left at the screen point; a picture already shown is replaced.
  BOOL Show(CWnd* owner, CContour* outline, SIZE size, POINT screen);
  void MoveTo(POINT screen);
  void Hide();
  bool IsShown() const { return m_hWnd != nullptr; }

protected:
  void OnPaint();
  LRESULT OnNcHitTest(CPoint point);
  DECLARE_MESSAGE_MAP()

private:
  std::unique_ptr<CContour> m_outline;
};
