// CLibManageDlg: the graphics-library manager (281), modal. The left side browses a source (the two
// font types and the mounted libraries, as the picker does): its kinds and, in a list of cells, the
// graphics of the chosen kind. The right side is a tree of the mounted libraries with their kinds,
// which names the target: a double-click on a cell appends that graphic to the kind chosen in the
// tree, scaled to the target library's graphic size (CPicLibrary::PutCopiedGraphic). The manager
// creates libraries (never over an existing file) and kinds, renames libraries and kinds by editing
// the tree's labels (a label whose write fails is refused), deletes graphics from a library source
// and, with the maintenance switch, appends a whole source kind to the target kind and shuffles a
// kind's graphics. A kind takes at most 255 graphics: adding stops there with a message. Every
// change goes straight to the library file.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "editor/dialogs/LibrarySource.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"

class CLibManageDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 281;
  static constexpr int kItemHeight = 50;
  static constexpr int kColumnWidth = 65;
  static constexpr int kTreeImageWidth = 16;
  enum TreeImage { kLibraryImage = 0, kKindImage = 1 };

  explicit CLibManageDlg(CWnd* parent = nullptr);

  BOOL OnInitDialog() override;

  // The operations behind the buttons; each tells the user why when it does nothing, except where
  // it says otherwise. True when the library changed.
  bool AddChosenGraphic();
  bool NewLibrary();
  bool NewKind();
  bool DeleteChosenGraphic();
  bool AppendKind();
  bool Randomize();
  // Writes a tree label; false (and the label refused) when the write fails.
  bool RenameItem(HTREEITEM item, LPCSTR text);

  // Fills the type, kind, file lists and the tree again from the mounted libraries.
  void FillLists();
  // The tree's item of mounted library n, or of its kind when kind is not negative; null when none.
  HTREEITEM FindTreeItem(int library, int kind) const;

protected:
  void OnTypeChosen();
  void OnKindChosen();
  void OnGraphicDoubleClick() { AddChosenGraphic(); }
  void OnNewLibrary() { NewLibrary(); }
  void OnNewKind() { NewKind(); }
  void OnDelete() { DeleteChosenGraphic(); }
  void OnAppendKind() { AppendKind(); }
  void OnRandomize() { Randomize(); }
  void OnBeginLabelEdit(NMHDR* header, LRESULT* result);
  void OnEndLabelEditA(NMHDR* header, LRESULT* result);
  void OnEndLabelEditW(NMHDR* header, LRESULT* result);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  DECLARE_MESSAGE_MAP()

private:
  // The source type chosen in the type list; -1 when none is.
  int ChosenType() const;
  void ShowType(int type);
  void FillGraphics();
  void DrawCell(const DRAWITEMSTRUCT& item);
  int ChosenKind() const;
  int ChosenEntry() const;
  // The mounted library and kind chosen in the tree; false when no kind is chosen.
  bool TargetKind(int& library, int& kind) const;
  // Opens the library of the kind chosen in the tree, saying why when it cannot.
  bool OpenTargetKind(CPicLibrary& target, int& library, int& kind);
  // The mounted library of the tree's chosen item (a library or one of its kinds); -1 when none.
  int ChosenTreeLibrary() const;
  // Appends the outline to the target's kind, saying why when it cannot.
  bool AppendTo(CPicLibrary& target, int kind, CContour* outline);
  void Tell(UINT message, LPCSTR detail = nullptr) const;

  CLibrarySource m_source;
  CImageList m_treeImages;
};
