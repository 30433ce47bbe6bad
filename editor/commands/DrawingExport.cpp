#include "editor/commands/DrawingExport.h"

#include <cstring>
#include <memory>

#include "framework/File.h"
#include "framework/GlobalLock.h"
#include "media/EpsWriter.h"
#include "model/blocks/Block.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"

const char CDrawingExport::kEditorTextRule[] = "--------------------\r\n";
const char CDrawingExport::kArtworkFileName[] = "CaveData.Dat";
const char CDrawingExport::kEpsTitle[] = "Ravenquillor V6.x";

namespace {

const DWORD kEveryColour = 0xFFFFFFFF;
const char kPlotHeader[] = "IN;\r\nPA;\r\nSP1;\r\n";
const char kPlotTrailer[] = "\r\n";
const UINT kCreateFlags = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;
// Inches per millimetre: the EPS scale is the resolution times this.
const double kInchesPerMillimetre = 0.03937007874015748;

bool HasExtension(LPCSTR path, LPCSTR extension) {
  const char* dot = std::strrchr(path, '.');
  const char* slash = std::strrchr(path, '\\');
  if (!dot || (slash && dot < slash)) return extension[0] == '\0';
  return ::lstrcmpiA(dot + 1, extension) == 0;
}

}  // namespace

CDrawingExport::Kind CDrawingExport::KindOf(LPCSTR path) {
  if (!path) return kOther;
  if (HasExtension(path, "") || HasExtension(path, "TXT")) return kText;
  if (HasExtension(path, "PLT")) return kPlot;
  if (HasExtension(path, "EPS")) return kIllustrator;
  return kOther;
}

CString CDrawingExport::FolderOf(LPCSTR path) {
  CString folder(path ? path : "");
  int slash = folder.ReverseFind('\\');
  if (slash >= 0) return folder.Left(slash);
  int colon = folder.ReverseFind(':');
  return colon >= 0 ? folder.Left(colon + 1) : CString();
}

CDrawingExport::Result CDrawingExport::WriteBytes(LPCSTR path, const void* data, size_t size) {
  CFile file;
  if (!file.Open(path, kCreateFlags)) return kCannotWrite;
  file.Write(data, static_cast<UINT>(size));
  file.Close();
  return kWritten;
}

CDrawingExport::Result CDrawingExport::WriteText(CSegArray& blocks, const CString& editorText,
                                                 LPCSTR path) {
  CString text;
  blocks.AppendText(text);
  if (!editorText.IsEmpty()) {
    text += kEditorTextRule;
    text += editorText;
  }
  if (text.IsEmpty()) return kNothingWritten;
  return WriteBytes(path, static_cast<LPCSTR>(text), text.GetLength());
}

CContour* CDrawingExport::PlotContour(CSegArray& blocks, float scale) {
  CMatrix2D scaling;
  scaling.m[0] = scaling.m[4] = scale;
  std::unique_ptr<CContour> all;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    std::unique_ptr<CContour> contour(block ? block->GetContour(&scaling, 0) : nullptr);
    if (!contour || contour->GetCount() == 0) continue;
    if (!all)
      all = std::move(contour);
    else
      all->Append(contour.get());
  }
  if (!all) return nullptr;
  all->ApplyMatrix();
  // Page y grows downwards, a plotter's upwards: the drawing is turned over within its box.
  const CFRect box = all->GetBox();
  CMatrix2D mirror = MakeMirrorMatrix(box.left, box.top, box.right, box.bottom, false, true);
  all->Transform(&mirror);
  all->ApplyMatrix();
  return all.release();
}

CDrawingExport::Result CDrawingExport::WritePlot(CSegArray& blocks, LPCSTR path) {
  std::unique_ptr<CContour> contour(PlotContour(blocks, kPlotUnits));
  if (!contour) return kNothingWritten;
  CFile file;
  if (!file.Open(path, kCreateFlags)) return kCannotWrite;
  file.Write(kPlotHeader, sizeof kPlotHeader - 1);
  contour->WriteHPGL(&file);
  file.Write(kPlotTrailer, sizeof kPlotTrailer - 1);
  file.Close();
  return kWritten;
}

CDrawingExport::Result CDrawingExport::WriteEps(CSegArray& blocks, LPCSTR path,
                                                LPCSTR settingsPath) {
  CEpsWriter writer(settingsPath);
  const float resolution = writer.ReadDpi();
  if (resolution == 0.0f) return kNoResolution;
  const float scale = static_cast<float>(resolution * kInchesPerMillimetre);
  std::unique_ptr<CContour> contour(PlotContour(blocks, scale));
  if (!contour) return kNothingWritten;
  const CFRect box = contour->GetBox();
  if (!writer.Open(path))
    return writer.GetProblem() == CEpsWriter::kBadBoundingBoxTemplate ? kBadTemplate
           : writer.GetProblem() == CEpsWriter::kNoResolution         ? kNoResolution
                                                                      : kCannotWrite;
  writer.WriteProlog(kEpsTitle, box.left / scale, box.top / scale, box.right / scale,
                     box.bottom / scale);
  contour->WriteAIPath(writer.GetFile());
  writer.WriteTail();
  writer.CloseFile();
  return kWritten;
}

CDrawingExport::Result CDrawingExport::WriteArtworkRecord(CSegArray& blocks, LPCSTR path) {
  CGroupBlock group;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i)
    if (CBlock* block = blocks.GetBlock(i)) group.AddChild(block->ToCurve(kEveryColour));
  if (group.GetChildCount() == 0) return kNothingWritten;
  HGLOBAL record = nullptr;
  int length = group.WriteRecord(&record);
  if (!record || length <= 0) {
    if (record) ::GlobalFree(record);
    return kNothingWritten;
  }
  Result result = kCannotWrite;
  {
    CGlobalLock lock(record);
    if (lock.Data() && lock.Size() >= static_cast<size_t>(length))
      result = WriteBytes(path, lock.Data(), static_cast<size_t>(length));
  }
  ::GlobalFree(record);
  return result;
}
