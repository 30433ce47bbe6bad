#include "model/document/V56BodyConverter.h"

#include <array>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/MessageBox.h"
#include "framework/String.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/blocks/Block.h"
#include "model/geometry/PointRecord.h"
#include "model/records/BlockRecord.h"

namespace {

// Type bytes of the old body.
enum : BYTE {
  kOldGroup = 129,
  kOldText = 130,
  kOldLibrary = 131,
  kOldCurve = 132,
  kOldImage = 133,
  kOldSized = 134,
  kOldUnknown135 = 135,
  kOldBoxListEnd = 252,
  kOldTextEnd = 253,
  kOldGroupEnd = 254,
};

// Entries of an old text record.
enum : BYTE { kOldCharacter = 1, kOldWideCharacter = 2, kOldAttribute = 16 };

// Box records of the new character box array.
const BYTE kCharBoxTag = 18;
const BYTE kAttributeBoxTag = 17;
const DWORD kCharBoxLength = 75;
const DWORD kAttributeBoxLength = 21;
const WORD kAttributeKind = 0x8000;
const WORD kFullWidthSymbolKind = 16517;
const WORD kFullWidthCharacterKind = 16518;
// GBK punctuation and symbols before the first hanzi row.
const WORD kFirstSymbolCode = 0xA0A1;
const WORD kLastSymbolCode = 0xB09F;

const BYTE kLayoutEffectLength = 22;
const BYTE kNewCurveType = 128;
// An old curve entry whose second half holds this is a command, not a coordinate pair.
const DWORD kCommandMark = 0x48888888;
const size_t kEntrySize = 8;
const size_t kBoxSize = 16;
const size_t kMatrixSize = 36;
const size_t kFourValuesSize = 16;
const size_t kOldImageNameField = 61;
const size_t kNewImageNameField = 60;
// Offsets inside the new group record.
const size_t kGroupListOffset = 60;
const size_t kGroupChildrenOffset = 65;

const char kGroupDamageText[] = "Error In Read File Data Group";
const char kGroupDamageCaption[] = "ERROR";

using Entry = std::array<BYTE, kEntrySize>;
using Box = std::array<BYTE, kBoxSize>;
using Matrix = std::array<BYTE, kMatrixSize>;

void WriteRecordHeader(CByteWriter& out, BYTE tag, BYTE type) {
  out.WriteByte(tag);
  out.WriteInt32(0);  // the length, once known
  out.WriteByte(type);
  out.WriteWord(0);  // attributes
}

void FinishRecord(CByteWriter& record, CByteWriter& out) {
  record.WriteByte(kRecordEndByte);
  record.PatchDWord(1, static_cast<DWORD>(record.Size()));
  out.WriteBytes(record.Data(), record.Size());
}

bool ReadBoxAndMatrix(CByteReader& in, Box& box, Matrix& matrix) {
  return in.ReadBytes(box.data(), box.size()) && in.ReadBytes(matrix.data(), matrix.size());
}

DWORD SecondHalf(const Entry& entry) {
  return entry[4] | (entry[5] << 8) | (entry[6] << 16) | (static_cast<DWORD>(entry[7]) << 24);
}

WORD CharacterKind(BYTE oldKind, WORD code) {
  if (oldKind == kOldCharacter) return 0;
  return code >= kFirstSymbolCode && code <= kLastSymbolCode ? kFullWidthSymbolKind
                                                             : kFullWidthCharacterKind;
}

// The points of one old curve, built command by command.
class CurvePoints {
public:
  // False when the command lacks the coordinates it needs or means nothing.
  bool Apply(BYTE command, const std::vector<Entry>& coordinates) {
    size_t count = coordinates.size();
    switch (command) {
      case 'm':
        if (count < 1) return false;
        m_start = coordinates[count - 1];
        m_hasStart = true;
        Add(m_start, kPointStart | kPointOnCurve);
        return true;
      case 'l':
        if (count < 1) return false;
        Add(coordinates[count - 1], kPointOnCurve);
        return true;
      case 'c':
        if (count < 3) return false;
        Add(coordinates[count - 3], 0);
        Add(coordinates[count - 2], 0);
        Add(coordinates[count - 1], kPointOnCurve);
        return true;
      case 'e':
        if (!m_points.empty()) m_points.back().second |= kPointOpenEnd;
        return true;
      case kPointClose:
        if (!m_hasStart) return false;
        Add(m_start, kPointClose | kPointOnCurve);
        return true;
      default:
        return false;
    }
  }
  bool TooMany() const { return m_points.size() >= static_cast<size_t>(kMaxPointRecords) - 1; }
  void WriteTo(CByteWriter& out) const {
    out.WriteInt32(static_cast<int>(m_points.size() + 1));
    for (const auto& point : m_points) {
      out.WriteBytes(point.first.data(), point.first.size());
      out.WriteByte(point.second);
    }
    out.WriteZeros(kEntrySize);
    out.WriteByte(kPointEnd);
  }

private:
  void Add(const Entry& at, BYTE flags) { m_points.push_back({at, flags}); }

