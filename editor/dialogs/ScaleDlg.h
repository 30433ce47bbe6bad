// CScaleDlg: the scale dialog (172). It shows the selection's width and height; typing a size
// with "等比缩放" checked updates the other size and the ratio, and typing a ratio updates both
// sizes. The unit choices of "缩放方式" change the hint above the fields; millimetres also shows
// the selection's size again. On OK the selection is scaled onto the typed size, its top-left
// corner staying, in one undo step; a size that is not above 0 keeps the dialog open.
//
// Every handler that writes into the other fields holds the guard while it does, so the fields'
// own change notifications cannot answer one another back and forth.
#pragma once

#include "editor/dialogs/ViewDialog.h"
#include "model/geometry/FRect.h"

class CScaleDlg : public CViewDialog {
  DECLARE_DYNAMIC(CScaleDlg)
public:
  static constexpr UINT kTemplateId = 172;
  enum : int {
    kHint = 1184,
    kWidth = 1185,
    kHeight = 1186,
    kRatio = 1039,
    kProportional = 1038,
    // The unit choices: millimetres (the sizes, hint "mm 2<n") or a ratio (its own hint).
    kMillimetres = 1183,
    kRatioUnit = 1143,
  };

  CScaleDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;
  // How often a field handler has run since the dialog opened.
  int GetHandlerRuns() const { return m_handlerRuns; }

protected:
  void OnProportional();
  void OnMillimetres();
  void OnRatioUnit();
  void OnWidthChanged();
  void OnHeightChanged();
  void OnRatioChanged();
  DECLARE_MESSAGE_MAP()

private:
  void FromSize(int typed, int other, float boxTyped, float boxOther);
  // The selection's size in both size fields and the millimetre hint.
  void ShowSize();

  bool m_guard = false;
  bool m_proportional = false;
  CFRect m_box;
  int m_handlerRuns = 0;
};
