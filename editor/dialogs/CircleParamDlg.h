// CCircleParamDlg: the circle dialog (191) of the circle tool: whole circles, arcs, pie slices or
// chords around the tool's start point, from comma-separated lists of horizontal and vertical
// radii (a missing or zero vertical radius takes the horizontal one) and, for the three arc kinds,
// a start and an end angle in degrees. All shapes go into one curve.
#pragma once

#include <memory>

#include "framework/Dialog.h"
#include "model/geometry/FRect.h"

class CCurveBlock;

class CCircleParamDlg : public CDialog {
  DECLARE_DYNAMIC(CCircleParamDlg)
public:
  static constexpr UINT kTemplateId = 191;
  enum Kind { kCircle, kArc, kPie, kChord };
  enum : int {
    kCircleRadio = 158,
    kArcRadio = 159,
    kPieRadio = 160,
    kChordRadio = 161,
    kRadiiX = 1185,
    kRadiiY = 1186,
    kStartAngle = 1278,
    kEndAngle = 1279,
  };

  CCircleParamDlg(const FPOINT& centre, CWnd* parent = nullptr);
  ~CCircleParamDlg() override;

  // The curve of the lists around the centre (angles in degrees); null when nothing is made.
  static CCurveBlock* MakeShape(Kind kind, const FPOINT& centre, const char* radiiX,
                                const char* radiiY, double startDegrees, double endDegrees);

  CCurveBlock* TakeResult() { return m_result.release(); }

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnKindChosen();

  DECLARE_MESSAGE_MAP()

private:
  Kind ChosenKind() const;

  FPOINT m_centre;
  std::unique_ptr<CCurveBlock> m_result;
};
