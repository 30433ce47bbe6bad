#include "editor/dialogs/MergeFilePrompt.h"

#include <cstring>

#include "editor/ProgramObjects.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"
#include "framework/MessageBox.h"
#include "framework/SystemCodePage.h"
#include "framework/WaitCursor.h"
#include "media/ImportFilterDll.h"
#include "model/document/DataFile.h"
#include "model/document/DocFileV56.h"
#include "model/document/DocFileV6.h"
#include "model/document/FileKinds.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

namespace {

// The file kinds when the resources lack them; the user sees the resources' texts in the
// interface's language.
const char kMergeFilter[] =
    "所有类型 (*.T42;*.PLT;*.AI;*.EPS)|*.T42;*.PLT;*.AI;*.EPS|镌图匠6.x For95/98 (*.T42)|*.T42;|"
    "镌图匠5.6x For95 (*.T37)|*.T37|纯文本文件(*.TXT)|*.Txt|";
const char kMergeDefaultExtension[] = "T37";
const int kFolderCapacity = 250;
// A text file larger than this is no text to merge into the editor.
const ULONGLONG kLargestTextFile = 16 * 1024 * 1024;
const SIZE_T kTextSpareBytes = 10;
// The import filter's library, when tests name another copy than the program's.
CString g_importFilterPath;

void MakeAsciiUpper(CString& text) {
  LPSTR buffer = text.GetBuffer();
  for (int i = 0; i < text.GetLength(); ++i) {
    if (AfxIsSystemLeadByte(static_cast<BYTE>(buffer[i])) && i + 1 < text.GetLength()) {
      ++i;
      continue;
    }
    if (buffer[i] >= 'a' && buffer[i] <= 'z') buffer[i] = static_cast<char>(buffer[i] - 'a' + 'A');
  }
}

// Whether the import-filter library is there to be bound; binding a missing one would report its
// failure each time the dialog opens.
bool ImportFilterPresent() {
  CString path = CDllModule::ResolveLibraryPath(
      g_importFilterPath.IsEmpty() ? CImportFilterDll::kLibraryName : g_importFilterPath);
  return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

// The filter names its file kinds in the user interface's language.
bool BindImportFilter(CImportFilterDll& filter) {
  if (!ImportFilterPresent()) return false;
  if (!filter.Bind(g_importFilterPath.IsEmpty() ? nullptr
                                                : static_cast<LPCSTR>(g_importFilterPath)))
    return false;
  return filter.CanUse(theApp.GetLanguage());
}

namespace {

bool IsDriveRoot(const CString& folder) {
  return folder.GetLength() == 3 && folder[1] == ':' && folder[2] == '\\';
}

int ReadTextFile(LPCSTR path, HGLOBAL* text) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
    return CDataFile::kCannotOpen;
  try {
    ULONGLONG length = file.GetLength();
    if (length == 0) return CDataFile::kRead;
    if (length > kLargestTextFile) return CDataFile::kDamaged;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                   static_cast<SIZE_T>(length) + kTextSpareBytes);
    if (!memory) AfxThrowMemoryException();
    UINT read = 0;
    {
      CGlobalLock lock(memory);
      if (lock.Data()) read = file.Read(lock.Data(), static_cast<UINT>(length));
    }
    if (read != length) {
      ::GlobalFree(memory);
      return CDataFile::kCannotOpen;
    }
    *text = memory;
    return CDataFile::kRead;
  } catch (CFileException* e) {
    e->Delete();
    return CDataFile::kCannotOpen;
  }
}

}  // namespace

CString FolderOfPath(LPCSTR path) {
  CString folder(path ? path : "");
  int slash = folder.ReverseFind('\\');
  if (slash < 0) return CString();
  if (slash == 2 && folder[1] == ':') return folder.Left(3);
  return folder.Left(slash);
}

int PromptOpenFile(CString& path, LPCSTR title, LPCSTR filter, LPCSTR initialFolder, CWnd* parent) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, parent);
  dialog.m_ofn.lpstrTitle = title;
  dialog.m_ofn.lpstrInitialDir = initialFolder;
  if (dialog.DoModal() != IDOK) return -1;
  path = dialog.GetPathName();
  MakeAsciiUpper(path);
  return GetFileKindByExtension(path);
}

void SetImportFilterPath(LPCSTR path) { g_importFilterPath = path ? path : ""; }

