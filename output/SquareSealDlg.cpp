#include "output/SquareSealDlg.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/GbkEdit.h"
#include "framework/GbkText.h"
#include "framework/MessageBox.h"
#include "framework/PaintDC.h"
#include "output/OutputTexts.h"
#include "output/StampBlock.h"
#include "output/StampLayout.h"

// clang-format off
BEGIN_MESSAGE_MAP(CSquareSealDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

const char CSquareSealDlg::kDefaultText[] = "标准方章";

namespace {

struct NumberField {
  UINT id;
  float CStampParams::*value;
};

const NumberField kNumberFields[] = {
    {CSquareSealDlg::kWidth, &CStampParams::width},
    {CSquareSealDlg::kHeight, &CStampParams::height},
    {CSquareSealDlg::kBorder, &CStampParams::border},
    {CSquareSealDlg::kCornerSize, &CStampParams::cornerSize},
    {CSquareSealDlg::kMarginX, &CStampParams::marginX},
    {CSquareSealDlg::kMarginY, &CStampParams::marginY},
    {CSquareSealDlg::kGapX, &CStampParams::gapX},
    {CSquareSealDlg::kGapY, &CStampParams::gapY},
};

// A decimal number with nothing but blanks around it.
bool ParseNumber(LPCSTR text, float* value) {
  char* end = nullptr;
  double number = strtod(text, &end);
  if (end == text) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0' || !std::isfinite(number) || std::fabs(number) > 1.0e6) return false;
  *value = static_cast<float>(number);
  return true;
}

UINT FirstNegative(const CStampParams& params) {
  for (const NumberField& field : kNumberFields)
    if (!(params.*field.value >= 0)) return field.id;
  return CSquareSealDlg::kBorder;
}

}  // namespace

CSquareSealDlg::CSquareSealDlg(int templateIndex, float pageWidth, float pageHeight, CWnd* parent)
    : CDialog(kDialogId, parent),
      m_pageWidth(pageWidth),
      m_pageHeight(pageHeight),
      m_stamp(nullptr) {
  m_params.templateIndex = templateIndex;
}

CSquareSealDlg::CSquareSealDlg(CStampBlock* stamp, CWnd* parent)
    : CDialog(kDialogId, parent), m_pageWidth(0), m_pageHeight(0), m_stamp(stamp) {}

CSquareSealDlg::~CSquareSealDlg() = default;

BOOL CSquareSealDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pictures.Create(kTemplatePictures, kPictureSize, 0, RGB(192, 192, 192));
  if (m_stamp) m_params = m_stamp->GetParams();
  for (const NumberField& field : kNumberFields) ShowNumber(field.id, m_params.*field.value);
  const UINT corner = m_params.cornerType == CStampBlock::kCutCorners     ? kCut
                      : m_params.cornerType == CStampBlock::kRoundCorners ? kRound
                                                                          : kStraight;
  CheckRadioButton(kStraight, kRound, static_cast<int>(corner));
  HWND field = ::GetDlgItem(m_hWnd, kText);
  ::SendMessageA(field, EM_LIMITTEXT, CStampBlock::kMaxTextBytes, 0);
  CGbkEdit::Attach(field);
  // A template without character cells shows no text: its field is greyed, and empty unless the
  // stamp holds characters, which are kept.
  const bool hasCells = CStampLayout::Capacity(m_params.templateIndex) != 0;
  const bool hasText = m_stamp && !m_params.text.IsEmpty();
  const CString text = hasText ? m_params.text
                       : hasCells
                           ? OutputText::LoadOr(OutputText::kStampDefaultTextId, kDefaultText)
                           : CString();
  CGbkEdit::SetText(field, text);
  if (!hasCells) ::EnableWindow(field, FALSE);
  return TRUE;
}

void CSquareSealDlg::ShowNumber(UINT id, float value) {
  char text[32];
  snprintf(text, sizeof text, "%.2f", value);
  ::SetDlgItemTextA(m_hWnd, static_cast<int>(id), text);
}

void CSquareSealDlg::OnPaint() {
  CPaintDC dc(this);
  HWND frame = ::GetDlgItem(m_hWnd, kPicture);
  if (!frame || !m_pictures.GetSafeHandle()) return;
  RECT place;
  ::GetWindowRect(frame, &place);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
  POINT at = {place.left + kPictureInset, place.top + kPictureInset};
  if (m_params.templateIndex >= 0 && m_params.templateIndex < m_pictures.GetImageCount())
    m_pictures.Draw(&dc, m_params.templateIndex, at, ILD_NORMAL);
}

void CSquareSealDlg::Refuse(const OutputText::Text& message, UINT control) {
  Refuse(OutputText::Load(message), control);
}

void CSquareSealDlg::Refuse(const CString& message, UINT control) {
  AfxShowMessageBox(m_hWnd, message, OutputText::Load(OutputText::kErrorCaption),
                    MB_OK | MB_ICONWARNING);
  HWND edit = ::GetDlgItem(m_hWnd, static_cast<int>(control));
  if (!edit) return;
  ::SetFocus(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
}

bool CSquareSealDlg::ReadNumber(UINT id, float* value) {
  char text[64] = {};
  ::GetDlgItemTextA(m_hWnd, static_cast<int>(id), text, sizeof text);
  if (ParseNumber(text, value)) return true;
  Refuse(OutputText::kStampNotANumber, id);
  return false;
}

bool CSquareSealDlg::ReadControls(CStampParams* params) {
  for (const NumberField& field : kNumberFields)
    if (!ReadNumber(field.id, &(params->*field.value))) return false;
  params->cornerType = ::IsDlgButtonChecked(m_hWnd, kCut)     ? CStampBlock::kCutCorners
                       : ::IsDlgButtonChecked(m_hWnd, kRound) ? CStampBlock::kRoundCorners
                                                              : CStampBlock::kStraightCorners;
  if (!CGbkEdit::GetText(::GetDlgItem(m_hWnd, kText), &params->text)) {
    Refuse(CGbkText::RefusalText(), kText);
    return false;
  }
  switch (params->Check()) {
    case CStampParams::kFine:
      return true;
    case CStampParams::kEmptyFrame:
      Refuse(OutputText::kStampEmptyFrame, params->width > 0 ? kHeight : kWidth);
      return false;
    case CStampParams::kNegative:
      Refuse(OutputText::kStampNegative, FirstNegative(*params));
      return false;
    case CStampParams::kTooMuchText: {
      // The template, not the spacing, is what holds fewer characters.
      CString message;
      message.Format(OutputText::Load(OutputText::kStampTooManyCharacters),
                     CStampLayout::Capacity(params->templateIndex));
      Refuse(message, kText);
      return false;
    }
    default:
      Refuse(OutputText::kStampNoRoom, kMarginX);
      return false;
  }
}

void CSquareSealDlg::OnOK() {
  CStampParams params = m_params;
  if (!ReadControls(&params)) return;
  m_params = params;
  if (!m_stamp) m_made.reset(CStampBlock::CreateCentred(m_params, m_pageWidth, m_pageHeight));
  EndDialog(IDOK);
}
