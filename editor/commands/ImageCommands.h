// CImageCommands: the main view's image commands: reading a BMP or TIFF file into the drawing
// (40021), the image to bars dialog (32787), the outline vectorising dialog through the
// vectoriser (40022) or the tracer (32868), the vectorising settings (40062, 40149) and the
// screen trace (40164). The view's command table decides whether they are enabled; the view then
// hands them here before its own message map.
//
// Reading an image asks for the file (the folder is remembered as "Image" in "SystemParam"), has
// the reader check it (telling the user what it cannot handle), and adds an image block at the
// page origin, 200 screen pixels on its longer side, in one undo step. A file whose path no form
// of the image record can hold is refused with a message rather than lost at the next save.
#pragma once

#include <windows.h>

#include "editor/commands/ViewCommandBase.h"
#include "framework/CmdTarget.h"

class CImageBlock;

class CImageCommands : public CCmdTarget, public CViewCommandBase {
public:
  static const char kImageFilter[];
  // The longer side of a new image, in screen pixels.
  static constexpr double kNewImagePixels = 200.0;

  explicit CImageCommands(CTALVEX42View* view);

  // The read-image flow once a file is chosen: the new block (the document's), or null when the
  // file is of another kind or is refused, which the user is told.
  CImageBlock* ReadImageFile(LPCSTR path);

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
  void OnReadImage();
  void OnImageBars();
  void OnVectorise();
  void OnTraceOutline();
  void OnVectorSettings();
  void OnCurveFitParams();
  // Hides the main window while the screen trace runs and shows it again afterwards.
  void OnScreenTrace();
  DECLARE_MESSAGE_MAP()
};
