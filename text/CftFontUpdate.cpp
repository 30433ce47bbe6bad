#include "text/CftFontUpdate.h"

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/File.h"
#include "framework/FileException.h"
#include "framework/GlobalLock.h"
#include "model/geometry/Contour.h"
#include "text/GlyphCodec.h"

namespace {

const WORD kChineseLanguage = 2052;
const char kNewFontName[] = "单线细圆";
const char kNewFontEnglishName[] = "SL_Y1";

bool ReadWholeFile(LPCSTR path, std::vector<BYTE>& bytes, bool* missing) {
  *missing = ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
  if (*missing) return false;
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return false;
  try {
    ULONGLONG length = file.GetLength();
    if (length > CCftFontUpdate::kLargestFile) return false;
    bytes.resize(static_cast<size_t>(length));
    size_t done = 0;
    while (done < bytes.size()) {
      UINT read = file.Read(bytes.data() + done, static_cast<UINT>(bytes.size() - done));
      if (read == 0) return false;
      done += read;
    }
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
  return true;
}

}  // namespace

bool CCftFontUpdate::Writes(float version) {
  // Files of the older encoding are left alone; the current encodings take records of their own.
  CGlyphCodec::Encoding encoding = CGlyphCodec::EncodingOf(version);
  return encoding == CGlyphCodec::kEncodingB || encoding == CGlyphCodec::kEncodingC;
}

CftHeader CCftFontUpdate::NewFontHeader() {
  CftHeader header;
  lstrcpynA(header.magic, "TCFT", sizeof header.magic);
  header.languageId = kChineseLanguage;
  header.version = kVersion;
  header.names[0] = kNewFontName;
  header.names[1] = kNewFontEnglishName;
  header.names[2] = kNewFontName;
  header.sqh = 161;
  header.eqh = 254;
  header.swh = 161;
  header.ewh = 255;
  return header;
}

CCftFontUpdate::OpenResult CCftFontUpdate::Open(LPCSTR path, const CftHeader* newHeader) {
  m_path = path;
  m_file.clear();
  m_index.clear();
  bool missing = false;
  if (!ReadWholeFile(path, m_file, &missing)) {
    if (!missing) return kCannotRead;
    m_header = newHeader ? *newHeader : NewFontHeader();
    if (!Writes(m_header.version)) return kOtherEncoding;
    m_header.headerSize = static_cast<int>(CftHeader::kSize);
    m_header.indexOffset = static_cast<DWORD>(CftHeader::kSize);
    CByteWriter header;
    m_header.WriteTo(header);
    m_file = header.Bytes();
    m_index.assign(static_cast<size_t>(m_header.EntryCount()), 0);
    m_file.resize(m_header.indexOffset + m_index.size() * 4, 0);
    return kCreated;
  }
  if (!m_header.Parse(m_file.data(), m_file.size())) return kNotFont;
  if (!Writes(m_header.version)) return kOtherEncoding;
  size_t entries = static_cast<size_t>(m_header.EntryCount());
  if (m_header.indexOffset > m_file.size() || entries > (m_file.size() - m_header.indexOffset) / 4)
    return kNotFont;
  CByteReader reader(m_file.data() + m_header.indexOffset, entries * 4);
  m_index.resize(entries);
  for (DWORD& entry : m_index) reader.ReadDWord(entry);
  return kOpened;
}

bool CCftFontUpdate::Add(WORD code, CContour* glyph, CGlyphCodec& codec, int* stored) {
  int entry = m_header.EntryOf(code);
  if (entry < 0 || static_cast<size_t>(entry) >= m_index.size() || !glyph) return false;
  HGLOBAL record = nullptr;
  // Records in the encoding the header's version is read with.
  int length = codec.EncodeByVersion(glyph, &record, m_header.version, nullptr);
  if (length <= 0) return false;
  // A stored offset must not read as "no glyph": a pad byte moves the record on.
  while (CftHeader::IsNoGlyph(CftHeader::ScrambleOffset(static_cast<DWORD>(m_file.size()), entry)))
    m_file.push_back(0);
  DWORD offset = static_cast<DWORD>(m_file.size());
  {
    CGlobalLock lock(record);
    if (lock.Data() && static_cast<size_t>(length) <= lock.Size())
      m_file.insert(m_file.end(), lock.Data(), lock.Data() + length);
    else
      length = 0;
  }
  ::GlobalFree(record);
  if (length <= 0) return false;
  m_index[static_cast<size_t>(entry)] = CftHeader::ScrambleOffset(offset, entry);
  if (stored) *stored = length;
  return true;
}

void CCftFontUpdate::MarkEmpty(WORD code) {
  int entry = m_header.EntryOf(code);
  if (entry >= 0 && static_cast<size_t>(entry) < m_index.size())
    m_index[static_cast<size_t>(entry)] = 0xFFFFFFFF;
}

DWORD CCftFontUpdate::EntryOf(WORD code) const {
  int entry = m_header.EntryOf(code);
  return entry >= 0 && static_cast<size_t>(entry) < m_index.size()
             ? m_index[static_cast<size_t>(entry)]
             : 0;
}

CFontFileOutput::Result CCftFontUpdate::Save(const CFontFileOutput::Writer& writer) const {
  std::vector<BYTE> file = m_file;
  CByteWriter table(file.data() + m_header.indexOffset, m_index.size() * 4);
  for (DWORD entry : m_index) table.WriteDWord(entry);
  return CFontFileOutput::Write(m_path, file.data(), file.size(), writer);
}
