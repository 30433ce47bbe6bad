// COutputAreaCommands: the output-area side of a drawing view: the tools that draw (32792) and
// select (32794) areas, the commands that enter the area mode (40024), clear all areas (32791),
// flag the selected ones for cutting (40032) or not (32827) and delete them, and the painting and
// mouse input of the areas. The view asks it first for its commands and installs it as the mouse
// target of its output-area stage; the view paints the areas, this draws the selection over them.
#pragma once

#include <windows.h>

#include "editor/tools/OutputAreaDrawTool.h"
#include "editor/tools/OutputAreaTracker.h"
#include "editor/views/ViewMouseTarget.h"
#include "framework/CmdTarget.h"

class CCmdUI;
class CDC;
class CMatrix2D;
class CTALVEXView;
class CTALVEX42Doc;

class COutputAreaCommands : public CCmdTarget, public CViewMouseTarget {
public:
  enum : UINT {
    kAreaMode = 40024,
    kDrawTool = 32792,
    kSelectTool = 32794,
    kClearAll = 32791,
    kSolid = 40032,
    kHollow = 32827,
    kDelete = 57632,
  };

  explicit COutputAreaCommands(CTALVEXView* view);

  // True while 32792 or 32794 is the view's tool.
  bool IsOutputAreaToolActive() const;
  COutputAreaTracker& GetTracker() { return m_tracker; }

  // Hooks for the view. Commands: the view's OnCmdMsg asks this first. Mouse: in page units;
  // true when the areas took the event.
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
  bool OnLButtonDown(UINT flags, float x, float y);
  bool OnMouseMove(UINT flags, float x, float y);
  bool OnLButtonUp(UINT flags, float x, float y);

  // The view's mouse target.
  BOOL OnLButtonDown(const Event& event) override;
  BOOL OnMouseMove(const Event& event) override;
  BOOL OnLButtonUp(const Event& event) override;
  // The selection's tracker; the areas themselves are painted by the view.
  void Draw(CDC* dc, CMatrix2D* matrix) override;

protected:
  void OnAreaMode();
  void OnDrawTool();
  void OnSelectTool();
  void OnClearAll();
  void OnSolid();
  void OnHollow();
  void OnDelete();
  void OnUpdateTool(CCmdUI* cmdUI);
  void OnUpdateClearAll(CCmdUI* cmdUI);
  void OnUpdateSelection(CCmdUI* cmdUI);
  DECLARE_MESSAGE_MAP()

private:
  CTALVEX42Doc* Document() const;
  // Points the tracker at the view's document; false without one.
  bool Attach();
  void SetTool(int tool);

  CTALVEXView* m_view;
  COutputAreaTracker m_tracker;
  COutputAreaDrawTool m_drawTool;
};
