// CArtTransformCommands: the main view's artistic transformations. The chooser (command 60000)
// picks one of the transform library's transformations; the library's effects in the menu
// (60000 + n, inserted by the main frame) apply transformation n at once; the cancel (60100)
// gives a transform block's source back. The view's command table decides whether a command is
// enabled; the view then hands it here.
//
// Applying replaces the one selected block (neither an image nor a transform block) by a transform
// block over it, at the same place in the list, and starts node editing of the new block; the
// cancel puts the source back in the transform block's place with the transformation's matrix
// applied, selected. Each is one undo step that undo takes back exactly. The library is the
// model's transform service.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"

class CBlock;
class CTALVEX42Doc;
class CTALVEX42View;

class CArtTransformCommands : public CCmdTarget {
public:
  enum Result {
    // The selection is not one block that can be transformed: nothing happened.
    kNotApplicable,
    kApplied,
    // The library made no transformation of the block: nothing changed, and a message said so.
    kRefused,
  };

  explicit CArtTransformCommands(CTALVEX42View* view);

  // Transformation number 1..count over the selected block.
  Result Apply(int transformation);
  // The selected transform block replaced by its source; false when one is not selected.
  bool Cancel();

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
  void OnChooser();
  void OnEffect(UINT id);
  void OnCancel();
  DECLARE_MESSAGE_MAP()

private:
  CTALVEX42Doc* Document() const;
  // The one selected block of the document, null when none or several are selected.
  CBlock* SingleSelected() const;
  // Ends the editing of the block under edit, recording it.
  void EndEditing();

  CTALVEX42View* m_view;
};
