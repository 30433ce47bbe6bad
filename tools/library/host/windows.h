// The few Windows integer types and colour macros that the portable library writer (the library
// layout, the bulk builder, the glyph encoder and the byte writer) is written in, for building
// the library generator with the build machine's own compiler. Sizes are those of Windows: DWORD
// and LONG are 32 bits here too.
#pragma once

#include <cstddef>
#include <cstdint>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int32_t INT32;
typedef int BOOL;
typedef unsigned int UINT;
typedef uint64_t UINT64;
typedef size_t SIZE_T;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef DWORD COLORREF;

#define RGB(r, g, b)                                                                             \
  (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                         (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(rgb) (static_cast<BYTE>(rgb))
#define GetGValue(rgb) (static_cast<BYTE>(static_cast<WORD>(rgb) >> 8))
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))
