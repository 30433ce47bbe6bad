// CV56BodyConverter: turns the body of a version-5.6 drawing into a version-6 block-list record
// (tag 2, length, the converted block records, 0xFE, then one spare 0xFF outside the length).
//
// The old body is a run of records, each opened by a type byte: 129 group (box, matrix, nested
// records up to 254), 130 text (effect, box, four values, matrix, character and attribute
// entries), 131 library symbol, 132 curve (8-byte coordinate and command entries), 133 image,
// 134 a record skipped by its own length, 252-254 single bytes skipped, 255 the end. Each becomes
// the version-6 record of its kind; curves get 9-byte point records, texts a character box array.
//
// Every read is checked against the body: a record cut short, a length running past the data, a
// body that runs out before its end byte (a file cut at a record's end), a curve command without
// the points it needs, groups nested deeper than kMaxGroupDepth or a byte inside a group that
// means nothing there fail the whole conversion, so a damaged old file is refused rather than
// merged half-understood. Types 134, 135 and 253 inside a group are the one damage the old format
// names: they are reported once and end that group there, keeping what it held, and the list
// around it goes on after that byte. A group left with nothing is dropped: it has nothing to
// draw, and readers refuse an empty block list.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

class CByteReader;
class CByteWriter;

class CV56BodyConverter {
public:
  // Old drawings nest a few groups at most; deeper nesting is taken as damage.
  static constexpr int kMaxGroupDepth = 32;

  // True and the record in `record` when the body converts; false (record empty) when damaged.
  bool Convert(const BYTE* body, size_t size, std::vector<BYTE>& record);

private:
  enum Outcome { kListEnded, kStopped, kFailed };
  enum RecordOutcome { kRecordDone, kRecordFailed };

  Outcome ConvertList(CByteReader& in, CByteWriter& out, int depth);
  Outcome ConvertGroup(CByteReader& in, CByteWriter& out, int depth);
  RecordOutcome ConvertText(CByteReader& in, CByteWriter& out);
  RecordOutcome ConvertTextEntries(CByteReader& in, CByteWriter& out);
  RecordOutcome ConvertCurve(CByteReader& in, CByteWriter& out);
  RecordOutcome ConvertLibrary(CByteReader& in, CByteWriter& out);
  RecordOutcome ConvertImage(CByteReader& in, CByteWriter& out);
  static bool SkipSizedRecord(CByteReader& in);
  void ReportGroupDamage();

  bool m_groupDamageReported = false;
};
