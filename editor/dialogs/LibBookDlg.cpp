#include "editor/dialogs/LibBookDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/LibrarySource.h"
#include "editor/views/DocumentChange.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "media/library/MountLibList.h"
#include "media/library/PicLibrary.h"
#include "model/blocks/LibBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Contour.h"
#include "model/undo/UndoInsertRecord.h"
#include "resources/Resource.h"
#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"
#include "text/layout/TextDefaults.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibBookDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_BOOK_LIBRARY, OnLibraryChosen)
END_MESSAGE_MAP()
// clang-format on

namespace {

// The font type whose fonts the number font list offers (font group 0).
const int kNumberFontType = 1;
// The number's box starts this far into the cell's width.
const float kNumberIndent = 0.4f;
// A page holds no more cells than this.
const size_t kMostCells = 10000;
const WORD kLastNumber = 0xFFFF;

struct FloatField {
  int id;
  const char* key;
  float CLibBookDlg::Settings::*value;
};

const FloatField kFloatFields[] = {
    {IDC_BOOK_START_X, "StartX", &CLibBookDlg::Settings::startX},
    {IDC_BOOK_START_Y, "StartY", &CLibBookDlg::Settings::startY},
    {IDC_BOOK_END_X, "EndX", &CLibBookDlg::Settings::endX},
    {IDC_BOOK_END_Y, "EndY", &CLibBookDlg::Settings::endY},
    {IDC_BOOK_SIZE_X, "SizeX", &CLibBookDlg::Settings::sizeX},
    {IDC_BOOK_SIZE_Y, "SizeY", &CLibBookDlg::Settings::sizeY},
    {IDC_BOOK_SPACE_X, "SpaceX", &CLibBookDlg::Settings::spaceX},
    {IDC_BOOK_SPACE_Y, "SpaceY", &CLibBookDlg::Settings::spaceY},
    {IDC_BOOK_NUMBER_SIZE, "EngSize", &CLibBookDlg::Settings::numberSize},
    {IDC_BOOK_NUMBER_SPACE, "EngSpace", &CLibBookDlg::Settings::numberSpace},
};

struct IntField {
  int id;
  const char* key;
  int CLibBookDlg::Settings::*value;
};

const IntField kIntFields[] = {
    {IDC_BOOK_ACROSS, "xNo", &CLibBookDlg::Settings::across},
    {IDC_BOOK_DOWN, "yNo", &CLibBookDlg::Settings::down},
    {IDC_BOOK_START_NUMBER, "StartNo", &CLibBookDlg::Settings::startNumber},
};

const char kLibraryKey[] = "LibNo";
const char kKindKey[] = "KindNo";
const char kFontKey[] = "EngNo";

CString Number(float value) {
  char text[32];
  snprintf(text, sizeof text, "%g", value);
  return CString(text);
}

int Chosen(HWND dialog, int id) {
  return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

// The number under a graphic: a straight text in its box, in the format's size.
CTextBlock* NumberText(CBlockView* view, int number, const CFRect& box,
                       const CTextDefaults& format) {
  CString digits;
  digits.Format("%d", number);
  std::unique_ptr<CTextBlock> text(
      CTextBlock::CreateAt(0, box.left, box.top, box.right, box.bottom));
  std::unique_ptr<CBoxArray> boxes(MakeCharBoxesFromText(digits, format));
  if (!boxes) return nullptr;
  text->InsertBoxesAtCaret(*boxes);
  text->Relayout(view, -1);
  text->UpdateBox();
  return text.release();
}

}  // namespace

CLibBookDlg::CLibBookDlg(CTALVEX42View* view, CIniFile* settings)
    : CDialog(kTemplateId, view), m_view(view), m_settings(settings ? *settings : g_settings) {}

CLibBookDlg::Settings CLibBookDlg::Load(const CIniFile& file, float pageWidth, float pageHeight) {
  Settings s;
  // The limits that fill the page, when none are stored.
  if (pageWidth > 2 * kPageMargin) s.endX = pageWidth - kPageMargin;
  if (pageHeight > 2 * kPageMargin) s.endY = pageHeight - kPageMargin;
  s.library = file.GetInt(kSection, kLibraryKey, s.library);
  s.kind = file.GetInt(kSection, kKindKey, s.kind);
  s.font = file.GetInt(kSection, kFontKey, s.font);
  for (const FloatField& field : kFloatFields)
    s.*field.value = file.GetFloat(kSection, field.key, s.*field.value);
  for (const IntField& field : kIntFields)
    s.*field.value = file.GetInt(kSection, field.key, s.*field.value);
  return s;
}

void CLibBookDlg::Store(CIniFile& file, const Settings& s) {
  file.WriteInt(kSection, kLibraryKey, s.library);
  file.WriteInt(kSection, kKindKey, s.kind);
  for (const FloatField& field : kFloatFields)
    file.WriteString(kSection, field.key, Number(s.*field.value));
  for (const IntField& field : kIntFields) file.WriteInt(kSection, field.key, s.*field.value);
}

std::vector<FPOINT> CLibBookDlg::Cells(const Settings& s) {
  std::vector<FPOINT> cells;
  float rowHeight = s.sizeY + s.numberSpace + s.numberSize;
  float pitchX = s.sizeX + s.spaceX, pitchY = s.sizeY + s.spaceY;
  // Cells of no size, or rows and columns that do not advance, lay out nothing.
  if (!(s.sizeX > 0) || !(s.sizeY > 0) || !(pitchX > 0) || !(pitchY > 0) || !(rowHeight > 0))
    return cells;
  for (float y = s.startY; y + rowHeight < s.endY && cells.size() < kMostCells; y += pitchY)
    for (float x = s.startX; x + s.sizeX < s.endX && cells.size() < kMostCells; x += pitchX)
      cells.push_back({x, y});
  return cells;
}

bool CLibBookDlg::FitIntoCell(const CFRect& outline, float x, float y, const Settings& s,
                              CFRect& placed) {
  float width = outline.Width(), height = outline.Height();
  if (!(height > 0)) return false;
  float scale = s.sizeY / height;
  if (width > 0) scale = std::min(scale, s.sizeX / width);
  float left = x + (s.sizeX - width * scale) / 2;
  float top = y + (s.sizeY - height * scale) / 2;
  placed = CFRect(left, top, left + width * scale, top + height * scale);
  return true;
}

std::unique_ptr<CLibBlock> CLibBookDlg::Graphic(const Settings& s, int number) {
  if (s.library < 0 || s.kind < 0 || number < 0 || number > kLastNumber) return nullptr;
  auto block =
      std::make_unique<CLibBlock>(static_cast<WORD>(s.library + CLibrarySource::kFontTypes),
                                  static_cast<WORD>(s.kind), static_cast<WORD>(number));
  std::unique_ptr<CContour> outline(block->GetContour(nullptr, 0));
  if (!outline) return nullptr;
  return block;
}

int CLibBookDlg::NumberEnd(const Settings& s) {
  CPicLibrary library;
  if (s.library < 0 || s.kind < 0 || !library.OpenByNumber(s.library)) return 0;
  return library.GetGraphicCount(s.kind);
}

CTextDefaults CLibBookDlg::NumberFormat(const Settings& s) {
  CTextDefaults format = CTextDefaults::Global();
  format.fontSizeX = format.fontSizeY = s.numberSize;
  return format;
}

bool CLibBookDlg::FillCell(CBlockView* view, CLibBlock& graphic, int number, FPOINT cell,
                           const Settings& s, const CTextDefaults& format,
                           std::unique_ptr<CBlock>& numberText) {
  CFRect box;
  if (!FitIntoCell(graphic.m_box, cell.x, cell.y, s, box)) return false;
  graphic.SetBox(box.left, box.top, box.right, box.bottom);
  CFRect numberBox(cell.x + kNumberIndent * s.sizeX, cell.y + s.sizeY + s.numberSpace,
                   cell.x + s.sizeX, cell.y + s.sizeY + s.numberSpace + s.numberSize);
  numberText.reset(NumberText(view, number, numberBox, format));
  return true;
}

int CLibBookDlg::LayOut(CTALVEX42View* view, Settings& s) {
  CTALVEX42Doc* document = view ? view->GetDocument() : nullptr;
  if (!document || s.library < 0 || s.kind < 0 || s.startNumber < 0) return 0;
  std::vector<FPOINT> cells = Cells(s);
  const CTextDefaults format = NumberFormat(s);
  std::vector<CBlock*> added;
  int number = s.startNumber;
  int placed = 0;
  {
    CDocumentChange change(*view->GetUndoManager(), document);
    auto add = [&](CBlock* block) {
      if (view->GetUndoDepth() != 0)
        view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(block));
      document->AddBlock(block);
      added.push_back(block);
    };
    const int end = NumberEnd(s);
    for (size_t cell = 0; cell < cells.size() && number < end;) {
      // An empty slot takes no cell: the graphics keep the numbers the library gives them.
      std::unique_ptr<CLibBlock> graphic = Graphic(s, number);
      int shown = number++;
      if (!graphic) continue;
      std::unique_ptr<CBlock> text;
      if (!FillCell(view, *graphic, shown, cells[cell], s, format, text)) continue;
      add(graphic.release());
      if (text) add(text.release());
      ++placed;
      ++cell;
    }
  }
  for (CBlock* block : added) block->Invalidate(view, TRUE);
  s.startNumber = number;
  return placed;
}

