// CDialogBar: a control bar whose inside is a dialog made from a dialog template (a child-style
// template). Its controls update through the frame's update handlers at idle (disabled when no
// handler exists, if the frame asks so); what the bar does not handle of its controls'
// notifications goes on to the frame.
#pragma once

#include "framework/ControlBar.h"

class CDialogBar : public CControlBar {
  DECLARE_DYNAMIC(CDialogBar)
public:
  CDialogBar();

  CSize m_sizeDefault;  // the template's size

  // style: the bar's CBRS_ bits (the window is always a visible child).
  virtual BOOL Create(CWnd* parent, LPCSTR templateName, UINT style, UINT id);
  virtual BOOL Create(CWnd* parent, UINT templateId, UINT style, UINT id);

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  // Dialog keys (Tab, arrows) move between the bar's controls, after the frame's accelerators.
  BOOL PreTranslateMessage(MSG* msg) override;
};
