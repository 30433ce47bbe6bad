#include "output/JobFile.h"

#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/GbkText.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "media/DllModule.h"
#include "model/settings/ProgramPaths.h"
#include "output/OutputTexts.h"

namespace {

const char kSignature[] = "ODSINFO";
const size_t kSignatureSize = 16;
const size_t kOutputMethodOffset = 25;
const size_t kPortNameOffset = 27;
const size_t kDocumentOffsetField = 227;
const size_t kDataPathOffsetField = 235;
const char kTempPrefix[] = "OSI";
const char kManagerProgram[] = "ORV.EXE";
// A manager that has not shown its window after this long is taken as not starting.
const DWORD kDefaultStartWait = 10000;
const DWORD kStartPollMilliseconds = 50;

// At most size - 1 bytes of text, so that the field keeps its NUL.
CString Bounded(LPCSTR text, size_t size) {
  if (!text) return CString();
  return CString(text, static_cast<int>(strnlen(text, size - 1)));
}

// A NUL-terminated text of at most size bytes at the reader's position (cut at the end of data).
CString ReadBoundedText(CByteReader& reader, size_t size) {
  size_t count = reader.Remaining() < size ? reader.Remaining() : size;
  std::vector<char> bytes(count + 1, '\0');
  reader.ReadBytes(bytes.data(), count);
  bytes[count < size ? count : size - 1] = '\0';
  return CString(bytes.data());
}

// A NUL-terminated text that ends within size bytes and within the data; false for one that
// runs to either end, which would name another, shorter path.
bool ReadTerminatedText(CByteReader& reader, size_t size, CString& text) {
  size_t count = reader.Remaining() < size ? reader.Remaining() : size;
  std::vector<char> bytes(count + 1, '\0');
  if (!reader.ReadBytes(bytes.data(), count)) return false;
  if (std::memchr(bytes.data(), '\0', count) == nullptr) return false;
  text = bytes.data();
  return true;
}

void PumpWaiting(DWORD milliseconds) {
  AfxPumpWaitingMessages();
  Sleep(milliseconds);
}

}  // namespace

CJobFile::CJobFile()
    : m_outputMethod(1),
      m_version(kVersion),
      m_managerWindow(nullptr),
      m_managerProgram(CDllModule::ProgramFolder() + kManagerProgram),
      m_startWaitMilliseconds(kDefaultStartWait) {}

void CJobFile::SetPortName(LPCSTR name) { m_portName = Bounded(name, kPortNameSize); }
void CJobFile::SetDocumentName(LPCSTR name) { m_documentName = Bounded(name, kDocumentNameSize); }
// Kept whole: a path the manager cannot read back must be refused, not handed over cut short.
void CJobFile::SetDataPath(LPCSTR path) { m_dataPath = path ? path : ""; }

// A path longer than the manager reads is replaced by its short form when that fits.
bool CJobFile::FitDataPath() {
  if (static_cast<size_t>(m_dataPath.GetLength()) < kDataPathSize) return true;
  char shortPath[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(m_dataPath, shortPath, sizeof shortPath);
  if (length == 0 || length >= kDataPathSize) return false;
  m_dataPath = shortPath;
  return true;
}

std::vector<BYTE> CJobFile::BuildBytes() const {
  const DWORD documentOffset = static_cast<DWORD>(kHeaderSize);
  const DWORD dataPathOffset = documentOffset + m_documentName.GetLength() + 1;
  CByteWriter writer;
  writer.WriteFixedString(kSignature, kSignatureSize);
  writer.WriteFloat(m_version);
  writer.WriteZeros(kOutputMethodOffset - writer.Size());
  writer.WriteInt16(m_outputMethod);
  writer.WriteFixedString(m_portName, kPortNameSize);
  writer.WriteDWord(documentOffset);
  writer.WriteZeros(kDataPathOffsetField - writer.Size());
  writer.WriteDWord(dataPathOffset);
  writer.WriteZeros(kHeaderSize - writer.Size());
  writer.WriteBytes(m_documentName.GetString(), m_documentName.GetLength() + 1);
  const CString dataPath = Bounded(m_dataPath, kDataPathSize);
  writer.WriteBytes(dataPath.GetString(), dataPath.GetLength() + 1);
  return writer.Bytes();
}

bool CJobFile::ReadBytes(const BYTE* data, size_t size) {
  CByteReader reader(data, size);
  CString signature;
  float version = 0.0f;
  if (!reader.ReadFixedString(signature, kSignatureSize) || signature != kSignature) return false;
  if (!reader.ReadFloat(version) || !(version >= kVersion)) return false;
  short method = 0;
  DWORD documentOffset = 0, dataPathOffset = 0;
  if (!reader.Seek(kOutputMethodOffset) || !reader.ReadInt16(method)) return false;
  CString port = ReadBoundedText(reader, kPortNameSize);
  if (!reader.Seek(kDocumentOffsetField) || !reader.ReadDWord(documentOffset)) return false;
  if (!reader.Seek(kDataPathOffsetField) || !reader.ReadDWord(dataPathOffset)) return false;
  // The names follow the header: an offset into the header or past the end is damage.
  if (size < kHeaderSize || documentOffset < kHeaderSize || dataPathOffset < kHeaderSize ||
      documentOffset >= size || dataPathOffset >= size)
    return false;
  reader.Seek(documentOffset);
  CString document = ReadBoundedText(reader, kDocumentNameSize);
  reader.Seek(dataPathOffset);
  // The data path names the file the manager cuts and deletes: it is taken only whole.
  CString dataPath;
  if (!ReadTerminatedText(reader, kDataPathSize, dataPath) || dataPath.IsEmpty()) return false;
  m_version = version;
  m_outputMethod = method;
  m_portName = port;
  m_documentName = document;
  m_dataPath = dataPath;
  return true;
}

bool CJobFile::Read(LPCSTR path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // A job file is a few hundred bytes: anything far larger is not one.
  std::vector<BYTE> bytes(kHeaderSize + kDocumentNameSize + kDataPathSize + 1024);
  DWORD got = 0;
  BOOL read = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  return read && ReadBytes(bytes.data(), got);
}

bool CJobFile::WriteToFile() {
  char path[MAX_PATH];
  m_path.Empty();
  if (MakeTempFileName(kTempPrefix, path, sizeof path) == 0) return false;
  std::vector<BYTE> bytes = BuildBytes();
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  bool ok = file != INVALID_HANDLE_VALUE &&
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) ok = CloseHandle(file) && ok;
  if (!ok) {
    DeleteFileA(path);
    return false;
  }
  m_path = path;
  return true;
}

