// CCardCopyDlg: the business-card dialog (286). The drawing is one card at the page origin; the
// dialog fills a sheet with copies of it in a grid, with an optional frame of the card's size,
// and keeps its settings in "CARDDUP" of TALVEX42.INI (CCardSettings), stored by both of its
// buttons. The copies are clones made inside the program, so the user's clipboard keeps what the
// user put there; the frame and every copy are one undo step, and nothing is added unless every
// copy could be made. Counts beyond CCardLayout::kMostCards are refused with a message.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"
#include "output/CardLayout.h"
#include "output/CardSettings.h"

class CIniFile;

class CCardCopyDlg : public CViewDialog {
  DECLARE_DYNAMIC(CCardCopyDlg)
public:
  enum : int {
    kTemplateId = 286,
    kDrawingWidth = 1284,
    kDrawingHeight = 1285,
    kCardType = 1274,
    kCardWidth = 1275,
    kCardHeight = 1276,
    kCardFrame = 1277,
    kSheetType = 1233,
    kSheetWidth = 1281,
    kSheetHeight = 1282,
    kGapX = 1278,
    kGapY = 1279,
    kAcross = 1206,
    kDown = 1207,
    kFillSheet = 1134,
  };

  CCardCopyDlg(CTALVEX42View* view, const CIniFile& settings, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

protected:
  void OnSheetType();
  void OnCardType();
  void OnFillSheet();
  DECLARE_MESSAGE_MAP()

private:
  // Entries of a string split at ';' (an empty last piece adds nothing).
  void FillList(int id, UINT stringId);
  int Selection(int id) const;
  // Fixed sizes fill their fields and lock them; type 0 shows the stored sizes to be typed.
  void ApplyType(int typeId, int widthId, int heightId, bool sheet);
  // The fields as settings, the card's sides made usable.
  CCardSettings ReadFields() const;
  CCardLayout::Size Card() const;
  // The frame (null when not asked for) and every copy, added in one undo step; false, adding
  // nothing, when a copy could not be made.
  bool Duplicate(const CCardSettings& cards);

  const CIniFile& m_file;
  CCardSettings m_stored;
};
