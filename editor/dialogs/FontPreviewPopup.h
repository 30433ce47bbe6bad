// CFontPreviewPopup: the small window (288) beside the text page's dropped font list that shows a
// sample of the font under the highlight. It keeps its own copy of the text defaults: the
// highlighted font becomes the default font of its language there, and the characters are sized
// to the window (0.8 of its smaller side). The text page creates it at the first drop-down and
// keeps it; it is only shown while the list is dropped.
#pragma once

#include "framework/Dialog.h"
#include "text/layout/TextDefaults.h"

class CSampleText;

class CFontPreviewPopup : public CDialog {
  DECLARE_DYNAMIC(CFontPreviewPopup)
public:
  static constexpr UINT kTemplateId = 288;
  static constexpr float kSizeShare = 0.8f;
  static constexpr float kMargin = 5.0f;

  CFontPreviewPopup();

  BOOL CreatePopup(CWnd* owner);
  // The character size for a client area of that many pixels.
  static float SizeFor(int width, int height);
  // Shows the font number of the library with that font code (charset and source) from now on.
  void ShowFont(WORD code, int fontNumber, int languageRow);
  // The sample as painted: the charset's own sample from the left margin, on a base line one
  // character height and a margin below the top.
  static void LayOut(CSampleText& sample, int charset, const CTextDefaults& values);

  const CTextDefaults& GetValues() const { return m_values; }
  int GetCharset() const { return m_charset; }

protected:
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  CTextDefaults m_values;
  int m_charset = 0;
};
