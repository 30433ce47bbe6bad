// CTextButton: a push button that paints its own face and text, the text grey while the button is
// disabled. The system draws a disabled button's text embossed through a monochrome bitmap of the
// text's measured size; under Wine the glyphs of some fonts come out wider there than they were
// measured, and the last letters are cut off ("Tes" for "Test"), however wide the button. Drawn
// here, the text is measured and drawn in the same device context. The button stays a candidate
// for the dialog's default button, and shows the default button's dark frame while it is one.
#pragma once

#include "framework/Button.h"

class CTextButton : public CButton {
  DECLARE_DYNAMIC(CTextButton)
public:
  // Takes over the parent's button of this id and makes it owner-drawn; false without one.
  BOOL TakeOver(UINT id, CWnd* parent);

  void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool m_default = false;
};
