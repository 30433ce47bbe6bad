// CStampAreaDlg: the stamp area dialog (305), where a new stamp begins: a shape from the shape
// list and, for the square shape, a template from the combo box or from the picture list (an
// owner-drawn list of the template pictures; the two choices follow each other). OK runs the
// square seal dialog with the template; the dialog ends with the stamp that dialog made, which
// the caller takes. Only square stamps are made: OK on another shape says so and the dialog stays
// open, as it does when the square seal dialog is cancelled.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Dialog.h"
#include "framework/ImageList.h"

class CStampBlock;

class CStampAreaDlg : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 305,
    kPictureList = 32810,
    kTemplateCombo = 1341,
    kShapeList = 1339,
  };
  enum : int { kSquareShape = 0 };

  // The stamp is made centred on a page of the given size.
  CStampAreaDlg(float pageWidth, float pageHeight, CWnd* parent = nullptr);
  ~CStampAreaDlg() override;

  // The stamp made (null when none); the caller owns it.
  CStampBlock* TakeStamp();

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnShapeChosen();
  void OnTemplateChosen();
  void OnPictureChosen();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
  DECLARE_MESSAGE_MAP()

private:
  int SelectedTemplate() const;

  float m_pageWidth;
  float m_pageHeight;
  CImageList m_pictures;
  std::unique_ptr<CStampBlock> m_stamp;
};
