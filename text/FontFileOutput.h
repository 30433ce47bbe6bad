// CFontFileOutput: writes a font file whole. The bytes go to a new file beside the target, which
// takes the target's name only once every byte is written; a write that fails (a full disk) or a
// target that cannot be replaced leaves the target as it was and no new file behind, so a font
// file is never left half written under its name.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

class CFile;

class CFontFileOutput {
public:
  enum Result { kWritten, kCannotCreate, kCannotWrite, kCannotReplace };
  // Writes the bytes into the open file; false when they could not all be written. The default
  // writes through CFile::Write.
  using Writer = std::function<bool(CFile& file, const BYTE* data, size_t size)>;

  static Result Write(LPCSTR path, const BYTE* data, size_t size, const Writer& writer = nullptr);
  // Whether a file can be made beside the target (its folder exists and takes new files), so that
  // a long build can be refused before it starts. Leaves nothing behind.
  static bool CanCreate(LPCSTR path);
};
