#include "media/library/PicLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "media/library/LibraryFileAccess.h"
#include "media/library/MountLibList.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "model/geometry/PointRecord.h"
#include "text/GlyphCodec.h"
#include "text/GlyphFormat.h"

using namespace library;

namespace {

const float kFirstVersion5 = 5.0f;
const float kFirstVersion6 = 6.0f;
const float kLastVersion6 = 6.1f;
// Bytes of a graphic record before its name: the length word and encoding C's header.
const size_t kNameHeaderSize = glyphformat::kRecordHeadC;
const char kEmptyKindName[] = "?";
const char kLibraryExtension[] = ".LIB";

bool HasFolder(LPCSTR name) { return std::strpbrk(name, "\\/:") != nullptr; }

CString WithoutExtension(LPCSTR name) {
  CString bare(name);
  for (int i = bare.GetLength() - 1; i >= 0; --i)
    if (bare[i] == '.') return bare.Left(i);
  return bare;
}

DWORD LoadDWord(const BYTE* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

WORD LoadWord(const BYTE* bytes) { return static_cast<WORD>(bytes[0] | bytes[1] << 8); }

// Chain offsets are signed: 0 or a negative one (0x80000000 and up) ends the chain there, and so
// does one inside the header: the next kind added would be linked there and write over it.
bool ChainGoesOn(DWORD offset) {
  return static_cast<LONG>(offset) >= static_cast<LONG>(kHeaderSize);
}

}  // namespace

CPicLibrary::CPicLibrary(LPCSTR path) : m_path(path ? path : "") {
  m_header.graphicSize = kNewLibraryGraphicSize;
}

CPicLibrary::~CPicLibrary() = default;

void CPicLibrary::Close() {
  m_index.clear();
  m_header = LibraryHeader();
  m_open = FALSE;
  m_versionFive = false;
}

BOOL CPicLibrary::OpenFile(LPCSTR path) {
  Close();
  m_problem = kNoProblem;
  m_path = path ? path : "";
  float version = GetLibraryVersion(m_path);
  if (version < 0.0f) {
    CLibraryFileAccess file;
    m_problem = file.Open(m_path, CLibraryFileAccess::kRead) ? kNotALibrary : kCannotOpen;
    return FALSE;
  }
  BOOL loaded = FALSE;
  if (version >= kFirstVersion5 && version < kFirstVersion6)
    loaded = LoadV5();
  else if (version > 0.0f && version <= kLastVersion6)
    loaded = LoadV6();
  if (!loaded) {
    if (m_problem == kNoProblem) m_problem = kNotALibrary;
    Close();
    return FALSE;
  }
  m_open = TRUE;
  return TRUE;
}

BOOL CPicLibrary::Open(LPCSTR name) {
  if (!name || !*name) return FALSE;
  if (HasFolder(name)) return OpenFile(name);
  return OpenFile(GetMountLibPath() + WithoutExtension(name) + kLibraryExtension);
}

BOOL CPicLibrary::OpenByNumber(int n) {
  CMountLibList* list = CMountLibList::Program();
  CString name;
  if (!list || !list->GetFileName(n, name)) {
    Close();
    m_problem = kCannotOpen;
    return FALSE;
  }
  return OpenFile(list->GetFolder() + name);
}

BOOL CPicLibrary::LoadV5() {
  // Only the version 5 brand makes a version 5 file: a version 6 header claiming 5.x is damaged.
  if (!IsLibraryV5(m_path) || !ReadLibraryHeaderV5(m_path, m_header)) return FALSE;
  ChainProblem problem = library::kChainGood;
  m_index = ReadLibraryIndexV5(m_path, &problem);
  if (problem == library::kChainLoops) m_problem = kChainLoops;
  if (problem == library::kChainOutsideFile) m_problem = kChainOutsideFile;
  m_header.kindCount = static_cast<DWORD>(m_index.size());
  m_versionFive = true;
  return problem == library::kChainGood;
}

BOOL CPicLibrary::LoadV6() { return ReadLibraryHeader(m_path, m_header) && ReadIndexV6(); }

CString CPicLibrary::IndexName(const KindRecord& record) const {
  const char* name = LibraryNamesInChinese() ? record.chineseName : record.englishName;
  return FixedText(name, kKindNameSize, kIndexNameLength);
}

namespace {

bool ReadKindRecordFrom(CLibraryFileAccess& file, DWORD offset, KindRecord& record) {
  BYTE bytes[kKindRecordSize];
  if (!file.ReadAt(offset, bytes, sizeof bytes)) return false;
  CByteReader in(bytes, sizeof bytes);
  return ReadKindRecordBytes(in, record);
}

}  // namespace

bool CPicLibrary::ReadKindRecordAt(DWORD offset, KindRecord& record) {
  CLibraryFileAccess file;
  return file.Open(m_path, CLibraryFileAccess::kRead) && ReadKindRecordFrom(file, offset, record);
}

BOOL CPicLibrary::ReadIndexV6() {
  m_index.clear();
  // The stored count is not trusted, 0 neither: kinds chained from the header are the library's,
  // and the next new kind is linked after them rather than over them. Under a count of 0 a chain
  // that does not read leaves the library empty, as its count says.
  if (!ReadChainV6()) {
    if (m_header.kindCount != 0) return FALSE;
    m_index.clear();
    m_problem = kNoProblem;
  }
  m_header.kindCount = static_cast<DWORD>(m_index.size());
  return TRUE;
}

bool CPicLibrary::ReadChainV6() {
  CLibraryFileAccess file;
  if (!file.Open(m_path, CLibraryFileAccess::kRead)) return false;
  std::set<DWORD> visited;
  for (DWORD at = m_header.firstKind; ChainGoesOn(at);) {
    if (!visited.insert(at).second || m_index.size() >= kMaxKinds) {
      m_problem = kChainLoops;
      return false;
    }
    KindRecord record;
    if (!ReadKindRecordFrom(file, at, record)) {
      m_problem = kChainOutsideFile;
      return false;
    }
    // Bytes of another size are no kind record: the chain ends before them.
    if (record.size != kKindRecordSize) break;
    m_index.push_back({IndexName(record), at});
    at = record.next;
  }
  return true;
}

CString CPicLibrary::GetKindName(int kind) const {
  return kind >= 0 && kind < GetKindCount() ? m_index[kind].name : CString();
}

bool CPicLibrary::HasGraphicNames() const {
  return m_open && CGlyphCodec::EncodingOf(m_header.version) == CGlyphCodec::kEncodingC;
}

bool CPicLibrary::IsWritable() const {
  return m_open && !m_versionFive && m_header.version >= kFirstVersion6 &&
         m_header.version <= kLastVersion6;
}

DWORD CPicLibrary::GetKindOffset(int kind) const {
  return kind >= 0 && kind < GetKindCount() ? m_index[kind].offset : 0;
}

BOOL CPicLibrary::ReadKindRecord(int kind, KindRecord& record) {
  if (m_versionFive) {
    record.count = kSlotCount;
    return FALSE;
  }
  DWORD offset = GetKindOffset(kind);
  return offset && ReadKindRecordAt(offset, record);
}

int CPicLibrary::GetGraphicCount(int kind) {
  KindRecord record;
  if (ReadKindRecord(kind, record)) return std::min<int>(record.count, kSlotCount);
  return m_versionFive && GetKindOffset(kind) ? kSlotCount : 0;
}

bool CPicLibrary::WriteKindRecord(DWORD offset, const KindRecord& record) {
  CByteWriter out;
  CLibraryFileAccess file;
  return WriteKindRecordBytes(record, out) && file.Open(m_path, CLibraryFileAccess::kReadWrite) &&
         file.WriteAt(offset, out.Data(), out.Size());
}

BOOL CPicLibrary::RenameKind(int kind, LPCSTR name) {
  KindRecord record;
  if (!IsWritable() || !ReadKindRecord(kind, record)) return FALSE;
  // The name the interface shows is the one renamed.
  SetFixedText(LibraryNamesInChinese() ? record.chineseName : record.englishName, kKindNameSize,
               name && *name ? name : kEmptyKindName, true);
  if (!WriteKindRecord(GetKindOffset(kind), record)) return FALSE;
  m_index[kind].name = IndexName(record);
  return TRUE;
}

bool CPicLibrary::TableOffsetFrom(CLibraryFileAccess& file, int kind, DWORD& table) {
  table = GetKindOffset(kind);
  if (!table || m_versionFive) return table != 0;
  KindRecord record;
  if (!ReadKindRecordFrom(file, table, record)) return false;
  table = record.table;
  return true;
}

std::vector<DWORD> CPicLibrary::ReadGraphicTable(int kind) {
  std::vector<DWORD> table;
  CLibraryFileAccess file;
  BYTE bytes[kSlotCount * 4];
  DWORD offset = 0;
  if (!file.Open(m_path, CLibraryFileAccess::kRead) || !TableOffsetFrom(file, kind, offset) ||
      !file.ReadAt(offset, bytes, sizeof bytes))
    return table;
  for (int i = 0; i < kSlotCount; ++i) table.push_back(LoadDWord(bytes + 4 * i));
  return table;
}

DWORD CPicLibrary::SlotFrom(CLibraryFileAccess& file, int kind, int i) {
  DWORD table = 0;
  BYTE slot[4];
  if (i < 0 || i >= kSlotCount || !TableOffsetFrom(file, kind, table) || table > file.Length() ||
      !file.ReadAt(table + 4u * i, slot, sizeof slot))
    return 0;
  return LoadDWord(slot);
}

DWORD CPicLibrary::GetGraphicOffset(int kind, int i) {
  CLibraryFileAccess file;
  return file.Open(m_path, CLibraryFileAccess::kRead) ? SlotFrom(file, kind, i) : 0;
}

CContour* CPicLibrary::ReadGraphic(int kind, int i, const CMatrix2D* matrix) {
  CLibraryFileAccess file;
  if (!file.Open(m_path, CLibraryFileAccess::kRead)) return nullptr;
  DWORD offset = SlotFrom(file, kind, i);
  BYTE lengthBytes[4];
  if (!offset || !file.ReadAt(offset, lengthBytes, sizeof lengthBytes)) return nullptr;
  // The length counts its own four bytes; the body is what follows them.
  DWORD length = LoadDWord(lengthBytes);
  if (length <= 4 || length > CGlyphCodec::kMaxRecordLength) return nullptr;
  std::vector<BYTE> body(length - 4);
  if (!file.ReadAt(offset + 4, body.data(), body.size())) return nullptr;
  CGlyphCodec codec;
  return codec.Decode(body.data(), body.size(), matrix, m_header.version);
}

void CPicLibrary::GetGraphicName(int kind, int i, CString& out) {
  out.Empty();
  CLibraryFileAccess file;
  if (!HasGraphicNames() || !file.Open(m_path, CLibraryFileAccess::kRead)) return;
  DWORD offset = SlotFrom(file, kind, i);
  if (!offset) return;
  BYTE bytes[kNameWindow];
  size_t read = file.ReadUpTo(offset, bytes, sizeof bytes);
  if (read < kNameHeaderSize) return;
  // The name lies between the header and the start of the outline (at byte 6), inside the
  // record and inside what was read; a record written without a name has no room for one.
  size_t end = std::min<size_t>({read, LoadDWord(bytes), LoadWord(bytes + 6)});
  size_t at = LoadWord(bytes + 4);
  if (at < kNameHeaderSize || at >= end) return;
  const BYTE* zero = static_cast<const BYTE*>(std::memchr(bytes + at, 0, end - at));
  if (!zero) return;
  out = CString(reinterpret_cast<const char*>(bytes + at), static_cast<int>(zero - bytes - at));
}

long CPicLibrary::GetFreeSlotOffset(int kind) {
  KindRecord record;
  if (!IsWritable() || !ReadKindRecord(kind, record)) return -1;
  // A full table has no slot: a 256th offset would land in its spare bytes or past them. A
  // table that does not lie after the header inside the file takes nothing either.
  if (record.count >= kSlotCount || record.table < kHeaderSize || ReadGraphicTable(kind).empty())
    return -1;
  return static_cast<long>(record.table + 4u * record.count);
}

BOOL CPicLibrary::AddKind(KindRecord& record) {
  if (!IsWritable()) return FALSE;
  CLibraryFileAccess file;
  if (!file.Open(m_path, CLibraryFileAccess::kReadWrite)) return FALSE;
  DWORD at = file.Length();
  if (m_index.empty()) {
    m_header.firstKind = at;
    file.Close();
    if (!WriteLibraryHeader(m_path, m_header, kFieldFirstKind) ||
        !file.Open(m_path, CLibraryFileAccess::kReadWrite))
      return FALSE;
  } else {
    KindRecord last;
    if (!ReadKindRecordFrom(file, m_index.back().offset, last)) return FALSE;
    last.next = at;
    CByteWriter lastBytes;
    WriteKindRecordBytes(last, lastBytes);
    if (!file.WriteAt(m_index.back().offset, lastBytes.Data(), lastBytes.Size())) return FALSE;
  }
  record.size = kKindRecordSize;
  record.next = 0;
  record.table = at + kKindRecordSize;
  record.count = 0;
  CByteWriter out;
  if (!WriteKindRecordBytes(record, out) || !out.WriteZeros(kTableSize) ||
      !file.WriteAt(at, out.Data(), out.Size()))
    return FALSE;
  file.Close();
  m_index.push_back({IndexName(record), at});
  m_header.kindCount = static_cast<DWORD>(m_index.size());
  return WriteLibraryHeader(m_path, m_header, kFieldKindCount);
}

BOOL CPicLibrary::PutGraphic(int kind, CContour* contour, LPCSTR name) {
  // Stored as given: the header's graphic size describes the library's graphics and never
  // rescales one (a fresh codec normalises nothing).
  return StoreGraphic(kind, contour, name, 0.0f);
}

namespace {

// The box of the points a record stores, control points included, as the encoder measures it;
// false without points.
bool StoredBox(const CContour& contour, CFRect& box) {
  bool found = false;
  for (const POINTREC& point : contour.GetPoints()) {
    if (point.flags == kPointEnd) break;
    if (IsSpecialPoint(point.flags)) continue;
    if (!found) box = CFRect(point.x, point.y, point.x, point.y);
    box.left = std::min(box.left, point.x);
    box.top = std::min(box.top, point.y);
    box.right = std::max(box.right, point.x);
    box.bottom = std::max(box.bottom, point.y);
    found = true;
  }
  return found;
}

// Records with stored sizes keep the box in whole units, cut down. The outline is stretched about
// its top left corner to whole sizes (by at most half a unit a side) and a 64th of a unit more,
// which no float rounding of a side up to 65535 units undoes: a side of 60 comes back as 60, not
// 59.
void StretchToWholeUnits(CContour& contour, const CFRect& box) {
  const float kAboveWhole = 1.0f / 64;
  float width = box.Width(), height = box.Height();
  CMatrix2D stretch;
  if (width > 0) stretch.m[0] = (std::max(1.0f, std::round(width)) + kAboveWhole) / width;
  if (height > 0) stretch.m[4] = (std::max(1.0f, std::round(height)) + kAboveWhole) / height;
  stretch.m[6] = box.left * (1 - stretch.m[0]);
  stretch.m[7] = box.top * (1 - stretch.m[4]);
  contour.Transform(&stretch);
}

// Moves the box's top left corner to the origin and scales the outline so that its larger side
// is size, as the building tools store their graphics.
void ScaleToGraphicSize(CContour& contour, const CFRect& box, float size) {
  float larger = std::max(box.Width(), box.Height());
  if (!(larger > 0)) return;
  float factor = size / larger;
  CMatrix2D scale;
  scale.m[0] = scale.m[4] = factor;
  scale.m[6] = -box.left * factor;
  scale.m[7] = -box.top * factor;
  contour.Transform(&scale);
}

}  // namespace

BOOL CPicLibrary::PutCopiedGraphic(int kind, CContour* contour, LPCSTR name) {
  return PutGraphicScaledTo(kind, contour, name, m_header.graphicSize);
}

BOOL CPicLibrary::PutGraphicScaledTo(int kind, CContour* contour, LPCSTR name, float size) {
  if (!contour) return FALSE;
  contour->ApplyMatrix();
  CFRect box;
  if (!(size > 0) || !StoredBox(*contour, box)) return PutGraphic(kind, contour, name);
  // The pending matrix is baked when the graphic is stored.
  if (CGlyphCodec::EncodingOf(m_header.version) != CGlyphCodec::kEncodingC) {
    ScaleToGraphicSize(*contour, box, size);
    return PutGraphic(kind, contour, name);
  }
  StretchToWholeUnits(*contour, box);
  return StoreGraphic(kind, contour, name, size);
}

BOOL CPicLibrary::StoreGraphic(int kind, CContour* contour, LPCSTR name, float normalSize) {
  long slot = GetFreeSlotOffset(kind);
  if (slot < 0 || !contour) return FALSE;
  contour->ApplyMatrix();
  CGlyphCodec codec;
  codec.SetNormalSize(normalSize);
  bool named = HasGraphicNames();
  HGLOBAL block = nullptr;
  int length = codec.EncodeByVersion(contour, &block, m_header.version,
                                     named ? (name ? name : "") : nullptr);
  if (length <= 0) return FALSE;
  std::vector<BYTE> record;
  {
    CGlobalLock lock(block);
    if (lock.Data()) record.assign(lock.Data(), lock.Data() + length);
  }
  ::GlobalFree(block);
  KindRecord kindRecord;
  CLibraryFileAccess file;
  DWORD at = 0;
  BYTE slotBytes[4] = {};
  if (record.empty() || !file.Open(m_path, CLibraryFileAccess::kReadWrite) ||
      !file.Append(record.data(), record.size(), &at))
    return FALSE;
  CByteWriter(slotBytes, sizeof slotBytes).WriteDWord(at);
  if (!file.WriteAt(static_cast<DWORD>(slot), slotBytes, sizeof slotBytes)) return FALSE;
  file.Close();
  if (!ReadKindRecord(kind, kindRecord)) return FALSE;
  ++kindRecord.count;
  return WriteKindRecord(GetKindOffset(kind), kindRecord);
}

BOOL CPicLibrary::WriteGraphicTable(int kind, const std::vector<DWORD>& table) {
  KindRecord record;
  if (!IsWritable() || table.size() != static_cast<size_t>(kSlotCount) ||
      !ReadKindRecord(kind, record) || record.table < kHeaderSize || ReadGraphicTable(kind).empty())
    return FALSE;
  CByteWriter out;
  for (DWORD slot : table) out.WriteDWord(slot);
  CLibraryFileAccess file;
  return file.Open(m_path, CLibraryFileAccess::kReadWrite) &&
         file.WriteAt(record.table, out.Data(), out.Size());
}

BOOL CPicLibrary::DeleteGraphic(int kind, int i) {
  KindRecord record;
  if (!IsWritable() || !ReadKindRecord(kind, record)) return FALSE;
  std::vector<DWORD> table = ReadGraphicTable(kind);
  if (table.empty() || i < 0 || i >= std::min<int>(record.count, kSlotCount) || table[i] == 0)
    return FALSE;
  --record.count;
  for (int j = i; j < kSlotCount - 1; ++j) table[j] = table[j + 1];
  CByteWriter out;
  for (DWORD slot : table) out.WriteDWord(slot);
  CLibraryFileAccess file;
  if (!file.Open(m_path, CLibraryFileAccess::kReadWrite) ||
      !file.WriteAt(record.table, out.Data(), out.Size()))
    return FALSE;
  file.Close();
  return WriteKindRecord(GetKindOffset(kind), record);
}
