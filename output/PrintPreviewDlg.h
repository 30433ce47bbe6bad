// CPrintPreviewDlg: the print preview (dialog 4400): the sheet of the chosen printer as the page
// will print on it with the stored print settings ("PrintInfo"): the printable area, the margins,
// the ratio, rotation and mirror, the border and the blocks. Its print button closes it with IDOK
// (the caller then opens the print dialog), its close button with IDCANCEL. The picture is drawn
// once, when the dialog opens, into a bitmap of the frame control's size; the page in it is drawn
// at up to kMostSamples times the picture's resolution and averaged down, so that it shows what
// prints: lines as thin as the printer's pen makes them.
#pragma once

#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/Dialog.h"
#include "framework/Rect.h"
#include "output/PagePrinter.h"

class CAppProfile;
class CDC;
struct CPrintSettings;

class CPrintPreviewDlg : public CDialog {
public:
  enum ControlId : UINT { kDialogId = 4400, kPictureFrame = 4401, kPrintButton = 4402 };
  // Colours of the picture: the desk around the sheet, the sheet, and the printable area's edge.
  static constexpr COLORREF kDesk = RGB(128, 128, 128);
  static constexpr COLORREF kSheet = RGB(255, 255, 255);
  static constexpr COLORREF kPrintableEdge = RGB(0, 160, 255);

  CPrintPreviewDlg(const PrintPage& page, const CAppProfile& profile, CWnd* parent = nullptr);

  // The sheet's rectangle in the picture (pixels) and the picture itself, for a look at them.
  const CRect& SheetRect() const { return m_sheet; }
  HBITMAP Picture() const { return static_cast<HBITMAP>(m_picture.m_hObject); }
  // Millimetres per pixel of the picture.
  float MillimetresPerPixel() const { return m_scale > 0 ? 1.0f / m_scale : 0.0f; }

protected:
  BOOL OnInitDialog() override;
  void OnPaint();
  void OnPrint();
  DECLARE_MESSAGE_MAP()

private:
  // The most fine pixels a picture pixel averages along each side.
  static constexpr int kMostSamples = 8;

  void Render(CDC* dc, const CRect& area);
  // The page as the printer draws it, onto the sheet's rectangle of the picture.
  void DrawPrintedPage(CDC* dc, const CPrintLayout& layout, const CPrintSettings& settings,
                       const PrinterMetrics& metrics, CPoint printableCorner);

  PrintPage m_page;
  const CAppProfile& m_profile;
  CBitmap m_picture;
  CRect m_frame;
  CRect m_sheet;
  // Picture pixels per millimetre.
  float m_scale = 0;
};