  std::vector<std::pair<Entry, BYTE>> m_points;
  Entry m_start = {};
  bool m_hasStart = false;
};

}  // namespace

bool CV56BodyConverter::Convert(const BYTE* body, size_t size, std::vector<BYTE>& record) {
  record.clear();
  m_groupDamageReported = false;
  CByteReader in(body, body ? size : 0);
  CByteWriter out;
  out.WriteByte(kSegArrayRecordTag);
  out.WriteInt32(0);
  if (ConvertList(in, out, 0) == kFailed) return false;
  size_t end = out.Size();
  out.WriteByte(kListEndByte);
  out.PatchDWord(1, static_cast<DWORD>(end + 1));
  out.WriteByte(kRecordPadByte);
  record.assign(out.Data(), out.Data() + out.Size());
  return true;
}

CV56BodyConverter::Outcome CV56BodyConverter::ConvertList(CByteReader& in, CByteWriter& out,
                                                          int depth) {
  const bool inGroup = depth > 0;
  for (;;) {
    BYTE type = 0;
    // A body ends with its own byte; one that runs out first was cut short, perhaps just at a
    // record's end, and converting it would pass part of a drawing off as the whole.
    if (!in.PeekByte(type)) return kFailed;
    switch (type) {
      case kOldGroup:
        // A group ended by damage keeps what it held; the list it stands in goes on from there.
        if (ConvertGroup(in, out, depth + 1) == kFailed) return kFailed;
        break;
      case kOldText:
        if (ConvertText(in, out) != kRecordDone) return kFailed;
        break;
      case kOldLibrary:
        if (ConvertLibrary(in, out) != kRecordDone) return kFailed;
        break;
      case kOldCurve:
        if (ConvertCurve(in, out) != kRecordDone) return kFailed;
        break;
      case kOldImage:
        if (ConvertImage(in, out) != kRecordDone) return kFailed;
        break;
      case kOldSized:
      case kOldUnknown135:
      case kOldTextEnd:
        if (inGroup) {
          ReportGroupDamage();
          in.Skip(1);
          return kStopped;
        }
        if (type == kOldUnknown135) return kListEnded;
        if (type == kOldSized ? !SkipSizedRecord(in) : !in.Skip(1)) return kFailed;
        break;
      case kOldBoxListEnd:
        if (inGroup) return kFailed;  // means nothing between the records of a group
        in.Skip(1);
        break;
      case kOldGroupEnd:
        in.Skip(1);
        if (inGroup) return kListEnded;
        break;
      default:
        // 255 ends the body; any other byte ends it as 255 would, but has no place in a group.
        return inGroup ? kFailed : kListEnded;
    }
  }
}

