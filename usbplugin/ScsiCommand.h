// ScsiCommand: one vendor command to the cutter as the ten-byte command block of a SCSI
// pass-through request, and how the request's outcome becomes the device result the plug-in's
// entries report (0 done, 8 no answer, 0xFFFF an unexpected status, else the cutter's own code
// from its sense data, at most 0xFF00).
//
// Block: byte 0 is 0x2E for a write and 0xFF for a read, bytes 2-4 are FF FF FF, byte 5 the command
// number, bytes 7 and 8 the length shifted right by 17 and 9 bits; the other bytes are zero.
#pragma once

#include <windows.h>

struct ScsiReply {
  static constexpr size_t kSenseSize = 32;
  BYTE status;  // 0 good, 2 check condition (the sense data says why)
  BYTE sense[kSenseSize];
};

struct ScsiCommand {
  static constexpr size_t kBlockSize = 10;
  static constexpr int kNoAnswer = 8;
  static constexpr int kUnexpectedStatus = 0xFFFF;
  static constexpr int kLargestDeviceCode = 0xFF00;

  // The command table: numbers, and the answer lengths of the read commands.
  enum Number {
    kTest = 0,
    kWriteRecords = 2,
    kStatusCommand = 3,
    kReset = 4,
    kBaseInformation = 17,
    kStatusRecord = 18,
    kCommand19 = 19,
    kCommand20 = 20,
  };
  static DWORD AnswerLength(int command);
  // The most bytes one write command carries (8192 records).
  static constexpr DWORD kMaxWriteLength = 65536;

  static ScsiCommand Read(int command);
  static ScsiCommand Write(int command, DWORD length);
  // Takes a block apart again (the in-memory cutter does); false when it is no block of ours.
  static bool Parse(const BYTE* bytes, size_t size, ScsiCommand& command);

  // The result of a request: requestDone false when the request itself failed.
  static int Result(bool requestDone, const ScsiReply& reply);

  bool write;
  int number;
  DWORD length;
  BYTE block[kBlockSize];
};
