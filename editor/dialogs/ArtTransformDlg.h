// CArtTransformDlg: the artistic-transformation chooser (dialog 261). It lists the transform
// library's transformations by name (combo box 1148) and by preview (the owner-drawn multi-column
// list 1150 of 70 x 70 pixel items, each a 60 x 60 picture); choosing one in either list chooses
// the same in the other. OK applies the chosen transformation to the one selected block of the
// view through the view's art-transform commands; while that cannot be done the dialog stays open.
//
// Item i of both lists and image i of the image list are transformation i + 1 whatever the
// library answers: a transformation without a name or a picture keeps its place with an empty
// name or a blank picture. The dialog owns its image list. Without the library both lists stay
// empty and OK does nothing.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/ImageList.h"

class CArtTransformCommands;

class CArtTransformDlg : public CDialog {
  DECLARE_DYNAMIC(CArtTransformDlg)
public:
  static constexpr UINT kTemplateId = 261;
  enum : int { kNames = 1148, kPreviews = 1150 };
  static constexpr int kItemSize = 70;
  static constexpr int kPictureSize = 60;
  static constexpr int kPictureInset = 5;

  // chineseUi asks the library for Chinese names.
  CArtTransformDlg(CArtTransformCommands& commands, bool chineseUi, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;
  // The pictures, image i for item i.
  const CImageList& GetPreviews() const { return m_previews; }

protected:
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnNameChosen();
  void OnPreviewChosen();
  DECLARE_MESSAGE_MAP()

private:
  // Adds the library's picture (deleting it afterwards), or a blank one for none.
  void AddPreview(HBITMAP preview);
  void DrawPreviewItem(const DRAWITEMSTRUCT& item);

  CArtTransformCommands& m_commands;
  bool m_chineseUi;
  CImageList m_previews;
};