BOOL CLibBookDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CTALVEX42Doc* document = m_view ? m_view->GetDocument() : nullptr;
  float width = document ? document->GetPageSettings().m_width : 0;
  float height = document ? document->GetPageSettings().m_height : 0;
  Settings s = Load(m_settings, width, height);
  CLibrarySource fonts;
  HWND fontList = ::GetDlgItem(m_hWnd, IDC_BOOK_FONT);
  if (fonts.SetType(kNumberFontType, nullptr)) fonts.FillKinds(fontList);
  ::SendMessageA(fontList, CB_SETCURSEL, s.font, 0);
  for (const FloatField& field : kFloatFields)
    ::SetDlgItemTextA(m_hWnd, field.id, Number(s.*field.value));
  for (const IntField& field : kIntFields)
    ::SetDlgItemInt(m_hWnd, field.id, static_cast<UINT>(s.*field.value), TRUE);
  HWND libraries = ::GetDlgItem(m_hWnd, IDC_BOOK_LIBRARY);
  CLibrarySource::FillLibraries(libraries);
  CLibrarySource::ChooseData(libraries, s.library);
  FillKinds(s.kind);
  return TRUE;
}

void CLibBookDlg::FillKinds(int kind) {
  HWND kinds = ::GetDlgItem(m_hWnd, IDC_BOOK_KIND);
  ::SendMessageA(kinds, CB_RESETCONTENT, 0, 0);
  CPicLibrary library;
  int chosen = CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_BOOK_LIBRARY));
  if (chosen < 0 || !library.OpenByNumber(chosen)) return;
  CLibrarySource::FillKinds(kinds, library);
  if (::SendMessageA(kinds, CB_SETCURSEL, kind, 0) == CB_ERR)
    ::SendMessageA(kinds, CB_SETCURSEL, 0, 0);
}

