// Block records: the stored form of every block (documents, clipboard, undo, clones).
//
//   +0 tag, +1 length (signed 32-bit, from the tag up to and including the end byte),
//   +5 type code, +6 attribute word, +8 the type's fields, length - 1: end byte 0xF1.
//
// A writer puts one more byte 0xFF after the end byte, outside the length. A list of records ends
// with 0xFE where the next tag would stand.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CBlock;

enum : BYTE {
  kTextRecordTag = 0x21,
  kLibRecordTag = 0x22,
  kCurveRecordTag = 0x23,
  kLineRecordTag = 0x24,
  kRectRecordTag = 0x25,
  kCircleRecordTag = 0x26,
  kPolygonRecordTag = 0x27,
  kImageRecordTag = 0x28,
  kGroupRecordTag = 0x29,
  kTransformRecordTag = 0x2A,
  kStampRecordTag = 0x50,
};

// Container records of the same family that are not blocks.
enum : BYTE {
  kAuxListRecordTag = 1,
  kSegArrayRecordTag = 2,
  kBoxArrayRecordTag = 3,
};

const BYTE kRecordEndByte = 0xF1;
const BYTE kRecordPadByte = 0xFF;
const BYTE kListEndByte = 0xFE;
const size_t kRecordHeaderSize = 8;
// Header plus end byte: no record is shorter.
const size_t kMinRecordLength = kRecordHeaderSize + 1;

// Builds a block from a record given with the number of bytes available from its first byte.
// Null for a tag that is not a block's, a record that does not fit in what is available or does
// not close with its end byte, or one the type's reader refuses. The caller owns the block.
CBlock* CreateBlockFromRecord(const BYTE* record, size_t available);

// A reader builds one block type from its record, or returns null (wrong tag, damaged record).
using BlockRecordReader = CBlock* (*)(const BYTE* record, size_t available);
// The reader the dispatcher uses for a tag (null when that tag has none yet).
BlockRecordReader GetBlockRecordReader(BYTE tag);
// Replaces the reader of a tag and returns the previous one; lets tests stand in a block type.
BlockRecordReader SetBlockRecordReader(BYTE tag, BlockRecordReader reader);

// The type's name from the string table; an unknown type gives the "unknown block" text when the
// resources have it and leaves name unchanged otherwise.
void GetBlockTypeName(BYTE type, CString& name);
