// CPlotFile: a plot file opened for the parser, read in blocks of 4096 bytes. A file that begins
// with the bytes FF FE is 16-bit text after them, and the parser takes the first byte of each
// 2-byte unit; any other file is 8-bit text from its first byte. Positions are byte offsets of the
// next character (64-bit), so a batch can be read again from where it began.
#pragma once

#include <windows.h>

#include "usbplugin/PlotParser.h"

class CPlotFile {
public:
  // Why a file cannot be plotted, in the order the checks are made.
  enum OpenResult { kOpened, kMissing, kUnreadable, kTooShort };
  // Files shorter than this hold no plotting record.
  static constexpr UINT64 kMinimumSize = 5;
  static constexpr DWORD kBlockSize = 4096;

  CPlotFile();
  ~CPlotFile();
  CPlotFile(const CPlotFile&) = delete;
  CPlotFile& operator=(const CPlotFile&) = delete;

  OpenResult Open(LPCSTR path);
  void Close();
  bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

  // Decides the text kind and goes to the first character; false when the file cannot be read.
  bool Start();
  bool IsWide() const { return m_wide; }
  UINT64 Position() const { return m_position; }
  // Goes to a position that Position() gave; false when the file cannot be read there.
  bool Seek(UINT64 position);
  bool AtEnd();

  // The next character, or -1 at the end (or when the file cannot be read).
  int NextChar();

  // Runs the parser over the whole file and goes back to its start: the number of records it
  // gives and what it drops.
  bool CountRecords(INT32& records, DroppedCommands& dropped);

  // Reads records with the parser from the current position until max records are out (result
  // true, the batch is full) or the file ends (false).
  bool ReadRecords(CPlotParser& parser, PlotRecord* out, int max, int& count);

private:
  bool FillBuffer();
  int NextByte();

  HANDLE m_file;
  bool m_wide;
  UINT64 m_position;     // of the next character
  UINT64 m_bufferStart;  // file offset of m_buffer[0]
  DWORD m_bufferLength;
  BYTE m_buffer[kBlockSize];
};
