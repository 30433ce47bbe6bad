#include "usbplugin/PlotFile.h"

CPlotFile::CPlotFile()
    : m_file(INVALID_HANDLE_VALUE),
      m_wide(false),
      m_position(0),
      m_bufferStart(0),
      m_bufferLength(0),
      m_buffer() {}

CPlotFile::~CPlotFile() { Close(); }

CPlotFile::OpenResult CPlotFile::Open(LPCSTR path) {
  Close();
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return kMissing;
  // Others may read the file meanwhile, and the owner of a finished job deletes it.
  m_file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_file == INVALID_HANDLE_VALUE) return kUnreadable;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_file, &size)) {
    Close();
    return kUnreadable;
  }
  if (static_cast<UINT64>(size.QuadPart) < kMinimumSize) {
    Close();
    return kTooShort;
  }
  return Start() ? kOpened : (Close(), kUnreadable);
}

void CPlotFile::Close() {
  if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
  m_file = INVALID_HANDLE_VALUE;
  m_bufferLength = 0;
  m_position = 0;
}

bool CPlotFile::Start() {
  if (!IsOpen()) return false;
  m_wide = false;
  m_position = 0;
  m_bufferLength = 0;
  int first = NextByte();
  int second = NextByte();
  m_wide = first == 0xFF && second == 0xFE;
  m_position = m_wide ? 2 : 0;
  return true;
}

bool CPlotFile::Seek(UINT64 position) {
  if (!IsOpen()) return false;
  m_position = position;
  return true;
}

bool CPlotFile::FillBuffer() {
  LARGE_INTEGER offset;
  offset.QuadPart = static_cast<LONGLONG>(m_position);
  m_bufferLength = 0;
  if (!SetFilePointerEx(m_file, offset, nullptr, FILE_BEGIN)) return false;
  DWORD read = 0;
  if (!ReadFile(m_file, m_buffer, kBlockSize, &read, nullptr)) return false;
  m_bufferStart = m_position;
  m_bufferLength = read;
  return read > 0;
}

int CPlotFile::NextByte() {
  if (!IsOpen()) return -1;
  bool buffered = m_position >= m_bufferStart && m_position < m_bufferStart + m_bufferLength;
  if (!buffered && !FillBuffer()) return -1;
  BYTE c = m_buffer[m_position - m_bufferStart];
  ++m_position;
  return c;
}

int CPlotFile::NextChar() {
  int c = NextByte();
  if (c < 0 || !m_wide) return c;
  // A lone last byte of a 16-bit file is no character: the file ends before it.
  if (NextByte() < 0) {
    --m_position;
    return -1;
  }
  return c;
}

bool CPlotFile::AtEnd() {
  UINT64 position = m_position;
  bool end = NextChar() < 0;
  m_position = position;
  return end;
}

bool CPlotFile::CountRecords(INT32& records, DroppedCommands& dropped) {
  if (!Start()) return false;
  CPlotParser parser;
  PlotRecord record;
  records = 0;
  for (int c = NextChar(); c >= 0; c = NextChar())
    if (parser.Feed(static_cast<BYTE>(c), record) && records < 0x7FFFFFFF) ++records;
  dropped = parser.State().dropped;
  return Start();
}

bool CPlotFile::ReadRecords(CPlotParser& parser, PlotRecord* out, int max, int& count) {
  count = 0;
  while (count < max) {
    int c = NextChar();
    if (c < 0) return false;
    if (parser.Feed(static_cast<BYTE>(c), out[count])) ++count;
  }
  return true;
}
