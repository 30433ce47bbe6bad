// CRectParamDlg: the rectangle dialog (190) of the rectangle tool. Widths and heights are typed as
// comma-separated lists; OK makes the rectangles centred on the tool's start point, a rectangle
// block for a single width, else one curve of all of them (a missing height takes the width).
#pragma once

#include <memory>

#include "framework/Dialog.h"
#include "model/geometry/FRect.h"

class CBlock;

class CRectParamDlg : public CDialog {
  DECLARE_DYNAMIC(CRectParamDlg)
public:
  static constexpr UINT kTemplateId = 190;
  enum : int { kWidths = 1144, kHeights = 1145 };

  CRectParamDlg(const FPOINT& centre, CWnd* parent = nullptr);
  ~CRectParamDlg() override;

  // The shape of the lists around the centre; null when no width is a positive number.
  static CBlock* MakeShape(const FPOINT& centre, const char* widths, const char* heights);

  CBlock* TakeResult() { return m_result.release(); }

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

private:
  FPOINT m_centre;
  std::unique_ptr<CBlock> m_result;
};
