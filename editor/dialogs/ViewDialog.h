// CViewDialog: the base of the modal editing dialogs that act on a drawing view: its selection
// tracker, its document and its undo manager, and the small readers and writers of numeric edit
// fields the dialogs share. The view is given by the command that runs the dialog (it is the
// active view), may be null in a dialog without one, and outlives the dialog.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/String.h"

class CAppProfile;
class CBlock;
class CImageBlock;
class CSelectTracker;
class CTALVEX42Doc;
class CTALVEX42View;

class CViewDialog : public CDialog {
public:
  // Edit fields are read with at most this many characters.
  static constexpr int kFieldLength = 20;

  CViewDialog(UINT templateId, CTALVEX42View* view, const CAppProfile& profile,
              CWnd* parent = nullptr);

protected:
  CTALVEX42View* View() const { return m_view; }
  CTALVEX42Doc* Document() const;
  // Null without a view.
  CSelectTracker* Tracker() const;
  // The first selected image of the document; null when none is selected.
  CImageBlock* SelectedImage() const;
  const CAppProfile& Profile() const { return m_profile; }

  // The text of a control, cut to length characters.
  CString ReadText(int id, int length = kFieldLength) const;
  float ReadFloat(int id, int length = kFieldLength) const;
  int ReadInt(int id) const;
  void ShowNumber(int id, LPCSTR format, double value);
  void ShowInt(int id, int value) { SetDlgItemInt(id, static_cast<UINT>(value), TRUE); }
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);
  void EnableControl(int id, bool enable);

  // Line index of a string resource whose lines are separated by '\n'; empty past the end.
  static CString ResourceLine(UINT id, int index);
  // A message box of string resources (no caption: the program's own).
  int ShowMessage(UINT textId, UINT captionId = 0, UINT type = MB_OK);

  // Adds a new block to the document, with its insert record while the view records, and
  // invalidates it.
  void AddToDocument(CBlock* block);

private:
  CTALVEX42View* m_view;
  const CAppProfile& m_profile;
};
