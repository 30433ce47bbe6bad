// CSquareSealDlg: the square seal dialog (308): size, border, corners, margins, gaps and text of a
// square stamp, with the picture of its template. Made for a new stamp (a template index and the
// page the stamp is centred on), OK makes the stamp, which the caller takes; made on a stamp (its
// property panel), it shows the stamp's values and OK leaves the stamp as it is: the caller
// applies Params(). Numbers are millimetres, shown as "%.2f"; OK refuses, with a message, a value
// that is not a number and values no stamp can be made of (CStampParams::Check), a text of more
// characters than the template has cells among them (saying how many it holds). A template
// without cells (空 and the personal seals 人名印章1 and 人名印章2, which lay out nothing) greys
// the text.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "output/OutputTexts.h"
#include "output/StampParams.h"

class CStampBlock;

class CSquareSealDlg : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 308,
    kWidth = 1144,
    kHeight = 1145,
    kBorder = 1345,
    kCornerSize = 1344,
    kStraight = 1346,
    kCut = 1347,
    kRound = 1348,
    kMarginX = 1351,
    kMarginY = 1352,
    kGapX = 1353,
    kGapY = 1206,
    kText = 1207,
    kPicture = 1158,
  };
  // The template pictures, 60 pixels wide each, in the order of the templates.
  static constexpr UINT kTemplatePictures = 307;
  static constexpr int kPictureSize = 60;
  // Where the picture stands inside its frame.
  static constexpr int kPictureInset = 5;
  // A new seal's text, built in; each language's resources give their own (52380).
  static const char kDefaultText[];

  CSquareSealDlg(int templateIndex, float pageWidth, float pageHeight, CWnd* parent = nullptr);
  explicit CSquareSealDlg(CStampBlock* stamp, CWnd* parent = nullptr);
  ~CSquareSealDlg() override;

  const CStampParams& Params() const { return m_params; }
  // The stamp OK made (null for a dialog on a stamp or before OK); the caller owns it.
  CStampBlock* TakeStamp() { return m_made.release(); }

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  void ShowNumber(UINT id, float value);
  // The edit's number into value; false, with a message and the edit selected, when it holds
  // none.
  bool ReadNumber(UINT id, float* value);
  bool ReadControls(CStampParams* params);
  // The message, with the control it concerns selected.
  void Refuse(const OutputText::Text& message, UINT control);
  void Refuse(const CString& message, UINT control);

  CStampParams m_params;
  float m_pageWidth;
  float m_pageHeight;
  CStampBlock* m_stamp;
  std::unique_ptr<CStampBlock> m_made;
  CImageList m_pictures;
};