void CLibBookDlg::OnLibraryChosen() { FillKinds(0); }

CLibBookDlg::Settings CLibBookDlg::FromFields() const {
  Settings s;
  s.library = CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_BOOK_LIBRARY));
  s.kind = Chosen(m_hWnd, IDC_BOOK_KIND);
  s.font = std::max(0, Chosen(m_hWnd, IDC_BOOK_FONT));
  char text[64];
  for (const FloatField& field : kFloatFields) {
    ::GetDlgItemTextA(m_hWnd, field.id, text, sizeof text);
    s.*field.value = static_cast<float>(std::atof(text));
  }
  for (const IntField& field : kIntFields)
    s.*field.value = static_cast<int>(::GetDlgItemInt(m_hWnd, field.id, nullptr, TRUE));
  return s;
}

void CLibBookDlg::OnOK() {
  Settings s = FromFields();
  Store(m_settings, s);
  m_settings.WriteInt(kSection, kFontKey, s.font);
  if (Cells(s).empty()) {
    CString text;
    text.LoadString(IDS_BOOK_NOTHING);
    AfxShowMessageBox(m_hWnd, text, AfxGetAppName(), MB_OK | MB_ICONWARNING);
    return;
  }
  LayOut(m_view, s);
  m_settings.WriteInt(kSection, "StartNo", s.startNumber);
  EndDialog(IDOK);
}
