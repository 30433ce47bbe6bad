// CTALVEX42Doc: the editor's document: one drawing page with its blocks, guide lines, output
// areas and page settings, stored as a .T42 file. The framework's template creates it; every open
// and save of a drawing ends here. It keeps the file's font-mount section as read (the names of
// the fonts its texts refer to): an open binds its characters to the fonts of those names mounted
// now and lets the user replace the fonts that are not (CFontRebinding, CMissingFontResolver); a
// save names the fonts mounted now when the font code is installed (CFontMountService) and writes
// the kept section back otherwise. The text section goes to and comes from the editor's text
// window (CDocumentTextStore); without one it is kept as read and written back unchanged.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Document.h"
#include "framework/String.h"
#include "model/document/AuxObjectList.h"
#include "model/document/DocFileWriter.h"
#include "model/document/FontMountSection.h"
#include "model/document/PageSettings.h"
#include "model/document/SegArray.h"

class CBlock;
class CFRect;

class CTALVEX42Doc : public CDocument {
  DECLARE_DYNCREATE(CTALVEX42Doc)
public:
  // View hints: one block to draw (the hint object), blocks appended from an index on (the hint
  // object carries the former block count), a fresh page.
  static constexpr LPARAM kHintBlockAdded = 1;
  static constexpr LPARAM kHintBlocksAppended = 3;
  static constexpr LPARAM kHintNewPage = 0x80000001;

  CTALVEX42Doc();
  ~CTALVEX42Doc() override;

  BOOL OnNewDocument() override;
  // Reads the whole file and takes what can be read of it; a refused file is reported with its
  // reason and leaves the document untouched. A damaged file that opens keeps what was read.
  BOOL OnOpenDocument(LPCSTR path) override;
  // Builds the whole file, then saves it beside the previous one, which becomes the backup. Over
  // a file that opened damaged, the backup of that original stays from the first save on.
  BOOL OnSaveDocument(LPCSTR path) override;
  void OnCloseDocument() override;

  CSegArray& GetBlockList() { return m_blocks; }
  CAuxObjectList& GetOutputAreas() { return m_outputAreas; }
  CAuxObjectList& GetGuideLines() { return m_guides; }
  CPageSettings& GetPageSettings() { return m_page; }
  const CFontMountSection& GetFontMount() const { return m_fontMount; }
  // The text section's stored bytes (the text and its zero), empty when there is no text.
  const std::vector<BYTE>& GetStoredText() const { return m_storedText; }

  void AddBlock(CBlock* block);
  void InsertBlockAt(CBlock* block, INT_PTR index);
  // The other list keeps its pointers; the caller empties it.
  void AppendBlocks(CSegArray& blocks);
  CBlock* GetBlockAt(INT_PTR index) const;
  // The block passes to the caller; the document is not marked modified.
  CBlock* RemoveBlockAt(INT_PTR index);
  // The index the block had, -1 when the list does not hold it.
  INT_PTR RemoveBlock(CBlock* block);
  void RemoveBlocks(CSegArray& blocks);
  // With a block: removes and deletes it when it is empty. With null: every empty block. 1 when a
  // block was deleted.
  int DeleteEmptyBlocks(CBlock* block);
  // The union of the blocks' boxes; false, with bounds untouched, for an empty list.
  BOOL GetBlocksBounds(CFRect* bounds);

  static int BackupFile(LPCSTR path);

  // Binds the characters to the fonts mounted now that have the names the section saved for
  // them, and has the user replace the ones not mounted; true when the user replaced a font (the
  // document then differs from its file). After the fonts were mounted anew every character
  // takes its glyph again, whether or not its binding changed.
  bool RemountFonts(const CFontMountSection& section, bool fontsRemounted = false);

private:
  void ReportError(LPCSTR text) const;
  // Transformed objects whose transformation could not be made again show their source only: says
  // so once, naming the cause (no transform library, or data it could not read).
  void ReportSourceOnlyTransforms() const;
  bool IsDamagedOriginal(LPCSTR path) const;
  CDocFileWriter::BackupMode BackupModeFor(LPCSTR path) const;

  CSegArray m_blocks;
  CAuxObjectList m_outputAreas;
  CAuxObjectList m_guides;
  CPageSettings m_page;
  CFontMountSection m_fontMount;
  std::vector<BYTE> m_storedText;
  // The file this document was opened from when it was damaged, and whether a save has already
  // moved that original to its backup.
  CString m_damagedOriginal;
  bool m_originalBackedUp = false;
};
