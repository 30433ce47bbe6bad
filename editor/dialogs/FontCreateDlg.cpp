#include "editor/dialogs/FontCreateDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/dialogs/FontLibraryList.h"
#include "editor/dialogs/GlyphRetracer.h"
#include "editor/dialogs/TextDialogMessage.h"
#include "framework/DC.h"
#include "framework/GbkEdit.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "model/document/DocumentTexts.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "resources/Resource.h"
#include "text/CftFileWriter.h"
#include "text/CftFontTable.h"
#include "text/CftFontUpdate.h"
#include "text/FontTable.h"
#include "text/GlyphCodec.h"
#include "text/Language.h"
#include "text/WinFontTable.h"

// clang-format off
BEGIN_MESSAGE_MAP(CFontCreateDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_FONT_LIBRARY, OnLibraryChanged)
  ON_LBN_SELCHANGE(IDC_BUILD_FONTS, OnFontChosen)
  ON_EN_CHANGE(IDC_BUILD_INC_X, OnShiftChanged)
  ON_EN_CHANGE(IDC_BUILD_INC_Y, OnShiftChanged)
  ON_BN_CLICKED(IDC_BUILD_RESAMPLE, OnResample)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kFolderKey[] = "DefaultPath";
const char kMarkKey[] = "CFTMARK";
const char kVersionKey[] = "CFTVER";
const char kResampleQuestion[] = "Are You Sure Resample?";
const char kResampleCaption[] = "Resample";
// A traced record longer than the source's is told by three beeps.
const int kLongerRecordBeeps = 3;
const int kShiftLimit = 1024;
// A Windows font has no outline for the blank and the control codes: the preview shows '8'.
const WORD kLastBlankCode = 32;
const WORD kPreviewStandIn = 56;
const float kEmSize = 1024.0f;

struct CharsetRange {
  int charset;
  int range[4];
};
// The code range a new font file starts with, by its language's character set: lead bytes
// first to last, then trail bytes first to last; the user may narrow or widen it before Create.
// Latin fonts hold single bytes (lead 0), the printable ones from the blank up. GB2312 takes its
// hanzi rows (lead 0xB0-0xF8) with the trail bytes of its 94-cell rows (0xA1 up); Big5 its
// symbol rows and first rows of frequent hanzi (lead 0xA0-0xAF) with the upper trail bytes.
// Japanese and Korean fonts take rows 16-40 of their 94 x 94 tables in the EUC byte form (lead
// 0xB0-0xC8, trail 0xA1-0xFE): the first kanji rows, and the Hangul syllables.
const CharsetRange kRanges[] = {{0, {0, 0, 32, 255}},
                                {134, {176, 248, 161, 255}},
                                {136, {160, 175, 161, 255}},
                                {128, {176, 200, 161, 254}},
                                {129, {176, 200, 161, 254}}};

const int kRangeFields[4] = {IDC_BUILD_SQH, IDC_BUILD_EQH, IDC_BUILD_SWH, IDC_BUILD_EWH};
const int kNameFields[3] = {IDC_BUILD_CHINESE_NAME, IDC_BUILD_ENGLISH_NAME, IDC_BUILD_THIRD_NAME};

CString FileNameOf(const CString& path, bool withExtension) {
  CString name = path.Mid(path.ReverseFind('\\') + 1);
  int dot = name.ReverseFind('.');
  return withExtension || dot < 0 ? name : name.Left(dot);
}

