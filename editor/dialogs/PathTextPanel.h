// CPathTextPanel: what the text-layout panels (along a path, on an arc) share: a strip of
// picture buttons for the placement of the characters and a few edits, shown in the property
// window. The owning layout effect fills the values and reads them back; OK (Enter in an edit)
// hands the panel to the current block of the active view's selection. The classes derived from
// it differ in their template only, by which the effect tells its own panel.
#pragma once

#include <functional>

#include "framework/Dialog.h"

class CBlock;

class CPathTextPanel : public CDialog {
  DECLARE_DYNAMIC(CPathTextPanel)
public:
  // Answers the current block of the active view's selection, or null. The selection tool
  // installs it; until then no block takes the panel.
  using CurrentBlockQuery = std::function<CBlock*()>;
  static CurrentBlockQuery SetCurrentBlockQuery(CurrentBlockQuery query);

  explicit CPathTextPanel(UINT templateId) : m_templateId(templateId) {}

  // The panel as a modeless child of parent, carrying its template id in its user-data word.
  BOOL CreateIn(CWnd* parent);
  UINT GetTemplateId() const { return m_templateId; }

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override {}

private:
  UINT m_templateId;
};
