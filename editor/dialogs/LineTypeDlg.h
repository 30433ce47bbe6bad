// CLineTypeDlg: the line type dialog (314) of the line tool. The user types x, y pairs; OK makes
// them one open curve. A number is a run of "0123456789.-+"; any other character separates
// numbers. A sign inside a number or a second decimal point is a format error (the edit selects
// the number's first four characters); an odd count of numbers or fewer than two pairs keep the
// dialog open with a message.
#pragma once

#include <memory>
#include <vector>

#include "framework/Dialog.h"

class CCurveBlock;

class CLineTypeDlg : public CDialog {
  DECLARE_DYNAMIC(CLineTypeDlg)
public:
  static constexpr UINT kTemplateId = 314;
  static constexpr int kPoints = 1386;

  // What the scan of the text found.
  struct Scan {
    std::vector<float> numbers;
    // Where the malformed number starts, -1 when none.
    int errorAt = -1;
  };
  // The messages the scan gives, in the order they are shown.
  enum Problem { kFormatError, kOddCount, kTooFewPairs };

  explicit CLineTypeDlg(CWnd* parent = nullptr);
  ~CLineTypeDlg() override;

  static Scan ScanNumbers(const char* text);
  static std::vector<Problem> ProblemsOf(const Scan& scan);
  // The pairs as one open curve: start, points, end.
  static CCurveBlock* MakeCurve(const std::vector<float>& numbers);
  static const char* TextOf(Problem problem);

  // The curve made by OK (the caller's), null until then.
  CCurveBlock* TakeResult() { return m_result.release(); }

protected:
  void OnOK() override;

private:
  std::unique_ptr<CCurveBlock> m_result;
};
