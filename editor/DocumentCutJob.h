// CDocumentCutJob: the cut job of the active document for the cut device bar while the editor has
// no cut-output window: the document's blocks as outline curves on the page (a private copy; the
// document is not changed), its title, the interface language, and the exit button hiding the bar.
#pragma once

#include <windows.h>

#include "model/document/SegArray.h"
#include "output/CutOutputHost.h"

class CFrameWnd;
class CControlBar;

class CDocumentCutJob : public CCutOutputHost {
public:
  explicit CDocumentCutJob(CFrameWnd* frame) : m_frame(frame), m_bar(nullptr) {}
  void SetBar(CControlBar* bar) { m_bar = bar; }

  CSegArray* GetOutputBlocks() override;
  CString GetDocumentTitle() override;
  LANGID GetLanguage() override;
  void CloseCutOutput() override;

private:
  CFrameWnd* m_frame;
  CControlBar* m_bar;
  CSegArray m_curves;
};
