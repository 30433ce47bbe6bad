#include "model/document/TALVEX42Doc.h"

#include "framework/FileException.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/blocks/Block.h"
#include "model/blocks/ImageFolderScope.h"
#include "model/blocks/TransformBlock.h"
#include "model/document/DocFileReader.h"
#include "model/document/DocFileWriter.h"
#include "model/document/DocumentTextStore.h"
#include "model/document/DocumentTexts.h"
#include "model/document/FontMountService.h"
#include "model/document/FontRebinding.h"
#include "model/document/MissingFontResolver.h"
#include "model/editing/MainWindowNotice.h"

namespace {

const UINT kOpenDoneStatus = 122;
// The notices that transformed objects show their source only, because the transform library is
// missing or because it could not read their data, their caption, and the texts used when the
// resources lack them.
const UINT kSourceOnlyNoticeId = 52000;
const UINT kDataUnreadableNoticeId = 53502;
const UINT kNoticeCaptionId = 50100;
const char kSourceOnlyNotice[] =
    "艺术变化库未能载入: 文档中的变形物件只显示原形, 不能编辑其变化; 保存时保留其变化数据.";
const char kDataUnreadableNotice[] =
    "变形物件的变化数据无法读取: 这些物件只显示原形, 不能编辑其变化; 保存时保留其变化数据.";
const char kNoticeCaption[] = "提示";
// Tells the main frame that a document closed (it hides its tool bars when none is left).
const UINT kDocumentClosedCommand = 49003;

}  // namespace

IMPLEMENT_DYNCREATE(CTALVEX42Doc, CDocument)

CTALVEX42Doc::CTALVEX42Doc() { m_blocks.m_bounds.SetEmpty(); }

CTALVEX42Doc::~CTALVEX42Doc() {
  m_guides.DeleteAll();
  m_blocks.DeleteAll();
  m_outputAreas.DeleteAll();
}

void CTALVEX42Doc::ReportError(LPCSTR text) const {
  CWnd* mainWindow = AfxGetMainWnd();
  AfxShowMessageBox(mainWindow ? mainWindow->GetSafeHwnd() : nullptr, text,
                    AfxLoadString(DocumentText::kErrorCaption), MB_OK | MB_ICONEXCLAMATION);
}

void CTALVEX42Doc::ReportSourceOnlyTransforms() const {
  CString text, caption;
  if (!CTransformBlock::LibraryAnswers()) {
    if (!text.LoadString(kSourceOnlyNoticeId)) text = kSourceOnlyNotice;
  } else if (!text.LoadString(kDataUnreadableNoticeId)) {
    text = kDataUnreadableNotice;
  }
  if (!caption.LoadString(kNoticeCaptionId)) caption = kNoticeCaption;
  CWnd* mainWindow = AfxGetMainWnd();
  AfxShowMessageBox(mainWindow ? mainWindow->GetSafeHwnd() : nullptr, text, caption,
                    MB_OK | MB_ICONINFORMATION);
}

BOOL CTALVEX42Doc::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return FALSE;
  m_page.ReadNewDocumentDefaults();
  m_fontMount.Clear();
  m_storedText.clear();
  m_damagedOriginal.Empty();
  UpdateAllViews(nullptr, kHintNewPage, nullptr);
  return TRUE;
}

BOOL CTALVEX42Doc::OnOpenDocument(LPCSTR path) {
  if (!CDocument::OnOpenDocument(path)) return FALSE;
  CDocFileReader reader;
  CImageFolderScope images(path);
  CDocFileReader::Error error = reader.Read(path);
  if (error != CDocFileReader::kNoError) {
    CString message = CDocFileReader::MessageFor(error);
    if (!message.IsEmpty()) ReportError(message);
    return FALSE;
  }
  m_page = reader.GetPageSettings();
  m_fontMount = reader.GetFontMount();
  // The text editor takes the text when there is one; otherwise the document keeps it.
  CDocumentTextStore* store = CDocumentTextStore::Installed();
  m_storedText.clear();
  if (!store || !store->LoadText(reader.GetStoredText())) m_storedText = reader.GetStoredText();
  reader.TakeBlocks(m_blocks);
  reader.TakeGuides(m_guides);
  if (CTransformBlock::CountSourceOnly(m_blocks) > 0) ReportSourceOnlyTransforms();
  m_damagedOriginal = reader.IsPartial() ? path : "";
  m_originalBackedUp = false;
  // The damage and what was kept, said once; the status bar then says the file was damaged, not
  // that the open went well.
  const CString& damage = reader.GetDamageMessage();
  if (!damage.IsEmpty()) {
    CWnd* mainWindow = AfxGetMainWnd();
    AfxShowMessageBox(mainWindow ? mainWindow->GetSafeHwnd() : nullptr, damage,
                      AfxLoadString(DocumentText::kDamagedCaption), MB_OK | MB_ICONEXCLAMATION);
  }
  RemountFonts(m_fontMount);
  CDocFileReader::ShowStatus(damage.IsEmpty() ? kOpenDoneStatus
                                              : DocumentText::kDamagedFileStatus.id);
  return TRUE;
}

