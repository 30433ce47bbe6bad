#include "editor/dialogs/CardCopyDlg.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "model/blocks/Block.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "output/OutputTexts.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CCardCopyDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CCardCopyDlg, CDialog)
  ON_CBN_SELCHANGE(CCardCopyDlg::kSheetType, OnSheetType)
  ON_CBN_SELCHANGE(CCardCopyDlg::kCardType, OnCardType)
  ON_BN_CLICKED(CCardCopyDlg::kFillSheet, OnFillSheet)
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kSizeFormat[] = "%.2f";

void ShowError(HWND owner, const OutputText::Text& text) {
  AfxShowMessageBox(owner, OutputText::Load(text), OutputText::Load(OutputText::kErrorCaption),
                    MB_OK | MB_ICONERROR);
}

}  // namespace

CCardCopyDlg::CCardCopyDlg(CTALVEX42View* view, const CIniFile& settings,
                           const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile), m_file(settings) {}

BOOL CCardCopyDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  FillList(kSheetType, IDS_SHEET_TYPES);
  FillList(kCardType, IDS_CARD_TYPES);
  CFRect drawing;
  if (!Document() || !Document()->GetBlocksBounds(&drawing)) drawing = CFRect(0, 0, 0, 0);
  drawing.Normalize();
  ShowNumber(kDrawingWidth, "%-8.2f", drawing.Width());
  ShowNumber(kDrawingHeight, "%-8.2f", drawing.Height());
  m_stored.Load(m_file);
  ShowNumber(kGapX, kSizeFormat, m_stored.gapX);
  ShowNumber(kGapY, kSizeFormat, m_stored.gapY);
  ShowInt(kAcross, m_stored.across);
  ShowInt(kDown, m_stored.down);
  SetChecked(kCardFrame, m_stored.cardFrame);
  const int sheet = m_stored.sheetType >= 0 && m_stored.sheetType < CCardLayout::kSheetTypes
                        ? m_stored.sheetType
                        : 0;
  const int card = m_stored.cardType >= 0 && m_stored.cardType < CCardLayout::kCardTypes
                       ? m_stored.cardType
                       : 0;
  SendDlgItemMessage(kSheetType, CB_SETCURSEL, static_cast<WPARAM>(sheet), 0);
  SendDlgItemMessage(kCardType, CB_SETCURSEL, static_cast<WPARAM>(card), 0);
  ApplyType(kSheetType, kSheetWidth, kSheetHeight, true);
  ApplyType(kCardType, kCardWidth, kCardHeight, false);
  return TRUE;
}

void CCardCopyDlg::FillList(int id, UINT stringId) {
  CString items;
  items.LoadString(stringId);
  int start = 0;
  while (start < items.GetLength()) {
    int end = items.Find(';', start);
    if (end < 0) end = items.GetLength();
    CString item = items.Mid(start, end - start);
    SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
    start = end + 1;
  }
}