// A font file that cannot be made is named, in the resources' language.
void ReportCannotCreate(HWND owner, LPCSTR path) {
  AfxShowMessageBox(owner, path, AfxLoadString(DocumentText::kCannotCreate),
                    MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

bool CFontCreateDlg::RangeOf(int charset, int range[4]) {
  for (const CharsetRange& entry : kRanges) {
    if (entry.charset != charset) continue;
    for (int i = 0; i < 4; ++i) range[i] = entry.range[i];
    return true;
  }
  return false;
}

CFontCreateDlg::CFontCreateDlg(CWnd* parent, CIniFile* settings)
    : CDialog(kTemplateId, parent), m_settings(settings ? *settings : g_settings) {}

BOOL CFontCreateDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_filling = true;
  ::SetDlgItemTextA(m_hWnd, IDC_BUILD_PATH, m_settings.GetString(kSection, kFolderKey, ""));
  ::SetDlgItemTextA(m_hWnd, IDC_BUILD_MARK, m_settings.GetString(kSection, kMarkKey, kDefaultMark));
  ::SetDlgItemTextA(m_hWnd, IDC_BUILD_VERSION,
                    m_settings.GetString(kSection, kVersionKey, kDefaultVersion));
  ::SendDlgItemMessageA(m_hWnd, IDC_BUILD_MARK, EM_LIMITTEXT, sizeof(CftHeader().magic) - 1, 0);
  for (int id : kNameFields) {
    ::SendDlgItemMessageA(m_hWnd, id, EM_LIMITTEXT, CftHeader::kNameSize - 1, 0);
    CGbkEdit::Attach(::GetDlgItem(m_hWnd, id));
  }
  for (int spin : {IDC_BUILD_INC_X_SPIN, IDC_BUILD_INC_Y_SPIN})
    ::SendDlgItemMessageA(m_hWnd, spin, UDM_SETRANGE32, static_cast<WPARAM>(-kShiftLimit),
                          kShiftLimit);
  ::SetDlgItemInt(m_hWnd, IDC_BUILD_INC_X, 0, TRUE);
  ::SetDlgItemInt(m_hWnd, IDC_BUILD_INC_Y, 0, TRUE);
  HWND libraries = ::GetDlgItem(m_hWnd, IDC_FONT_LIBRARY);
  CFontLibraryList(g_language).FillFontCombos(libraries, ::GetDlgItem(m_hWnd, IDC_FONT_CODES));
  ::SendMessageA(libraries, CB_SETCURSEL, 0, 0);
  m_filling = false;
  OnLibraryChanged();
  return TRUE;
}

WORD CFontCreateDlg::ChosenKey() const {
  int row = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, CB_GETCURSEL, 0, 0));
  return row < 0 ? 0 : CFontLibraryList::CodeAt(::GetDlgItem(m_hWnd, IDC_FONT_CODES), row);
}

int CFontCreateDlg::ChosenFont() const {
  return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_BUILD_FONTS, LB_GETCURSEL, 0, 0));
}

int CFontCreateDlg::FieldNumber(int id) const { return std::atoi(FieldText(id)); }

CString CFontCreateDlg::NameText(int id) const {
  CString name;
  CGbkEdit::GetText(::GetDlgItem(m_hWnd, id), &name);
  return name;
}

CString CFontCreateDlg::FieldText(int id) const {
  char text[MAX_PATH * 2] = {};
  ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
  return text;
}

void CFontCreateDlg::OnLibraryChanged() {
  if (m_filling) return;
  int row = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, CB_GETCURSEL, 0, 0));
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_CODES, CB_SETCURSEL, row, 0);
  WORD key = ChosenKey();
  HWND fonts = ::GetDlgItem(m_hWnd, IDC_BUILD_FONTS);
  CFontLibraryList(g_language).FillFontNames(fonts, key, true);
  ::SendMessageA(fonts, LB_SETCURSEL, 0, 0);
  int range[4];
  if (row >= 0 && RangeOf(key & 0xFF, range))
    for (int i = 0; i < 4; ++i) ::SetDlgItemInt(m_hWnd, kRangeFields[i], range[i], FALSE);
  if (row >= 0) FollowLanguageFolder(key & 0xFF);
  OnFontChosen();
}

bool CFontCreateDlg::ShowsOwnFolder() const {
  CString shown = FieldText(IDC_BUILD_PATH).Trim();
  if (shown.IsEmpty()) return false;
  if (shown[shown.GetLength() - 1] != '\\') shown += '\\';
  for (int row = 0; row < g_language.GetCount(); ++row)
    for (int mount = 0; mount < g_language.GetMountCount(row); ++mount)
      if (shown.CompareNoCase(g_language.GetMountFolder(row, mount)) == 0) return false;
  return true;
}