CV56BodyConverter::Outcome CV56BodyConverter::ConvertGroup(CByteReader& in, CByteWriter& out,
                                                           int depth) {
  if (depth > kMaxGroupDepth) return kFailed;
  Box box;
  Matrix matrix;
  if (!in.Skip(1) || !ReadBoxAndMatrix(in, box, matrix)) return kFailed;
  CByteWriter record;
  WriteRecordHeader(record, kGroupRecordTag, kGroupBlock);
  record.WriteBytes(box.data(), box.size());
  record.WriteBytes(matrix.data(), matrix.size());
  record.WriteByte(kSegArrayRecordTag);
  record.WriteInt32(0);
  Outcome children = ConvertList(in, record, depth);
  if (children == kFailed) return kFailed;
  // A group of nothing would be refused by every reader and stop the list it stands in.
  if (record.Size() == kGroupChildrenOffset) return children;
  size_t end = record.Size();
  record.WriteByte(kListEndByte);
  // The nested list's length counts from its own tag, as every block list's does.
  record.PatchDWord(kGroupListOffset + 1, static_cast<DWORD>(end - kGroupListOffset + 1));
  record.WriteByte(0);
  record.WriteByte(kRecordEndByte);
  record.PatchDWord(1, static_cast<DWORD>(record.Size()));
  out.WriteBytes(record.Data(), record.Size());
  return children;
}

CV56BodyConverter::RecordOutcome CV56BodyConverter::ConvertText(CByteReader& in, CByteWriter& out) {
  BYTE effect = 0;
  Box box;
  std::array<BYTE, kFourValuesSize> values;
  Matrix matrix;
  if (!in.Skip(1) || !in.ReadByte(effect) || !in.ReadBytes(box.data(), box.size()) ||
      !in.ReadBytes(values.data(), values.size()) || !in.ReadBytes(matrix.data(), matrix.size()))
    return kRecordFailed;
  BYTE number = effect >= 1 && effect <= 3 ? effect : 0;
  CByteWriter record;
  WriteRecordHeader(record, kTextRecordTag, kTextBlock);
  record.WriteBytes(box.data(), box.size());
  record.WriteBytes(values.data(), values.size());
  record.WriteBytes(matrix.data(), matrix.size());
  record.WriteByte(static_cast<BYTE>('1' + number));
  record.WriteInt32(kLayoutEffectLength);
  record.WriteByte(number);
  record.WriteBytes(values.data(), values.size());
  size_t boxes = record.Size();
  record.WriteByte(kBoxArrayRecordTag);
  record.WriteInt32(0);
  if (ConvertTextEntries(in, record) != kRecordDone) return kRecordFailed;
  record.PatchDWord(boxes + 1, static_cast<DWORD>(record.Size() - boxes));
  FinishRecord(record, out);
  return kRecordDone;
}

CV56BodyConverter::RecordOutcome CV56BodyConverter::ConvertTextEntries(CByteReader& in,
                                                                       CByteWriter& out) {
  bool boxesEnded = false;
  for (;;) {
    BYTE kind = 0;
    if (!in.ReadByte(kind)) return kRecordFailed;
    if (kind == kOldTextEnd) {
      if (!boxesEnded) out.WriteByte(kListEndByte);
      return kRecordDone;
    }
    if (boxesEnded) return kRecordFailed;  // only the text's end may follow the box list's
    if (kind == kOldCharacter || kind == kOldWideCharacter) {
      std::array<BYTE, 16> place;
      std::array<BYTE, 36> metrics;
      WORD code = 0;
      WORD words[4] = {};
      if (!in.ReadBytes(place.data(), place.size()) || !in.Skip(4) || !in.ReadWord(code) ||
          !in.ReadBytes(metrics.data(), metrics.size()) || !in.ReadWord(words[0]) ||
          !in.ReadWord(words[1]) || !in.ReadWord(words[2]) || !in.ReadWord(words[3]))
        return kRecordFailed;
      out.WriteByte(kCharBoxTag);
      out.WriteDWord(kCharBoxLength);
      out.WriteWord(CharacterKind(kind, code));
      out.WriteBytes(place.data(), place.size());
      out.WriteDWord(0);
      out.WriteWord(code);
      out.WriteBytes(metrics.data(), metrics.size());
      out.WriteDWord(words[0]);
      out.WriteWord(words[1]);
      out.WriteWord(words[2]);
      out.WriteWord(words[3]);
    } else if (kind == kOldAttribute) {
      WORD attribute = 0;
      DWORD values[3] = {};
      if (!in.ReadWord(attribute) || !in.ReadDWord(values[0]) || !in.ReadDWord(values[1]) ||
          !in.ReadDWord(values[2]))
        return kRecordFailed;
      out.WriteByte(kAttributeBoxTag);
      out.WriteDWord(kAttributeBoxLength);
      out.WriteWord(kAttributeKind);
      out.WriteWord(attribute);
      for (DWORD value : values) out.WriteDWord(value);
    } else if (kind == kOldBoxListEnd) {
      out.WriteByte(kListEndByte);
      boxesEnded = true;
    } else {
      return kRecordFailed;
    }
  }
}

