#include "editor/dialogs/FontFromScreenDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/dialogs/TextDialogMessage.h"
#include "framework/WaitCursor.h"
#include "model/document/SegArray.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"
#include "text/CftFontUpdate.h"
#include "text/GlyphCodec.h"
#include "text/LatinFontFile.h"
#include "text/ScreenGlyphs.h"

namespace {

const int kFirstPosition = 161;
const int kGb2312Charset = 134;

}  // namespace

CFontFromScreenDlg::CFontFromScreenDlg(CSegArray* blocks, CWnd* parent)
    : CDialog(kTemplateId, parent), m_blocks(blocks) {}

BOOL CFontFromScreenDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ::SetDlgItemInt(m_hWnd, IDC_SCREEN_ENG_START, CLatinFontFile::kFirstCode, FALSE);
  ::SetDlgItemInt(m_hWnd, IDC_SCREEN_ENG_END, CLatinFontFile::kLastCode, FALSE);
  ::CheckRadioButton(m_hWnd, IDC_SCREEN_CHINESE, IDC_SCREEN_LATIN, IDC_SCREEN_CHINESE);
  ::SetDlgItemTextA(m_hWnd, IDC_SCREEN_SIZE, "1");
  ::SetDlgItemTextA(m_hWnd, IDC_SCREEN_FILE_NAME, DefaultFile());
  for (int id : {IDC_SCREEN_START_QH, IDC_SCREEN_START_WH}) ::SetDlgItemInt(m_hWnd, id, 161, FALSE);
  for (int id : {IDC_SCREEN_END_QH, IDC_SCREEN_END_WH}) ::SetDlgItemInt(m_hWnd, id, 254, FALSE);
  return TRUE;
}

CString CFontFromScreenDlg::DefaultFile() {
  int row = g_language.FindIndex(kGb2312Charset);
  if (row < 0 || g_language.GetMountCount(row) == 0) return kDefaultFile;
  CString folder = g_language.GetMountFolder(row, 0);
  return folder.IsEmpty() ? CString(kDefaultFile) : folder + kNewFontName;
}

CString CFontFromScreenDlg::FieldText(int id) const {
  char text[MAX_PATH * 2] = {};
  ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
  return text;
}

void CFontFromScreenDlg::Tell(UINT message, LPCSTR detail, int number) const {
  ShowTextDialogMessage(m_hWnd, message, detail, number);
}

void CFontFromScreenDlg::OnOK() {
  CString path = FieldText(IDC_SCREEN_FILE_NAME);
  float size = static_cast<float>(std::atof(FieldText(IDC_SCREEN_SIZE)));
  if (path.IsEmpty() || !(size > 0) || !m_blocks) return;
  CWaitCursor wait;
  bool built = ::IsDlgButtonChecked(m_hWnd, IDC_SCREEN_LATIN) == BST_CHECKED
                   ? BuildNewFont(path, size)
                   : BuildIntoFont(path, size, std::atoi(FieldText(IDC_SCREEN_START_QH)),
                                   std::atoi(FieldText(IDC_SCREEN_END_QH)));
  if (built) EndDialog(IDOK);
}

bool CFontFromScreenDlg::BuildNewFont(LPCSTR path, float size) {
  CGlyphCodec codec;
  CLatinFontFile::Outcome outcome = CLatinFontFile::Build(
      path,
      [this, size](int code) {
        CFRect cell((code - 33) * size, kLatinTop, (code - 32) * size, kLatinBottom);
        return CScreenGlyphs::GetCellGlyph(*m_blocks, cell);
      },
      codec);
  if (outcome.glyphs == 0) {
    Tell(IDS_SCREEN_NO_GLYPHS);
    return false;
  }
  if (outcome.tooLargeAt) {
    Tell(IDS_LATIN_FONT_TOO_LARGE, nullptr, outcome.tooLargeAt);
    return false;
  }
  if (!outcome.written) {
    Tell(IDS_FONT_FILE_NOT_WRITTEN, path);
    return false;
  }
  ShowTextDialogNotice(m_hWnd, IDS_FONT_FILE_BUILT, path, outcome.glyphs);
  return true;
}

bool CFontFromScreenDlg::BuildIntoFont(LPCSTR path, float size, int firstZone, int lastZone) {
  CCftFontUpdate font;
  switch (font.Open(path)) {
    case CCftFontUpdate::kCannotRead:
      Tell(IDS_FONT_FILE_UNREADABLE, path);
      return false;
    case CCftFontUpdate::kNotFont:
      Tell(IDS_FONT_FILE_NOT_FONT, path);
      return false;
    case CCftFontUpdate::kOtherEncoding:
      Tell(IDS_FONT_FILE_OTHER_ENCODING, path);
      return false;
    default:
      break;
  }
  CGlyphCodec codec;
  int stored = 0, outside = 0;
  // Zones are bytes: a range beyond them holds no code.
  for (int zone = std::max(firstZone, 0); zone <= lastZone && zone <= 0xFF; ++zone) {
    for (int position = kFirstPosition; position <= kLastPosition; ++position) {
      float left = (position - kFirstPosition) * size, top = (zone - firstZone) * size;
      std::unique_ptr<CContour> glyph(
          CScreenGlyphs::GetRectGlyph(*m_blocks, CFRect(left, top, left + size, top + size)));
      if (!glyph) continue;
      WORD code = static_cast<WORD>(zone << 8 | position);
      if (font.GetHeader().EntryOf(code) < 0)
        ++outside;
      else if (font.Add(code, glyph.get(), codec))
        ++stored;
    }
  }
  if (outside) Tell(IDS_SCREEN_CODES_OUTSIDE, nullptr, outside);
  if (stored == 0) {
    if (!outside) Tell(IDS_SCREEN_NO_GLYPHS);
    return false;
  }
  if (font.Save() != CFontFileOutput::kWritten) {
    Tell(IDS_FONT_FILE_NOT_WRITTEN, path);
    return false;
  }
  ShowTextDialogNotice(m_hWnd, IDS_FONT_FILE_BUILT, path, stored);
  return true;
}