std::wstring CJobFile::ManagerTitle() { return CGbkText::ToWide(OutputText::kManagerTitle); }

HWND CJobFile::FindManagerWindow() {
  m_managerWindow = FindWindowW(nullptr, ManagerTitle().c_str());
  return m_managerWindow;
}

void CJobFile::DeleteFiles() const {
  if (!m_path.IsEmpty()) DeleteFileA(m_path);
  if (!m_dataPath.IsEmpty()) DeleteFileA(m_dataPath);
}

void CJobFile::ReportFailure(LPCSTR text, LPCSTR caption) const {
  AfxShowMessageBox(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

// A manager that was not running is started and given time to show its window; the job waits
// for it rather than being thrown away.
HWND CJobFile::StartManager() {
  CString text;
  if (WinExec(m_managerProgram, SW_SHOWNORMAL) <= 31) {
    text.Format(OutputText::Load(OutputText::kRunFailed), m_managerProgram.GetString());
    ReportFailure(text, OutputText::Load(OutputText::kErrorCaption));
    return nullptr;
  }
  for (DWORD waited = 0; waited < m_startWaitMilliseconds; waited += kStartPollMilliseconds) {
    if (FindManagerWindow()) return m_managerWindow;
    PumpWaiting(kStartPollMilliseconds);
  }
  if (FindManagerWindow()) return m_managerWindow;
  text.Format(OutputText::Load(OutputText::kManagerSilent), m_managerProgram.GetString());
  ReportFailure(text, OutputText::Load(OutputText::kErrorCaption));
  return nullptr;
}

bool CJobFile::SendToManager() {
  m_version = kVersion;
  if (!FitDataPath()) {
    CString text;
    text.Format(OutputText::Load(OutputText::kDataPathTooLong), static_cast<int>(kDataPathSize) - 1,
                m_dataPath.GetString());
    ReportFailure(text, OutputText::Load(OutputText::kErrorCaption));
    DeleteFiles();
    return false;
  }
  if (!WriteToFile()) {
    ReportFailure(OutputText::Load(OutputText::kJobFileFailed),
                  OutputText::Load(OutputText::kErrorCaption));
    DeleteFiles();
    return false;
  }
  HWND manager = FindManagerWindow();
  if (!manager) manager = StartManager();
  if (!manager) {
    DeleteFiles();
    return false;
  }
  SendMessageA(manager, kBeginHandOver, 0, 0);
  BringWindowToTop(manager);
  // The manager deletes the atom once it has queued the job: an atom still there is a refusal.
  ATOM atom = GlobalAddAtomA(m_path);
  if (atom != 0) SendMessageA(manager, kHandOverJob, atom, atom);
  bool taken = atom != 0 && GlobalFindAtomA(m_path) == 0;
  if (!taken) {
    if (atom != 0) GlobalDeleteAtom(atom);
    DeleteFiles();
    ReportFailure(OutputText::Load(OutputText::kSendFailed), OutputText::kSendFailedCaption);
  }
  SendMessageA(manager, kEndHandOver, 0, 0);
  return taken;
}