void CFontCreateDlg::FollowLanguageFolder(int charset) {
  int row = g_language.FindIndex(charset);
  if (!ShowsOwnFolder() && row >= 0 && g_language.GetMountCount(row) > 0)
    ::SetDlgItemTextA(m_hWnd, IDC_BUILD_PATH, g_language.GetMountFolder(row, 0));
}

void CFontCreateDlg::OnFontChosen() {
  int font = ChosenFont();
  WORD key = ChosenKey();
  // The name as the list has it: GBK, which the list shows in its wide form.
  CString name;
  const std::vector<CString> names = CFontLibraryList(g_language).Fonts(key);
  if (font >= 0 && static_cast<size_t>(font) < names.size())
    name = names[static_cast<size_t>(font)];
  CGbkEdit::SetText(::GetDlgItem(m_hWnd, IDC_BUILD_CHINESE_NAME), name);
  CGbkEdit::SetText(::GetDlgItem(m_hWnd, IDC_BUILD_ENGLISH_NAME), name);
  CString third = name;
  int source = (key >> 8) & 0x0F;
  int row = g_language.FindIndex(key & 0xFF);
  if (source >= CLanguage::kFirstMount && font >= 0) {
    // An own font keeps its names: the file's name gives the English name and the file name.
    g_cftFontTable.GetFontName(row, source - CLanguage::kFirstMount, font, third);
    CString path;
    if (g_cftFontTable.GetEntryName(row, source - CLanguage::kFirstMount, font, path)) {
      ::SetDlgItemTextA(m_hWnd, IDC_BUILD_ENGLISH_NAME, FileNameOf(path, false));
      ::SetDlgItemTextA(m_hWnd, IDC_BUILD_FILE_NAME, FileNameOf(path, true));
    }
  }
  CGbkEdit::SetText(::GetDlgItem(m_hWnd, IDC_BUILD_THIRD_NAME), third);
  RedrawPreview();
}

void CFontCreateDlg::OnShiftChanged() {
  if (!m_filling) RedrawPreview();
}

void CFontCreateDlg::RedrawPreview() {
  if (HWND frame = ::GetDlgItem(m_hWnd, IDC_FONT_PREVIEW)) ::InvalidateRect(frame, nullptr, FALSE);
}

CContour* CFontCreateDlg::SourceGlyph(WORD code) const {
  WORD key = ChosenKey();
  int font = ChosenFont();
  if (font < 0) return nullptr;
  int charset = key & 0xFF;
  // A character the installed font lacks would come back as its empty box or a linked font's.
  if (((key >> 8) & 0x0F) == CLanguage::kWindowsFonts &&
      !g_winFontTable.HasGlyph(charset, font, code))
    return nullptr;
  CContour* glyph = g_language.GetGlyph(key, font, code);
  if (!glyph) return nullptr;
  CMatrix2D shift;
  shift.m[6] = static_cast<float>(FieldNumber(IDC_BUILD_INC_X));
  shift.m[7] = static_cast<float>(FieldNumber(IDC_BUILD_INC_Y));
  glyph->Transform(&shift);
  glyph->ApplyMatrix();
  return glyph;
}

void CFontCreateDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != IDC_FONT_PREVIEW) {
    CDialog::OnDrawItem(id, item);
    return;
  }
  WORD code = static_cast<WORD>(FieldNumber(IDC_BUILD_SQH) << 8 | FieldNumber(IDC_BUILD_SWH));
  if (((ChosenKey() >> 8) & 0x0F) == CLanguage::kWindowsFonts && code <= kLastBlankCode)
    code = kPreviewStandIn;
  std::unique_ptr<CContour> glyph(SourceGlyph(code));
  DrawPreview(item->hDC, item->rcItem, glyph.get());
}

