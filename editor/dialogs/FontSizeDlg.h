// CFontSizeDlg: the change-font dialog (174): font library and font, both sizes (with spins and a
// scroll bar that moves them together), spacing, line gap, angle and skews. It edits a copy of the
// program's text defaults; OK checks the values (sizes above 0, skews within 60 degrees, a library
// and a font chosen), then gives what changed to the selected characters of the text under edit,
// else to every selected text, in one undo step (the view's ApplyFontToSelection); unless
// characters under edit took them, the values become the new defaults and are stored.
#pragma once

#include "framework/Dialog.h"
#include "text/layout/TextDefaults.h"

class CTALVEX42View;

class CFontSizeDlg : public CDialog {
  DECLARE_DYNAMIC(CFontSizeDlg)
public:
  static constexpr UINT kTemplateId = 174;
  static constexpr float kLargestSkew = 60.0f;
  static constexpr int kLargestBarSize = 1500;
  // What the user changed, as CBoxArray::ApplyCharFormat takes it.
  enum : int { kChangedSize = 1, kChangedFont = 2, kChangedAngle = 4, kChangedSkew = 8 };

  explicit CFontSizeDlg(CTALVEX42View* view, CWnd* parent = nullptr);

  // The message for values OK refuses, null when they are fine.
  static LPCSTR CheckValues(const CTextDefaults& values, bool libraryChosen, bool fontChosen);
  // Whether the user's selected text can show the fonts of the charset in the preview (by its
  // first one or two bytes); otherwise the charset's own sample is shown.
  static bool SuitsCharset(LPCSTR text, int charset);
  // The selected characters of the view's text under edit, at most 40 bytes.
  static CString SelectedText(CTALVEX42View* view);

  const CTextDefaults& GetValues() const { return m_values; }
  int GetChanged() const { return m_changed; }

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnSizeChanged() { m_changed |= kChangedSize; }
  void OnAngleChanged() { m_changed |= kChangedAngle; }
  void OnSkewChanged() { m_changed |= kChangedSkew; }
  void OnLibraryChosen();
  void OnFontChosen();
  void OnSizeXSpin(NMHDR* header, LRESULT* result);
  void OnSizeYSpin(NMHDR* header, LRESULT* result);
  void OnHScroll(UINT code, UINT position, CScrollBar* bar);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  void FillFonts();
  float ReadNumber(int control) const;
  void ShowNumber(int control, float value);
  void StepSize(int control, NMHDR* header, LRESULT* result);
  void StoreDefaults(int row) const;
  void DrawPreview();

  CTALVEX42View* m_view;
  CTextDefaults m_values;
  int m_changed = 0;
  bool m_filling = false;
  CString m_selectedText;
};
