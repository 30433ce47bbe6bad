// CTALVEX42Doc: the editor's document: one drawing page with its blocks, guide lines, output
// areas and page settings, stored as a .T42 file. The framework's template creates it; every open
// and save of a drawing ends here.
#pragma once

#include <windows.h>

#include "framework/Document.h"
#include "model/document/AuxObjectList.h"
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
  // Reads and checks the whole file first and takes its contents only when all of it is sound;
  // any failure is reported with its reason.
  BOOL OnOpenDocument(LPCSTR path) override;
  // Builds the whole file, then saves it beside the previous one, which becomes the backup.
  BOOL OnSaveDocument(LPCSTR path) override;
  void OnCloseDocument() override;

  CSegArray& GetBlockList() { return m_blocks; }
  CAuxObjectList& GetOutputAreas() { return m_outputAreas; }
  CAuxObjectList& GetGuideLines() { return m_guides; }
  CPageSettings& GetPageSettings() { return m_page; }

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

private:
  void ReportError(LPCSTR text) const;

  CSegArray m_blocks;
  CAuxObjectList m_outputAreas;
  CAuxObjectList m_guides;
  CPageSettings m_page;
};
