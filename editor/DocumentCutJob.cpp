#include "editor/DocumentCutJob.h"

#include "editor/ProgramObjects.h"
#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"
#include "model/blocks/Block.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/TALVEX42Doc.h"

CSegArray* CDocumentCutJob::GetOutputBlocks() {
  m_curves.DeleteAll();
  CFrameWnd* child = m_frame ? m_frame->GetActiveFrame() : nullptr;
  auto* document = child ? dynamic_cast<CTALVEX42Doc*>(child->GetActiveDocument()) : nullptr;
  if (!document) return nullptr;
  CSegArray& blocks = document->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (CBlock* curve = block ? block->ToCurve(CShapeBlock::kAnyColour) : nullptr)
      m_curves.AddBlock(curve);
  }
  return m_curves.GetSize() > 0 ? &m_curves : nullptr;
}

CString CDocumentCutJob::GetDocumentTitle() {
  CFrameWnd* child = m_frame ? m_frame->GetActiveFrame() : nullptr;
  CDocument* document = child ? child->GetActiveDocument() : nullptr;
  return document ? document->GetTitle() : CString();
}

LANGID CDocumentCutJob::GetLanguage() { return theApp.GetLanguage(); }

void CDocumentCutJob::CloseCutOutput() {
  if (m_frame && m_bar && m_bar->m_hWnd) m_frame->ShowControlBar(m_bar, FALSE, FALSE);
}
