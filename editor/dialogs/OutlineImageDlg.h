// COutlineImageDlg: the outline vectorising dialog (280): turns the selected image block into
// outlines placed over it, through the vectorising library (command 40022) or the tracing library
// (32868). The radio buttons choose the vectoriser's preset ("Delta" of "VECTOR", 0-4; a negative
// "Delta", the user's own values, checks none and is kept unless a preset is chosen) and the edit
// field keeps "BlackThreshold"; both are stored by "矢量化" and by "退    出".
//
// The traced outline is scaled from pixels onto the image's box, coloured 255 and added to the
// drawing with the image sent behind it, in one undo step. A picture of more than two colours is
// refused in the dialog's message line, with a beep; the dialog stays open.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"
#include "framework/TextButton.h"
#include "media/tracing/ImageTracer.h"

class CImageBlock;

class COutlineImageDlg : public CViewDialog {
  DECLARE_DYNAMIC(COutlineImageDlg)
public:
  static constexpr UINT kTemplateId = 280;
  enum : int {
    kNoError = 1233,  // the presets 0 .. 4: 1233 .. 1237
    kVerySmooth = 1237,
    kMessage = 1238,
    kBlackThreshold = 1261,
  };
  // The colour the traced outline gets.
  static constexpr DWORD kOutlineColour = 255;

  // useVectoriser: the vectorising library (40022), else the tracing one (32868).
  COutlineImageDlg(CTALVEX42View* view, const CAppProfile& profile, bool useVectoriser);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  CImageTracer& Tracer() { return m_tracer; }

private:
  void WriteSettings() const;
  void ShowText(UINT id);
  void RefuseWithoutImage();
  void ClearClientArea();
  // Places the traced block over the image and adds it, with the image sent back, in one step.
  void AddOverImage(CBlock* traced, const CImageBlock& image, SIZE pixels);

  bool m_useVectoriser;
  CImageTracer m_tracer;
  CTextButton m_okButton;  // greyed without an image to trace
};
