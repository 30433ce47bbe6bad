// CPathTextPanel: what the text-layout panels (along a path, on an arc, on an arch) share: a strip
// of picture buttons for the placement of the characters and a few edits, shown in the property
// window. The owning layout effect fills the values and reads them back; OK (Enter in an edit)
// hands the panel to the active view, which applies it to the current block of its selection.
// The classes derived from it differ in their template only, by which the effect tells its own
// panel.
#pragma once

#include "framework/Dialog.h"

class CPathTextPanel : public CDialog {
  DECLARE_DYNAMIC(CPathTextPanel)
public:
  // Applies the panel to the current block of the active view's selection in one undo step;
  // FALSE when there is none. The drawing view installs it; until then OK does nothing.
  using PanelApplier = BOOL (*)(HWND panel);
  static PanelApplier SetPanelApplier(PanelApplier applier);

  explicit CPathTextPanel(UINT templateId) : m_templateId(templateId) {}

  // The panel as a modeless child of parent, carrying its template id in its user-data word.
  BOOL CreateIn(CWnd* parent);
  // The text layouts' panel factory: a new panel of the template (260 arc, 1159 arch, 268 path)
  // as a child of parent that deletes itself with its window; null for another template or when
  // the window cannot be made.
  static HWND CreateForTemplate(int templateId, HWND parent);
  UINT GetTemplateId() const { return m_templateId; }

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override {}

protected:
  void PostNcDestroy() override;

private:
  UINT m_templateId;
  bool m_ownsItself = false;
};
