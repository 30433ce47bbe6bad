#include "usbplugin/ScsiCommand.h"

#include <cstring>

#include "framework/ByteReader.h"

namespace {

const BYTE kWriteOpcode = 0x2E;
const BYTE kReadOpcode = 0xFF;

ScsiCommand Make(bool write, int number, DWORD length) {
  ScsiCommand command;
  command.write = write;
  command.number = number;
  command.length = length;
  memset(command.block, 0, sizeof command.block);
  command.block[0] = write ? kWriteOpcode : kReadOpcode;
  command.block[2] = command.block[3] = command.block[4] = 0xFF;
  command.block[5] = static_cast<BYTE>(number);
  command.block[7] = static_cast<BYTE>((length >> 17) & 0xFF);
  command.block[8] = static_cast<BYTE>((length >> 9) & 0xFF);
  return command;
}

}  // namespace

DWORD ScsiCommand::AnswerLength(int command) {
  switch (command) {
    case kBaseInformation:
    case kStatusRecord:
      return 48;
    case kCommand19:
      return 18;
    case kCommand20:
      return 64;
    default:
      return 20;
  }
}

ScsiCommand ScsiCommand::Read(int command) { return Make(false, command, AnswerLength(command)); }

ScsiCommand ScsiCommand::Write(int command, DWORD length) { return Make(true, command, length); }

bool ScsiCommand::Parse(const BYTE* bytes, size_t size, ScsiCommand& command) {
  if (size != kBlockSize) return false;
  bool write = bytes[0] == kWriteOpcode;
  if (!write && bytes[0] != kReadOpcode) return false;
  if (bytes[1] != 0 || bytes[2] != 0xFF || bytes[3] != 0xFF || bytes[4] != 0xFF) return false;
  if (bytes[6] != 0 || bytes[9] != 0) return false;
  command = Make(write, bytes[5], 0);
  memcpy(command.block, bytes, kBlockSize);
  return true;
}

int ScsiCommand::Result(bool requestDone, const ScsiReply& reply) {
  if (!requestDone) return kNoAnswer;
  if (reply.status == 0) return 0;
  if (reply.status != 2) return kUnexpectedStatus;
  CByteReader reader(reply.sense + 3, 4);
  DWORD code = 0;
  reader.ReadDWord(code);
  return code > kLargestDeviceCode ? kLargestDeviceCode : static_cast<int>(code);
}
