// CImageBlock: a raster image (BMP or TIFF) on the page, kept as the path of its file. The box, in
// page units, is where the picture is stretched; the block has no matrix of its own (its record
// holds none): it moves and resizes by its box only, is never rotated, never becomes a curve and
// is never cut. The display bitmap is made from the file the first time the block is drawn, at the
// file's own depth and with its colours, and kept until the block goes: it costs what the file's
// pixels do, not what they would at the screen's depth, and is stretched into whatever context
// draws the block. Printing makes a bitmap of its own for the printer and lets it go.
// When none can be made, repaints leave the file alone until it changes: a file the readers
// refuse or cannot show costs one read, not one per repaint.
//
// The pixels come through the installed raster service (CRasterService); without one, or for a
// file that is missing or cannot be read, the block draws nothing and gives no image.
//
// The record ('(' , 85 bytes) holds the name in a field of 60 bytes: a longer path is stored as
// its short form, or relative to the document being saved (CImageFolderScope), whichever fits.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "model/blocks/Block.h"

struct RasterImageInfo;

class CImageBlock : public CBlock {
public:
  static const size_t kRecordLength = 85;
  // The record's name field: 59 bytes and a terminator.
  static const size_t kNameFieldSize = 60;
  // The bit of DrawForPrint's flag that asks for images to be printed.
  static constexpr int kPrintImages = 1;

  // Type 133, an empty box, no bitmap; the caller sets the box.
  explicit CImageBlock(LPCSTR fileName);
  ~CImageBlock() override;

  void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) override;
  // TRUE, so that a double click in the selection tool starts a curve traced over the image.
  BOOL CanNodeEdit() override;
  // A new record; nothing (0) only for a block made from a path of which no form ever fitted the
  // record. A block read from a record always writes one, with the name as read when no other
  // form fits, even an empty one: a save never drops a block it opened.
  int WriteRecord(HGLOBAL* record) override;
  void DrawOutline(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawFilled(CDC* dc, CMatrix2D* matrix, int flag) override;

  // Image access through the raster service (false, 0 or null without it).
  BOOL ReadImage(RasterImageInfo* info) const;
  HGLOBAL ReadPalette() const;
  int GetColorCount() const;
  // Rows padded to 4 bytes, the picture's top row first when topDown is set.
  HGLOBAL ReadBits(bool topDown) const;
  // Replaces the display bitmap by one made anew from the file; null when none can be made.
  HBITMAP CreateBitmap();

  const CString& GetFileName() const { return m_fileName; }
  HBITMAP GetBitmap() const { return m_bitmap; }

  // The name as a record can hold it: the path itself when it fits the field, else its short
  // form, else the path relative to the current document folder; empty when none fits.
  static CString StorableName(LPCSTR path);

private:
  // The file's size and time of last change, or that there is none.
  struct FileStamp {
    bool exists = false;
    ULONGLONG size = 0;
    ULONGLONG written = 0;
    static FileStamp Of(LPCSTR path);
    bool operator==(const FileStamp& other) const;
  };

  // Stretches the bitmap into the rectangle with a plain copy.
  static void StretchInto(CDC* dc, HBITMAP bitmap, const RECT& target);

  CString m_fileName;
  // The stored form found when the block was made or read, for a save at which no form can be
  // found (the file gone, its folder away): the block is never dropped from the record list.
  CString m_recordName;
  // m_recordName is what a record held, written back as it is even when empty.
  bool m_nameFromRecord;
  HBITMAP m_bitmap;
  // The last attempt to make the display bitmap failed, on the file as m_failedFile tells.
  bool m_bitmapFailed;
  FileStamp m_failedFile;

  friend CBlock* LoadImageBlock(const BYTE* record, size_t available);
};

// The image of an image record (tag 0x28); null for another record or a damaged one. A relative
// name is resolved against the document folder being opened (CImageFolderScope).
CBlock* LoadImageBlock(const BYTE* record, size_t available);