bool CTALVEX42Doc::RemountFonts(const CFontMountSection& section, bool fontsRemounted) {
  CFontRebinding fonts(section);
  m_blocks.RemountFonts(fonts);
  CMissingFontResolver* resolver = CMissingFontResolver::Installed();
  if (resolver && !fonts.Missing().empty()) resolver->Resolve(fonts);
  if (!fonts.AnyChange() && !fontsRemounted) return false;
  fonts.SetPhase(fontsRemounted ? CFontRebinding::kApplyAll : CFontRebinding::kApply);
  m_blocks.RemountFonts(fonts);
  if (fonts.AnyReplaced()) SetModifiedFlag();
  return fonts.AnyReplaced();
}

BOOL CTALVEX42Doc::OnSaveDocument(LPCSTR path) {
  CDocFileWriter writer;
  CImageFolderScope images(path);
  // With the font code installed the file names the fonts mounted now; without it the section
  // read from the file goes back unchanged. The text editor's text likewise.
  CFontMountService* fonts = CFontMountService::Installed();
  CDocumentTextStore* store = CDocumentTextStore::Installed();
  CString text;
  bool editorText = store && store->SaveText(text);
  bool built = writer.AddPageSettings(m_page) &&
               (fonts ? writer.AddMountedFonts(*fonts) : writer.AddFontMount(m_fontMount)) &&
               (editorText ? writer.AddText(text, static_cast<size_t>(text.GetLength()))
                           : writer.AddStoredText(m_storedText)) &&
               writer.AddGuides(m_guides) && writer.AddBlockList(m_blocks);
  if (!built || writer.SaveTo(path, BackupModeFor(path)) != CDocFileWriter::kSaved) {
    CString text = AfxLoadString(DocumentText::kCannotCreate);
    if (CFileException::IsNameOutsideCodePage(path))
      text += "\n" + CFileException::NameOutsideCodePageText();
    ReportError(text);
    return FALSE;
  }
  if (IsDamagedOriginal(path)) m_originalBackedUp = true;
  SetModifiedFlag(FALSE);
  return TRUE;
}

bool CTALVEX42Doc::IsDamagedOriginal(LPCSTR path) const {
  return !m_damagedOriginal.IsEmpty() && lstrcmpiA(m_damagedOriginal, path) == 0;
}

// The first save over a damaged original moves it to the backup; later saves keep that backup.
CDocFileWriter::BackupMode CTALVEX42Doc::BackupModeFor(LPCSTR path) const {
  return IsDamagedOriginal(path) && m_originalBackedUp ? CDocFileWriter::kKeepBackup
                                                       : CDocFileWriter::kBackUpPrevious;
}

void CTALVEX42Doc::OnCloseDocument() {
  CDocument::OnCloseDocument();  // may delete this
  SendToMainWindow(kDocumentClosedCommand, 0);
}

void CTALVEX42Doc::AddBlock(CBlock* block) {
  m_blocks.AddBlock(block);
  SetModifiedFlag();
  UpdateAllViews(nullptr, kHintBlockAdded, block);
}

void CTALVEX42Doc::InsertBlockAt(CBlock* block, INT_PTR index) {
  m_blocks.InsertBlock(index, block);
  SetModifiedFlag();
  UpdateAllViews(nullptr, kHintBlockAdded, block);
}

void CTALVEX42Doc::AppendBlocks(CSegArray& blocks) {
  INT_PTR formerCount = m_blocks.GetSize();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) m_blocks.AddBlock(blocks.GetBlock(i));
  SetModifiedFlag();
  // The views read the former count from the hint object's place.
  UpdateAllViews(nullptr, kHintBlocksAppended, reinterpret_cast<CObject*>(formerCount));
}

CBlock* CTALVEX42Doc::GetBlockAt(INT_PTR index) const {
  return index >= 0 && index < m_blocks.GetSize() ? m_blocks.GetBlock(index) : nullptr;
}

CBlock* CTALVEX42Doc::RemoveBlockAt(INT_PTR index) {
  CBlock* block = GetBlockAt(index);
  if (block) m_blocks.RemoveAt(index);
  return block;
}

INT_PTR CTALVEX42Doc::RemoveBlock(CBlock* block) {
  for (INT_PTR i = 0; i < m_blocks.GetSize(); ++i) {
    if (m_blocks.GetBlock(i) == block) {
      m_blocks.RemoveAt(i);
      return i;
    }
  }
  return -1;
}

void CTALVEX42Doc::RemoveBlocks(CSegArray& blocks) {
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) RemoveBlock(blocks.GetBlock(i));
}

int CTALVEX42Doc::DeleteEmptyBlocks(CBlock* block) {
  if (block) {
    // Only a block of this list is ours to delete.
    if (!block->IsEmpty() || RemoveBlock(block) < 0) return 0;
    delete block;
    return 1;
  }
  int deleted = 0;
  for (INT_PTR i = m_blocks.GetSize() - 1; i >= 0; --i) {
    CBlock* candidate = m_blocks.GetBlock(i);
    if (!candidate || !candidate->IsEmpty()) continue;
    m_blocks.RemoveAt(i);
    delete candidate;
    deleted = 1;
  }
  return deleted;
}

BOOL CTALVEX42Doc::GetBlocksBounds(CFRect* bounds) {
  if (m_blocks.IsEmpty() || !bounds) return FALSE;
  CFRect box;
  m_blocks.GetBounds(&box, FALSE);
  *bounds = box;
  return TRUE;
}

int CTALVEX42Doc::BackupFile(LPCSTR path) { return CDocFileWriter::BackupFile(path); }
