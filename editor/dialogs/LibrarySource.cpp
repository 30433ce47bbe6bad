#include "editor/dialogs/LibrarySource.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/dialogs/LibraryMessage.h"
#include "framework/DC.h"
#include "framework/GbkText.h"
#include "framework/WideText.h"
#include "media/library/LibraryGlyphs.h"
#include "media/library/MountLibList.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "resources/Resource.h"

namespace {

const char kSystemParam[] = "SystemParam";
const char kTypeKey[] = "CurrentPicLibType";
const char kKindKey[] = "CurrentPicLibNo";
const char kNumberKey[] = "CurrentPicNo";
const int kStoredDefault = 1;

// The row of the font table that lists a font type's fonts; -1 when no language has its
// character set.
int FontRow(int type) { return g_language.FindIndex(CLibraryGlyphs::FontCharset(type)); }

void AddString(HWND combo, LPCSTR text, int data) {
  LRESULT entry = AfxAddGbkEntry(combo, CB_ADDSTRING, text);
  if (entry >= 0) ::SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(entry), data);
}

// The libraries' titles after the entries already there, each entry's data its number plus first.
void AddLibraries(HWND combo, int first) {
  CString title;
  for (int n = 0; n < g_mountLibList.GetCount(); ++n)
    if (g_mountLibList.GetTitle(n, title)) AddString(combo, title, first + n);
}

}  // namespace

CLibrarySource::Choice CLibrarySource::LoadChoice() {
  Choice choice;
  choice.type = g_appProfile.GetInt(kSystemParam, kTypeKey, kStoredDefault);
  choice.kind = g_appProfile.GetInt(kSystemParam, kKindKey, kStoredDefault);
  choice.number = g_appProfile.GetInt(kSystemParam, kNumberKey, kStoredDefault);
  return choice;
}

void CLibrarySource::StoreChoice(const Choice& choice) {
  g_appProfile.WriteInt(kSystemParam, kTypeKey, choice.type);
  g_appProfile.WriteInt(kSystemParam, kKindKey, choice.kind);
  g_appProfile.WriteInt(kSystemParam, kNumberKey, choice.number);
}

void CLibrarySource::FillTypes(HWND combo) {
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  const UINT fontTypes[kFontTypes] = {IDS_FONT_LIBRARY, IDS_SYMBOL_LIBRARY};
  for (int type = 0; type < kFontTypes; ++type) {
    CString text;
    text.LoadString(fontTypes[type]);
    AddString(combo, text, type);
  }
  AddLibraries(combo, kFontTypes);
}

void CLibrarySource::FillLibraries(HWND combo) {
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  AddLibraries(combo, 0);
}

int CLibrarySource::ChosenData(HWND combo) {
  LRESULT entry = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (entry == CB_ERR) return -1;
  return static_cast<int>(::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0));
}

bool CLibrarySource::ChooseData(HWND combo, int data) {
  LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT entry = 0; entry < count; ++entry)
    if (::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0) == data)
      return ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0) != CB_ERR;
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  return false;
}

bool CLibrarySource::SetType(int type, HWND owner) {
  m_type = type;
  m_library.Close();
  if (type < 0) return false;
  if (IsFontType(type)) return true;
  if (m_library.OpenByNumber(type - kFontTypes)) return true;
  if (owner) ReportProblem(owner, m_library.GetProblem());
  return false;
}

void CLibrarySource::FillKinds(HWND combo) const {
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  if (IsFontType()) {
    int row = FontRow(m_type);
    CString face;
    for (int i = 0; i < g_winFontTable.GetEntryCount(row, 0); ++i) {
      g_winFontTable.GetEntryText(row, 0, i, face);
      AddString(combo, face, i);
    }
    return;
  }
  FillKinds(combo, m_library);
}

void CLibrarySource::FillKinds(HWND combo, const CPicLibrary& library) {
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int kind = 0; kind < library.GetKindCount(); ++kind)
    AddString(combo, library.GetKindName(kind), kind);
}

int CLibrarySource::GetKindCount() const {
  if (IsFontType()) return g_winFontTable.GetEntryCount(FontRow(m_type), 0);
  return m_library.GetKindCount();
}

int CLibrarySource::GetEntryCount(int kind) {
  if (kind < 0 || kind >= GetKindCount()) return 0;
  if (IsFontType()) return kLastCode - kFirstCode + 1;
  return m_library.GetGraphicCount(kind);
}

int CLibrarySource::NumberOfEntry(int entry) const {
  return IsFontType() ? kFirstCode + entry : entry;
}

bool CLibrarySource::HasNames() const { return !IsFontType() && m_library.HasGraphicNames(); }

namespace {

// The English words that end a name after its last double-byte character and a blank; the whole
// name when it has no such ending.
CString EnglishPartOf(const CString& name) {
  int afterChinese = 0;
  for (int i = 0; i < name.GetLength(); ++i) {
    const BYTE c = static_cast<BYTE>(name[i]);
    if (c < 0x80) continue;
    if (CString::IsLeadByte(c) && i + 1 < name.GetLength()) ++i;
    afterChinese = i + 1;
  }
  if (afterChinese == 0 || afterChinese >= name.GetLength() || name[afterChinese] != ' ')
    return name;
  CString english = name.Mid(afterChinese);
  english.TrimLeft(' ');
  return english.IsEmpty() ? name : english;
}

}  // namespace

CString CLibrarySource::LabelOf(int kind, int number, WORD language) {
  CString label;
  if (HasNames()) m_library.GetGraphicName(kind, number, label);
  if (label.IsEmpty()) label.Format("%d", number);
  return language == CTALVEX42App::kBuiltInLanguage ? label : EnglishPartOf(label);
}

CContour* CLibrarySource::ReadOutline(int kind, int number, const CMatrix2D* matrix) {
  if (kind < 0 || number < 0) return nullptr;
  if (IsFontType()) return g_libraryGlyphs.ReadGlyph(m_type, kind, number, matrix);
  return m_library.IsOpen() ? m_library.ReadGraphic(kind, number, matrix) : nullptr;
}

void CLibrarySource::DrawFitted(CDC* dc, CContour* outline, const RECT& area) {
  if (!dc || !outline || outline->IsBoxEmpty()) return;
  const CFRect& box = outline->GetBox();
  float width = box.right - box.left, height = box.bottom - box.top;
  float areaWidth = static_cast<float>(area.right - area.left);
  float areaHeight = static_cast<float>(area.bottom - area.top);
  if (areaWidth <= 0 || areaHeight <= 0 || (width <= 0 && height <= 0)) return;
  // A side of no extent (a straight stroke) does not limit the scale.
  float scale = std::min(width > 0 ? areaWidth / width : HUGE_VALF,
                         height > 0 ? areaHeight / height : HUGE_VALF);
  if (!std::isfinite(scale)) return;
  CMatrix2D fit;
  fit.m[0] = fit.m[4] = scale;
  fit.m[6] = area.left - box.left * scale;
  fit.m[7] = area.top - box.top * scale;
  outline->Transform(&fit);
  outline->Draw(dc);
}

void CLibrarySource::ReportProblem(HWND owner, CPicLibrary::Problem problem) {
  UINT message = problem == CPicLibrary::kChainLoops         ? IDS_LIBRARY_CHAIN_LOOPS
                 : problem == CPicLibrary::kChainOutsideFile ? IDS_LIBRARY_CHAIN_OUTSIDE
                                                             : 0;
  if (message) ShowLibraryMessage(owner, message);
}
