#include "editor/dialogs/LineTypeDlg.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/MessageBox.h"
#include "framework/String.h"
#include "model/blocks/CurveBlock.h"

IMPLEMENT_DYNAMIC(CLineTypeDlg, CDialog)

namespace {

const char kNumberCharacters[] = "0123456789.-+";
// The edit selects this many characters where a malformed number starts.
const int kMarkedCharacters = 4;

// clang-format off
const char* const kProblemTexts[] = {
  "数据格式错误",
  "x,y不匹配",
  "x,y最少为2对",
};
// clang-format on
const char kErrorCaption[] = "错误";

bool IsNumberCharacter(char c) { return c != '\0' && std::strchr(kNumberCharacters, c); }

}  // namespace

CLineTypeDlg::CLineTypeDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

CLineTypeDlg::~CLineTypeDlg() = default;

const char* CLineTypeDlg::TextOf(Problem problem) { return kProblemTexts[problem]; }

CLineTypeDlg::Scan CLineTypeDlg::ScanNumbers(const char* text) {
  Scan scan;
  if (!text) return scan;
  int length = static_cast<int>(std::strlen(text));
  int i = 0;
  while (i < length) {
    if (!IsNumberCharacter(text[i])) {
      ++i;
      continue;
    }
    int start = i;
    bool point = false;
    for (; i < length && IsNumberCharacter(text[i]); ++i) {
      char c = text[i];
      bool badSign = (c == '-' || c == '+') && i != start;
      bool secondPoint = c == '.' && point;
      if (badSign || secondPoint) {
        scan.errorAt = start;
        return scan;
      }
      point = point || c == '.';
    }
    scan.numbers.push_back(
        static_cast<float>(std::atof(std::string(text + start, i - start).c_str())));
  }
  return scan;
}

std::vector<CLineTypeDlg::Problem> CLineTypeDlg::ProblemsOf(const Scan& scan) {
  std::vector<Problem> problems;
  if (scan.errorAt >= 0)
    problems.push_back(kFormatError);
  else if (scan.numbers.size() % 2 != 0)
    problems.push_back(kOddCount);
  if (scan.numbers.size() < 4) problems.push_back(kTooFewPairs);
  return problems;
}

CCurveBlock* CLineTypeDlg::MakeCurve(const std::vector<float>& numbers) {
  size_t pairs = numbers.size() / 2;
  if (pairs < 2) return nullptr;
  auto* curve = new CCurveBlock;
  for (size_t i = 0; i < pairs; ++i) {
    BYTE flags = kPointOnCurve;
    if (i == 0) flags |= kPointStart;
    if (i + 1 == pairs) flags |= kPointOpenEnd;
    curve->AddPoint(numbers[2 * i], numbers[2 * i + 1], flags);
  }
  curve->EndCurve();
  return curve;
}

void CLineTypeDlg::OnOK() {
  CString text;
  GetDlgItemText(kPoints, text);
  Scan scan = ScanNumbers(text);
  std::vector<Problem> problems = ProblemsOf(scan);
  if (scan.errorAt >= 0) {
    SendDlgItemMessage(kPoints, EM_SETSEL, static_cast<WPARAM>(scan.errorAt),
                       static_cast<LPARAM>(scan.errorAt + kMarkedCharacters));
    SendDlgItemMessage(kPoints, EM_SCROLLCARET);
  }
  for (Problem problem : problems)
    AfxShowMessageBox(m_hWnd, TextOf(problem), kErrorCaption, MB_OK | MB_ICONWARNING);
  if (!problems.empty()) return;
  m_result.reset(MakeCurve(scan.numbers));
  CDialog::OnOK();
}