CV56BodyConverter::RecordOutcome CV56BodyConverter::ConvertCurve(CByteReader& in,
                                                                 CByteWriter& out) {
  Box box;
  Matrix matrix;
  WORD colour = 0;
  if (!in.Skip(1) || !ReadBoxAndMatrix(in, box, matrix) || !in.ReadWord(colour))
    return kRecordFailed;
  CurvePoints points;
  std::vector<Entry> coordinates;
  for (bool finished = false; !finished;) {
    Entry entry;
    if (!in.ReadBytes(entry.data(), entry.size())) return kRecordFailed;
    if (SecondHalf(entry) != kCommandMark) {
      // Only the last three coordinates can ever be used.
      if (coordinates.size() == 3) coordinates.erase(coordinates.begin());
      coordinates.push_back(entry);
      continue;
    }
    BYTE command = entry[0];
    finished = command == 'f';
    if (!finished && !points.Apply(command, coordinates)) return kRecordFailed;
    if (points.TooMany()) return kRecordFailed;
    coordinates.clear();
  }
  BYTE next = 0;
  if (in.PeekByte(next) && next == kOldTextEnd) in.Skip(1);

  CByteWriter record;
  WriteRecordHeader(record, kCurveRecordTag, kNewCurveType);
  record.WriteBytes(box.data(), box.size());
  record.WriteBytes(matrix.data(), matrix.size());
  record.WriteDWord(colour);
  points.WriteTo(record);
  FinishRecord(record, out);
  return kRecordDone;
}

CV56BodyConverter::RecordOutcome CV56BodyConverter::ConvertLibrary(CByteReader& in,
                                                                   CByteWriter& out) {
  Box box;
  Matrix matrix;
  WORD values[4] = {};
  if (!in.Skip(1) || !ReadBoxAndMatrix(in, box, matrix) || !in.ReadWord(values[0]) ||
      !in.ReadWord(values[1]) || !in.ReadWord(values[2]) || !in.ReadWord(values[3]) || !in.Skip(1))
    return kRecordFailed;
  CByteWriter record;
  WriteRecordHeader(record, kLibRecordTag, kLibBlock);
  record.WriteBytes(box.data(), box.size());
  record.WriteBytes(matrix.data(), matrix.size());
  record.WriteWord(values[0]);
  record.WriteWord(values[1]);
  record.WriteWord(values[2]);
  record.WriteDWord(values[3]);
  FinishRecord(record, out);
  return kRecordDone;
}

CV56BodyConverter::RecordOutcome CV56BodyConverter::ConvertImage(CByteReader& in,
                                                                 CByteWriter& out) {
  Box box;
  CString name;
  if (!in.Skip(1) || !in.ReadBytes(box.data(), box.size()) ||
      !in.ReadFixedString(name, kOldImageNameField))
    return kRecordFailed;
  CByteWriter record;
  WriteRecordHeader(record, kImageRecordTag, kImageBlock);
  record.WriteBytes(box.data(), box.size());
  // The new field is one byte shorter; the name keeps its terminating zero inside it.
  record.WriteFixedString(name.Left(static_cast<int>(kNewImageNameField - 1)), kNewImageNameField);
  FinishRecord(record, out);
  return kRecordDone;
}

bool CV56BodyConverter::SkipSizedRecord(CByteReader& in) {
  int length = 0;
  if (!in.Skip(1) || !in.ReadInt32(length) || length < 0) return false;
  // The record takes length + 6 bytes, five of them read already.
  return in.Skip(static_cast<size_t>(length) + 1);
}

void CV56BodyConverter::ReportGroupDamage() {
  if (m_groupDamageReported) return;
  m_groupDamageReported = true;
  CWnd* mainWindow = AfxGetMainWnd();
  AfxShowMessageBox(mainWindow ? mainWindow->GetSafeHwnd() : nullptr, kGroupDamageText,
                    kGroupDamageCaption, MB_OK);
}
