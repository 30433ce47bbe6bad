#include "editor/TALVEX42Frame.h"

namespace {

const DWORD kAddedStyles = WS_MAXIMIZE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
const DWORD kRemovedStyles = WS_THICKFRAME | WS_MINIMIZEBOX;

}  // namespace

IMPLEMENT_DYNCREATE(CTALVEX42Frame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CTALVEX42Frame, CMDIChildWnd)
  ON_COMMAND(kPaletteSettingsCommand, OnPaletteSettings)
END_MESSAGE_MAP()

BOOL CTALVEX42Frame::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                            CCreateContext* context) {
  style = (style & ~kRemovedStyles) | kAddedStyles;
  return CMDIChildWnd::Create(className, title, style, rect, parent, context);
}

BOOL CTALVEX42Frame::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= kAddedStyles;
  return CMDIChildWnd::PreCreateWindow(cs);
}
