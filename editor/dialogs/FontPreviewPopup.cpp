#include "editor/dialogs/FontPreviewPopup.h"

#include <algorithm>

#include "framework/PaintDC.h"
#include "text/layout/SampleText.h"

IMPLEMENT_DYNAMIC(CFontPreviewPopup, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CFontPreviewPopup, CDialog)
  ON_WM_SIZE()
  ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

CFontPreviewPopup::CFontPreviewPopup()
    : CDialog(kTemplateId, nullptr), m_values(CTextDefaults::Global()) {}

BOOL CFontPreviewPopup::CreatePopup(CWnd* owner) {
  if (!CDialog::Create(kTemplateId, owner)) return FALSE;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  OnSize(SIZE_RESTORED, client.right, client.bottom);
  return TRUE;
}

float CFontPreviewPopup::SizeFor(int width, int height) {
  return kSizeShare * static_cast<float>(std::max(0, std::min(width, height)));
}

void CFontPreviewPopup::ShowFont(WORD code, int fontNumber, int languageRow) {
  m_charset = code & 0xFF;
  m_values.SetCharset(m_charset);
  if (languageRow >= 0 && languageRow < CTextDefaults::kRowCount && fontNumber >= 0) {
    m_values.defaultSource[languageRow] = static_cast<BYTE>((code >> 8) & 0x0F);
    m_values.defaultFontNumber[languageRow] = static_cast<WORD>(fontNumber);
  }
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CFontPreviewPopup::LayOut(CSampleText& sample, int charset, const CTextDefaults& values) {
  sample.SetCodes(CSampleText::CodesOf(CSampleText::FixedSample(charset), charset), charset,
                  values);
  sample.Place(kMargin, values.fontSizeY + kMargin);
}

void CFontPreviewPopup::OnSize(UINT, int cx, int cy) {
  m_values.fontSizeX = m_values.fontSizeY = SizeFor(cx, cy);
}

void CFontPreviewPopup::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::FillRect(dc.GetSafeHdc(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  CSampleText sample;
  LayOut(sample, m_charset, m_values);
  sample.Draw(&dc);
}