void CFontCreateDlg::ShowStored(const CContour* glyph) {
  HWND frame = ::GetDlgItem(m_hWnd, IDC_FONT_PREVIEW);
  if (!frame) return;
  RECT area;
  ::GetClientRect(frame, &area);
  HDC dc = ::GetDC(frame);
  DrawPreview(dc, area, glyph);
  ::ReleaseDC(frame, dc);
}

void CFontCreateDlg::DrawPreview(HDC dc, const RECT& area, const CContour* glyph) {
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  // The glyph and the em square it stands in.
  CContour outline;
  std::unique_ptr<CContour> copy(glyph ? glyph->Clone() : nullptr);
  if (copy) outline.Append(copy.get());
  outline.TrimEndMarks();
  outline.AppendPoint(MakePointRecord(0, 0, 0x11));
  outline.AppendPoint(MakePointRecord(kEmSize, 0, 0x01));
  outline.AppendPoint(MakePointRecord(kEmSize, kEmSize, 0x01));
  outline.AppendPoint(MakePointRecord(0, kEmSize, 0x01));
  outline.AppendPoint(MakePointRecord(0, 0, 0x41));
  outline.AppendEndMark();
  CMatrix2D scale;
  scale.m[0] = scale.m[4] = kPreviewScale;
  scale.m[6] = static_cast<float>(area.left);
  scale.m[7] = static_cast<float>(area.top);
  CDC wrapper;
  wrapper.Attach(dc);
  outline.Stroke(&wrapper, &scale);
  wrapper.Detach();
}

CftHeader CFontCreateDlg::HeaderFromFields() const {
  CftHeader header;
  lstrcpynA(header.magic, FieldText(IDC_BUILD_MARK), sizeof header.magic);
  header.languageId = ::GetSystemDefaultLangID();
  header.version = static_cast<float>(std::atof(FieldText(IDC_BUILD_VERSION)));
  header.names[0] = NameText(IDC_BUILD_CHINESE_NAME);
  header.names[1] = NameText(IDC_BUILD_ENGLISH_NAME);
  header.names[2] = NameText(IDC_BUILD_THIRD_NAME);
  header.sqh = static_cast<BYTE>(FieldNumber(IDC_BUILD_SQH));
  header.eqh = static_cast<BYTE>(FieldNumber(IDC_BUILD_EQH));
  header.swh = static_cast<BYTE>(FieldNumber(IDC_BUILD_SWH));
  header.ewh = static_cast<BYTE>(FieldNumber(IDC_BUILD_EWH));
  return header;
}

CString CFontCreateDlg::OutputPath() const {
  CString folder = FieldText(IDC_BUILD_PATH);
  folder.Trim();
  if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\') folder += '\\';
  return folder + FieldText(IDC_BUILD_FILE_NAME);
}

void CFontCreateDlg::Tell(UINT message, LPCSTR detail, int number) const {
  ShowTextDialogMessage(m_hWnd, message, detail, number);
}

bool CFontCreateDlg::RefusesVersion(float version, bool resampling) const {
  // Records must be read back in the encoding the header's version names.
  if (resampling ? CCftFontUpdate::Writes(version) : CGlyphCodec::CanEncode(version)) return false;
  Tell(IDS_FONT_VERSION_UNWRITABLE, FieldText(IDC_BUILD_VERSION));
  return true;
}

bool CFontCreateDlg::SourceLacksCharset(WORD key, int font) const {
  if (((key >> 8) & 0x0F) != CLanguage::kWindowsFonts ||
      g_winFontTable.HasCharset(key & 0xFF, font))
    return false;
  Tell(IDS_FONT_CHARSET_MISSING);
  return true;
}

