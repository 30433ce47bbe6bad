// The records and codes that cross the TWAIN source manager's single entry, DSM_Entry, as the
// TWAIN protocol (version 1.x) defines them: the records are packed to 2 bytes, so their sizes
// are fixed for both architectures except where they hold a pointer or a handle.
#pragma once

#include <windows.h>

#include <cstddef>

#pragma pack(push, 2)

struct TwainVersion {
  WORD majorNum;
  WORD minorNum;
  WORD language;
  WORD country;
  char info[34];
};

// Who is calling, or which source is meant.
struct TwainIdentity {
  DWORD id;
  TwainVersion version;
  WORD protocolMajor;
  WORD protocolMinor;
  DWORD supportedGroups;
  char manufacturer[34];
  char productFamily[34];
  char productName[34];
};

struct TwainUserInterface {
  WORD showUI;
  WORD modalUI;
  HANDLE parent;
};

struct TwainPendingTransfers {
  WORD count;
  DWORD endOfJob;
};

struct TwainEvent {
  void* event;  // the MSG being processed
  WORD message;
};

#pragma pack(pop)

static_assert(sizeof(TwainVersion) == 42, "TW_VERSION is 42 bytes");
static_assert(sizeof(TwainIdentity) == 156, "TW_IDENTITY is 156 bytes");
static_assert(sizeof(TwainPendingTransfers) == 6, "TW_PENDINGXFERS is 6 bytes");
static_assert(sizeof(TwainUserInterface) == 4 + sizeof(HANDLE), "TW_USERINTERFACE packs to 2");
static_assert(sizeof(TwainEvent) == sizeof(void*) + 2, "TW_EVENT packs to 2");
static_assert(offsetof(TwainIdentity, productName) == 122, "identity layout");

// DSM_Entry (origin, destination, data group, data type, message, data); stdcall on 32 bits.
typedef WORD(WINAPI* TwainEntryProc)(TwainIdentity* origin, TwainIdentity* destination, DWORD group,
                                     WORD dataType, WORD message, void* data);

namespace twain {

// Data groups.
const DWORD kControl = 0x0001;
const DWORD kImage = 0x0002;

// Data types.
const WORD kEvent = 0x0002;
const WORD kIdentity = 0x0003;
const WORD kParent = 0x0004;
const WORD kPendingTransfers = 0x0005;
const WORD kUserInterface = 0x0009;
const WORD kImageNativeTransfer = 0x0104;

// Messages.
const WORD kNull = 0x0000;
const WORD kGet = 0x0001;
const WORD kGetDefault = 0x0003;
const WORD kReset = 0x0007;
const WORD kTransferReady = 0x0101;
const WORD kCloseSourceRequest = 0x0102;
const WORD kOpenManager = 0x0301;
const WORD kCloseManager = 0x0302;
const WORD kOpenSource = 0x0401;
const WORD kCloseSource = 0x0402;
const WORD kUserSelect = 0x0403;
const WORD kDisableSource = 0x0501;
const WORD kEnableSource = 0x0502;
const WORD kProcessEvent = 0x0601;
const WORD kEndTransfer = 0x0701;

// Return codes.
const WORD kSuccess = 0;
const WORD kFailure = 1;
const WORD kCancel = 3;
const WORD kSourceEvent = 4;
const WORD kNotSourceEvent = 5;
const WORD kTransferDone = 6;

}  // namespace twain