void ShowImportReport(const ImportFilterReport& report, bool read) {
  CString text;
  if (read) {
    // A file cut short gave what came before its end; then what was left out of that.
    CString message;
    if (report.problem == kImportEndedEarly) {
      text.LoadString(IDS_IMPORT_ENDED_EARLY);
      message.Format(text, report.line);
    }
    if (report.images + report.texts + report.others > 0) {
      text.LoadString(IDS_IMPORT_LEFT_OUT);
      CString leftOut;
      leftOut.Format(text, report.images, report.texts, report.others);
      message += message.IsEmpty() ? leftOut : "\n" + leftOut;
    }
    if (!message.IsEmpty())
      AfxMessageBox(message, report.problem == kImportEndedEarly ? MB_OK | MB_ICONEXCLAMATION
                                                                 : MB_OK | MB_ICONINFORMATION);
    return;
  }
  UINT id = IDS_MERGE_READ_FAILED;
  switch (report.problem) {
    case kImportCannotOpen:
      id = IDS_IMPORT_CANNOT_OPEN;
      break;
    case kImportTooLarge:
      id = IDS_IMPORT_TOO_LARGE;
      break;
    case kImportNotThisKind:
      id = IDS_IMPORT_NOT_THIS_KIND;
      break;
    case kImportDamaged:
      id = report.line > 0 ? IDS_IMPORT_DAMAGED : IDS_MERGE_READ_FAILED;
      break;
    case kImportBinaryDxf:
      id = IDS_IMPORT_BINARY_DXF;
      break;
    case kImportPdfIllustrator:
      id = IDS_IMPORT_PDF_ILLUSTRATOR;
      break;
    case kImportCutFile:
      id = IDS_IMPORT_CUT_FILE;
      break;
    case kImportNothingToRead:
      id = IDS_IMPORT_NOTHING;
      break;
    case kImportTooComplex:
      id = IDS_IMPORT_TOO_COMPLEX;
      break;
    case kImportPdfPages:
      id = IDS_IMPORT_PDF_PAGES;
      break;
    default:
      break;
  }
  text.LoadString(id);
  CString message;
  if (id == IDS_IMPORT_DAMAGED)
    message.Format(text, report.line);
  else
    message = text;
  AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

int ReadMergeFile(LPCSTR path, int kind, HGLOBAL* blocks, HGLOBAL* text,
                  ImportFilterReport* report) {
  *blocks = *text = nullptr;
  if (report) *report = ImportFilterReport();
  switch (kind) {
    case kFileKindDocument: {
      CDocFileV6 reader;
      int result = reader.ReadFile(path);
      if (result == CDataFile::kRead) {
        *blocks = reader.TakeBlockList();
        *text = reader.TakeText();
      }
      return result;
    }
    case kFileKindOldDocument: {
      CDocFileV56 reader;
      return reader.ReadFile(blocks, path);
    }
    case kFileKindText:
      return ReadTextFile(path, text);
    default: {
      CImportFilterDll filter;
      if (!BindImportFilter(filter)) return CDataFile::kNoParser;
      *blocks = filter.FilterRead(path);
      if (report) filter.GetReport(report);
      return *blocks ? CDataFile::kRead : CDataFile::kDamaged;
    }
  }
}

int PromptMergeFile(HGLOBAL* blocks, HGLOBAL* text, CWnd* parent) {
  *blocks = *text = nullptr;
  CString filter;
  if (!filter.LoadString(IDS_MERGE_FILTER)) filter = kMergeFilter;
  CString folder = g_appProfile.GetString(settings::kSystemParam, settings::kFilePath,
                                          settings::kFilePathDefault);
  int filterIndex = g_appProfile.GetInt(settings::kSystemParam, settings::kFileFilter,
                                        settings::kFileFilterDefault);
  {
    CImportFilterDll library;
    CString more;
    if (BindImportFilter(library) && library.GetFilters(more)) filter += more;
  }
  if (folder.GetLength() > 0 && folder[folder.GetLength() - 1] == '\\' && !IsDriveRoot(folder))
    folder = folder.Left(folder.GetLength() - 1);
  CString title;
  title.LoadString(IDS_MERGE_TITLE);

  CFileDialog dialog(TRUE, kMergeDefaultExtension, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                     filter, parent);
  dialog.m_ofn.lpstrInitialDir = folder;
  dialog.m_ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
  dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() != IDOK) return -1;

  CString path = dialog.GetPathName();
  CString chosenFolder = FolderOfPath(path).Left(kFolderCapacity);
  g_appProfile.WriteInt(settings::kSystemParam, settings::kFileFilter,
                        static_cast<int>(dialog.m_ofn.nFilterIndex));
  int kind = GetFileKindByExtension(path);
  int result = CDataFile::kRead;
  ImportFilterReport report = {};
  {
    CWaitCursor wait;
    result = ReadMergeFile(path, kind, blocks, text, &report);
  }
  g_appProfile.WriteString(settings::kSystemParam, settings::kFilePath, chosenFolder);
  const bool filtered = kind > kFileKindText && result != CDataFile::kNoParser;
  if (filtered)
    ShowImportReport(report, result == CDataFile::kRead);
  else if (result != CDataFile::kRead)
    AfxMessageBox(result == CDataFile::kNoParser && kind > kFileKindText ? IDS_MERGE_FILTER_MISSING
                                                                         : IDS_MERGE_READ_FAILED,
                  MB_OK | MB_ICONEXCLAMATION);
  return kind;
}