bool CFontCreateDlg::Create() {
  WORD key = ChosenKey();
  int font = ChosenFont();
  CftHeader header = HeaderFromFields();
  for (int id : kRangeFields)
    if (FieldNumber(id) < 0 || FieldNumber(id) > 0xFF) return false;
  if (font < 0 || header.eqh < header.sqh || header.ewh < header.swh) return false;
  if (SourceLacksCharset(key, font) || RefusesVersion(header.version, false)) return false;
  CString path = OutputPath(), quit = FieldText(IDCANCEL);
  // A folder that takes no file is told before the whole range is built, not after.
  if (!CFontFileOutput::CanCreate(path)) {
    ReportCannotCreate(m_hWnd, path);
    return false;
  }
  CWaitCursor wait;
  CGlyphCodec codec;
  CCftFileWriter::Outcome outcome = CCftFileWriter::Build(
      path, header, [this](WORD code) { return SourceGlyph(code); }, codec,
      [this](WORD code, const CContour* stored) {
        ShowProgress(code);
        if (stored) ShowStored(stored);
      });
  ::SetDlgItemTextA(m_hWnd, IDCANCEL, quit);
  if (outcome.glyphs == 0) {
    Tell(IDS_FONT_NO_GLYPHS);
    return false;
  }
  if (outcome.output == CFontFileOutput::kCannotCreate) {
    ReportCannotCreate(m_hWnd, path);
    return false;
  }
  if (!outcome.written) {
    Tell(IDS_FONT_FILE_NOT_WRITTEN, path);
    return false;
  }
  m_wroteFont = true;
  if (outcome.refused > 0) Tell(IDS_FONT_GLYPHS_LEFT_OUT, nullptr, outcome.refused);
  ShowTextDialogNotice(m_hWnd, IDS_FONT_FILE_BUILT, path, outcome.glyphs);
  return true;
}

void CFontCreateDlg::ShowProgress(WORD code) {
  char progress[16];
  snprintf(progress, sizeof progress, "%2x,%2x", code >> 8, code & 0xFF);
  ::SetDlgItemTextA(m_hWnd, IDCANCEL, progress);
  ::UpdateWindow(::GetDlgItem(m_hWnd, IDCANCEL));
}

CString CFontCreateDlg::HeaderDifferences(const CftHeader& file, const CftHeader& wanted) {
  CString lines;
  if (lstrcmpA(file.magic, wanted.magic) != 0) lines.AppendFormat("Err Magic %s \r\n", file.magic);
  if (file.version != wanted.version)
    lines.AppendFormat("Err FontVersion [%.2f]\r\n", static_cast<double>(file.version));
  if (file.sqh != wanted.sqh || file.eqh != wanted.eqh || file.swh != wanted.swh ||
      file.ewh != wanted.ewh)
    lines.AppendFormat("Err in SQH=[%d],EQH=[%d],SWH=[%d],EWH=[%d] \r\n", file.sqh, file.eqh,
                       file.swh, file.ewh);
  if (file.resolution != wanted.resolution)
    lines.AppendFormat("Err in Reslution [%d]\r\n", file.resolution);
  if (file.languageId != wanted.languageId)
    lines.AppendFormat("Err in Language ID [%x]\r\n", file.languageId);
  if (file.headerSize != wanted.headerSize)
    lines.AppendFormat("Err in HeadSize [%x]\r\n", file.headerSize);
  if (file.indexOffset != wanted.indexOffset)
    lines.AppendFormat("Err in IndexOffset [%x]\r\n", file.indexOffset);
  return lines;
}

