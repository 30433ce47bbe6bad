// CFontCommands: the main view's font commands: the font paths dialog (40059) and building a font
// file from the curves drawn on the page (32895), after which the fonts are mounted anew. The
// view's command table enables them; the view then hands them here.
#pragma once

#include "framework/CmdTarget.h"

class CTALVEX42View;

class CFontCommands : public CCmdTarget {
public:
  explicit CFontCommands(CTALVEX42View* view) : m_view(view) {}

protected:
  void OnFontPaths();
  void OnFontFromScreen();
  DECLARE_MESSAGE_MAP()

private:
  CTALVEX42View* m_view;
};
