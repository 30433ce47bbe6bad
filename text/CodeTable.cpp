#include "text/CodeTable.h"

#include "framework/File.h"
#include "framework/String.h"
#include "model/settings/ProgramPaths.h"

const char CCodeTable::kBig5ToGbFile[] = "BIG52GB.DAT";
const char CCodeTable::kGbToBig5File[] = "GB2BIG5.DAT";

namespace {

const WORD kUnreadableMark = 0x3F3F;
const WORD kGbFullWidthSpace = 0xA1A1;
// Bigger than either table could be: a larger file is not one of ours.
const ULONGLONG kLargestTable = 1 << 20;

BYTE LeadOf(WORD code) { return static_cast<BYTE>(code >> 8); }
BYTE TrailOf(WORD code) { return static_cast<BYTE>(code & 0xFF); }

}  // namespace

CCodeTable::CCodeTable(Direction direction, Loading loading)
    : m_direction(direction), m_loaded(false) {
  if (loading == kLoadNow) direction == kBig5ToGb ? LoadBig5ToGb() : LoadGbToBig5();
}

int CCodeTable::LoadBig5ToGb() { return Load(kBig5ToGbFile); }
int CCodeTable::LoadGbToBig5() { return Load(kGbToBig5File); }

int CCodeTable::Load(LPCSTR fileName) {
  if (m_loaded) return 1;
  char folder[MAX_PATH * 2] = {};
  if (!GetProgramDir(folder, sizeof folder)) return 0;
  return LoadFile(CString(folder) + fileName);
}

int CCodeTable::LoadFile(LPCSTR path) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return 0;
  try {
    ULONGLONG length = file.GetLength();
    if (length > kLargestTable) return 0;
    std::vector<BYTE> data(static_cast<size_t>(length));
    if (!data.empty() && file.Read(data.data(), static_cast<UINT>(data.size())) != data.size())
      return 0;
    m_data.swap(data);
  } catch (CFileException* e) {
    e->Delete();
    return 0;
  }
  m_loaded = true;
  return 1;
}

int CCodeTable::Big5Index(WORD code) {
  BYTE lead = LeadOf(code), trail = TrailOf(code);
  if (lead < 0xA1 || lead == 0xFF) return -1;
  int row = (lead - 0xA1) * 157;
  if (trail >= 0x40 && trail <= 0x7E) return row + (trail - 0x40);
  if (trail >= 0xA1 && trail <= 0xFE) return row + 63 + (trail - 0xA1);
  return -1;
}

int CCodeTable::GbIndex(WORD code) {
  BYTE lead = LeadOf(code), trail = TrailOf(code);
  if (trail < 0xA1 || trail == 0xFF || lead < 0xA1 || lead == 0xFF) return -1;
  if (lead <= 0xA9) return (lead - 0xA1) * 95 + (trail - 0xA1);
  if (lead >= 0xB0) return (lead - 0xB0) * 95 + 855 + (trail - 0xA1);
  return -1;  // leads 0xAA-0xAF are unassigned in GB2312
}

bool CCodeTable::Entry(int index, bool leadFirst, WORD& out) const {
  size_t at = static_cast<size_t>(index) * 2;
  if (index < 0 || at + 2 > m_data.size()) return false;
  BYTE first = m_data[at], second = m_data[at + 1];
  out = leadFirst ? static_cast<WORD>(first << 8 | second) : static_cast<WORD>(second << 8 | first);
  return true;
}

WORD CCodeTable::Big5ToGb(WORD code) const {
  if (!m_loaded || m_direction != kBig5ToGb) return 0;
  if (code == kUnreadableMark) return kGbFullWidthSpace;
  WORD gb = 0;
  if (!Entry(Big5Index(code), false, gb) || GbIndex(gb) < 0) return kGbReplacement;
  return gb;
}

WORD CCodeTable::GbToBig5(WORD code) const {
  if (!m_loaded || m_direction != kGbToBig5) return 0;
  WORD big5 = 0;
  if (!Entry(GbIndex(code), true, big5) || Big5Index(big5) < 0) return kBig5Replacement;
  return big5;
}