int CCardCopyDlg::Selection(int id) const {
  LRESULT index = ::SendDlgItemMessageA(m_hWnd, id, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? 0 : static_cast<int>(index);
}

void CCardCopyDlg::ApplyType(int typeId, int widthId, int heightId, bool sheet) {
  const int type = Selection(typeId);
  CCardLayout::Size size;
  const bool fixed = sheet ? CCardLayout::SheetSize(type, &size)
                           : CCardLayout::CardSize(type, &size);
  if (!fixed)
    size = sheet ? CCardLayout::Size{m_stored.sheetWidth, m_stored.sheetHeight}
                 : CCardLayout::Size{m_stored.cardWidth, m_stored.cardHeight};
  ShowNumber(widthId, kSizeFormat, size.width);
  ShowNumber(heightId, kSizeFormat, size.height);
  EnableControl(widthId, !fixed);
  EnableControl(heightId, !fixed);
}

void CCardCopyDlg::OnSheetType() { ApplyType(kSheetType, kSheetWidth, kSheetHeight, true); }

void CCardCopyDlg::OnCardType() { ApplyType(kCardType, kCardWidth, kCardHeight, false); }

CCardLayout::Size CCardCopyDlg::Card() const {
  return CCardLayout::CardFromFields(ReadFloat(kCardWidth), ReadFloat(kCardHeight));
}

void CCardCopyDlg::OnFillSheet() {
  const CCardLayout::Size card = Card();
  ShowInt(kAcross, CCardLayout::FillCount(ReadFloat(kSheetWidth), card.width, ReadFloat(kGapX)));
  ShowInt(kDown, CCardLayout::FillCount(ReadFloat(kSheetHeight), card.height, ReadFloat(kGapY)));
}

CCardSettings CCardCopyDlg::ReadFields() const {
  CCardSettings cards;
  cards.sheetType = Selection(kSheetType);
  cards.sheetWidth = ReadFloat(kSheetWidth);
  cards.sheetHeight = ReadFloat(kSheetHeight);
  cards.cardType = Selection(kCardType);
  const CCardLayout::Size card = Card();
  cards.cardWidth = card.width;
  cards.cardHeight = card.height;
  cards.gapX = CCardLayout::Gap(ReadFloat(kGapX));
  cards.gapY = CCardLayout::Gap(ReadFloat(kGapY));
  cards.across = ReadInt(kAcross);
  cards.down = ReadInt(kDown);
  cards.cardFrame = IsChecked(kCardFrame);
  return cards;
}

void CCardCopyDlg::OnCancel() {
  ReadFields().Save(m_file);
  EndDialog(IDCANCEL);
}

void CCardCopyDlg::OnOK() {
  CTALVEX42Doc* document = Document();
  if (!document) {
    EndDialog(IDCANCEL);
    return;
  }
  CCardSettings cards = ReadFields();
  if (!CCardLayout::CountsAllowed(atoll(ReadText(kAcross)), atoll(ReadText(kDown)))) {
    ShowError(m_hWnd, OutputText::kCardCounts);
    return;
  }
  const CCardLayout::Size card = {cards.cardWidth, cards.cardHeight};
  CFRect drawing;
  const bool hasDrawing = document->GetBlocksBounds(&drawing) != FALSE;
  if (hasDrawing && !CCardLayout::DrawingFits(drawing, card)) {
    AfxShowMessageBox(m_hWnd, OutputText::Load(OutputText::kCardOutside), AfxGetAppName(), MB_OK);
    return;
  }
  if (!hasDrawing && !cards.cardFrame) {
    ShowError(m_hWnd, OutputText::kCardNothing);
    return;
  }
  cards.Save(m_file);
  if (!Duplicate(cards)) {
    ShowError(m_hWnd, OutputText::kCardBuffer);
    return;
  }
  EndDialog(IDOK);
}

bool CCardCopyDlg::Duplicate(const CCardSettings& cards) {
  CTALVEX42Doc* document = Document();
  const CCardLayout::Size card = {cards.cardWidth, cards.cardHeight};
  std::unique_ptr<CRectBlock> frame;
  if (cards.cardFrame) {
    frame.reset(new CRectBlock);
    frame->m_rect = frame->m_box = CFRect(0, 0, card.width, card.height);
  }
  std::vector<CBlock*> originals;
  CSegArray& blocks = document->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i)
    if (CBlock* block = blocks.GetBlock(i)) originals.push_back(block);
  if (frame) originals.push_back(frame.get());
  // Every copy is made before anything changes: a copy that fails leaves the page as it was.
  std::vector<std::unique_ptr<CBlock>> copies;
  for (const FPOINT& offset :
       CCardLayout::CopyOffsets(card, cards.gapX, cards.gapY, cards.across, cards.down)) {
    for (CBlock* original : originals) {
      std::unique_ptr<CBlock> copy(original->Clone());
      if (!copy) return false;
      copy->m_selected = 0;
      copy->Offset(offset.x, offset.y);
      copies.push_back(std::move(copy));
    }
  }
  CSelectTracker* tracker = Tracker();
  tracker->Hide(nullptr);
  {
    CDocumentChange change(*View()->GetUndoManager(), document);
    if (frame) AddToDocument(frame.release());
    // The drawing (and its frame) stays selected, as after selecting everything.
    tracker->Refresh(nullptr, TRUE);
    for (CBlock* original : originals) tracker->AddToSelection(original);
    for (std::unique_ptr<CBlock>& copy : copies) AddToDocument(copy.release());
  }
  tracker->Recount();
  tracker->Show(nullptr);
  return true;
}
