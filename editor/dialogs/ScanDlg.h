// CScanDlg: the scan dialog (222), opened by the view for the scan command. It is its own TWAIN
// owner window: the source manager is opened with the dialog, the user chooses a scanner (40160),
// scans (40159) and sees the image in the preview frame (1158); the image can be saved as a BMP
// file (1394) and a black-and-white image is vectorised and placed in the drawing (OK), 150
// screen pixels on its longer side from the page origin, in one undo step.
//
// Owns the last image scanned (a packed device-independent bitmap in movable global memory); a
// new scan replaces it. The scanner's events reach the dialog through its message pre-translation.
// Every TWAIN failure shows the one message "A TWAIN error occurred." and the dialog stays open.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"
#include "framework/TextButton.h"
#include "media/scanning/Twain.h"

class CBlock;

class CScanDlg : public CViewDialog, public CTwain {
  DECLARE_DYNAMIC(CScanDlg)
public:
  static constexpr UINT kTemplateId = 222;
  static constexpr int kPreview = 1158;
  static constexpr int kSelectScanner = 40160;
  static constexpr int kScan = 40159;
  static constexpr int kSaveImage = 1394;
  // The longer side of a placed scan, in screen pixels.
  static constexpr double kPlacedPixels = 150.0;

  CScanDlg(CTALVEX42View* view, const CAppProfile& profile);
  ~CScanDlg() override;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* message) override;
  void OnOK() override;
  void OnCancel() override;

  HGLOBAL GetImage() const { return m_image; }

protected:
  void OnSelectScanner();
  void OnScan();
  void OnSaveImage();
  void OnPaint();
  DECLARE_MESSAGE_MAP()

  void OnImage(HGLOBAL image) override;
  void OnError(int code) override;

private:
  void FreeImage();
  void UpdateButtons();
  bool IsOneBitImage() const;
  void DrawImage(HDC dc) const;
  // The image's outlines in pixels (top-left origin), or null; beeps for more than two colours.
  CBlock* VectorizeScan();
  void PlaceScan(CBlock* traced);

  HGLOBAL m_image = nullptr;
  // Greyed until there is a scanner, or an image to save or place.
  CTextButton m_buttons[4];
};