int CFontCreateDlg::OpenFontFile(LPCSTR path, CCftFontUpdate& font) {
  CftHeader wanted = HeaderFromFields();
  for (int id : kRangeFields)
    if (FieldNumber(id) < 0 || FieldNumber(id) > 0xFF) return -1;
  if (ChosenFont() < 0 || wanted.eqh < wanted.sqh || wanted.ewh < wanted.swh) return -1;
  CCftFontUpdate::OpenResult opened = font.Open(path, &wanted);
  if (opened == CCftFontUpdate::kCreated) {
    if (font.Save() == CFontFileOutput::kWritten) return 1;
    ReportCannotCreate(m_hWnd, path);
    return -1;
  }
  if (opened == CCftFontUpdate::kCannotRead) {
    Tell(IDS_FONT_FILE_UNREADABLE, path);
    return -1;
  }
  if (opened == CCftFontUpdate::kNotFont) {
    Tell(IDS_FONT_FILE_NOT_FONT, path);
    return -1;
  }
  CString differences = HeaderDifferences(font.GetHeader(), wanted);
  if (!differences.IsEmpty()) {
    // The path, then every difference: a caption would show one line of them.
    AfxShowMessageBox(m_hWnd, CString(path) + "\r\n\r\n" + differences, kResampleCaption,
                      MB_OK | MB_ICONEXCLAMATION);
    return -1;
  }
  if (opened == CCftFontUpdate::kOtherEncoding) {
    Tell(IDS_FONT_FILE_OTHER_ENCODING, path);
    return -1;
  }
  return 1;
}

bool CFontCreateDlg::Resample() {
  if (AfxShowMessageBox(m_hWnd, kResampleQuestion, kResampleCaption, MB_YESNO | MB_ICONQUESTION) !=
      IDYES)
    return false;
  CString path = OutputPath();
  CCftFontUpdate font;
  if (ChosenFont() >= 0 && SourceLacksCharset(ChosenKey(), ChosenFont())) return false;
  if (RefusesVersion(HeaderFromFields().version, true) || OpenFontFile(path, font) < 0)
    return false;
  CGlyphRetracer retracer;
  // Without the vectoriser (its wrapper has said so) every glyph would be lost.
  if (!retracer.IsReady()) return false;
  CWaitCursor wait;
  CString quit = FieldText(IDCANCEL);
  const CftHeader& header = font.GetHeader();
  CGlyphCodec codec;
  bool resumed = false, written = true;
  int stored = 0;
  for (int lead = header.sqh; lead <= header.eqh && written; ++lead) {
    bool changed = false;
    for (int trail = header.swh; trail <= header.ewh; ++trail) {
      WORD code = static_cast<WORD>(lead << 8 | trail);
      resumed = resumed || font.EntryOf(code) == 0;
      if (!resumed) continue;
      ShowProgress(code);
      changed = true;
      std::unique_ptr<CContour> glyph(SourceGlyph(code));
      HGLOBAL record = nullptr;
      int sourceLength = glyph
                             ? codec.EncodeByVersion(glyph.get(), &record, header.version, nullptr)
                             : 0;
      if (record) ::GlobalFree(record);
      std::unique_ptr<CContour> traced(glyph ? retracer.Retrace(*glyph, m_hWnd) : nullptr);
      int length = 0;
      if (!traced || !font.Add(code, traced.get(), codec, &length)) {
        font.MarkEmpty(code);
        continue;
      }
      ++stored;
      if (length > sourceLength)
        for (int beep = 0; beep < kLongerRecordBeeps; ++beep) ::MessageBeep(0);
      if (trail == header.swh) ShowStored(traced.get());
    }
    // Written whole after each lead byte: a run that stops keeps what it has done.
    written = !changed || font.Save() == CFontFileOutput::kWritten;
  }
  ::SetDlgItemTextA(m_hWnd, IDCANCEL, quit);
  if (!written) {
    Tell(IDS_FONT_FILE_NOT_WRITTEN, path);
    return false;
  }
  m_wroteFont = m_wroteFont || resumed;
  ShowTextDialogNotice(m_hWnd, IDS_FONT_RESAMPLED, path, stored);
  return resumed;
}

void CFontCreateDlg::OnOK() { Create(); }

void CFontCreateDlg::OnCancel() {
  // A font mount is not kept: the next opening follows the language chosen then.
  m_settings.WriteString(kSection, kFolderKey, ShowsOwnFolder() ? FieldText(IDC_BUILD_PATH) : "");
  m_settings.WriteString(kSection, kMarkKey, FieldText(IDC_BUILD_MARK));
  m_settings.WriteString(kSection, kVersionKey, FieldText(IDC_BUILD_VERSION));
  EndDialog(IDCANCEL);
}
