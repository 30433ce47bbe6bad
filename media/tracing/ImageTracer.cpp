#include "media/tracing/ImageTracer.h"

#include <memory>
#include <vector>

#include "framework/GlobalLock.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "media/images/ImageTexts.h"
#include "media/tracing/DibPixels.h"
#include "media/tracing/TraceTexts.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/records/BlockRecord.h"

namespace {

// Two colours: the background and the colour traced.
const DWORD kColourCapacity = 2;

// The block of a record in global memory, which is freed; null for a record that does not read.
CBlock* TakeRecord(HGLOBAL record) {
  if (!record) return nullptr;
  CBlock* block = nullptr;
  {
    CGlobalLock lock(record);
    if (lock.Data()) block = CreateBlockFromRecord(lock.Data(), lock.Size());
  }
  GlobalFree(record);
  return block;
}

// Later results join the first: curves into the curve, anything else into a group.
CBlock* Join(CBlock* first, CBlock* later) {
  if (!first) return later;
  auto* curve = dynamic_cast<CCurveBlock*>(first);
  auto* more = dynamic_cast<CCurveBlock*>(later);
  if (curve && more) {
    curve->AppendCurve(*more);
    delete later;
    return first;
  }
  auto* group = new CGroupBlock;
  group->AddChild(first);
  group->AddChild(later);
  return group;
}

}  // namespace

CImageTracer::CImageTracer(LPCSTR vectoriserPath, LPCSTR tracerPath) {
  m_vectoriser.Bind(vectoriserPath);
  m_tracer.Bind(tracerPath);
}

bool CImageTracer::IsBound(bool useVectoriser) const {
  return useVectoriser ? m_vectoriser.EntriesBound() : m_tracer.EntriesBound();
}

CString CImageTracer::ColourCountText(const Report& report) {
  CString text = ImageText::LoadOr(TraceText::kColourCountId, TraceText::kColourCount);
  CString formatted;
  formatted.Format(text, static_cast<unsigned>(report.colours));
  return formatted;
}

HGLOBAL CImageTracer::CallLibrary(bool useVectoriser, HGLOBAL plane, int width, int height,
                                  HWND owner) {
  CWaitCursor wait;
  return useVectoriser ? m_vectoriser.Vectorise(plane, width, height, owner)
                       : m_tracer.Trace(plane, width, height, owner);
}

CBlock* CImageTracer::TraceDib(const BITMAPINFOHEADER& header, const BYTE* bits,
                               std::size_t bitsSize, bool useVectoriser, HWND owner, Report* report,
                               const std::function<void()>& beforeCall) {
  Report local;
  Report& result = report ? *report : local;
  result = Report();
  DWORD list[1 + kColourCapacity] = {kColourCapacity};
  result.colours = CountDibColors(header, bits, bitsSize, list);
  if (result.colours == 0) return nullptr;
  if (result.colours > static_cast<int>(kColourCapacity)) {
    result.outcome = kTooManyColours;
    return nullptr;
  }
  if (result.colours == 1) {
    result.outcome = kOneColour;
    return nullptr;
  }
  if (!IsBound(useVectoriser)) {
    result.outcome = kNoLibrary;
    return nullptr;
  }
  CBlock* traced = nullptr;
  // The first value found is the background; every other one is traced.
  for (int i = 2; i <= result.colours; ++i) {
    HGLOBAL plane = MakeColorPlane(header, bits, bitsSize, list[i]);
    if (!plane) continue;
    if (beforeCall) beforeCall();
    HGLOBAL record = CallLibrary(useVectoriser, plane, header.biWidth, header.biHeight, owner);
    GlobalFree(plane);
    if (CBlock* block = TakeRecord(record)) traced = Join(traced, block);
  }
  result.outcome = traced ? kTraced : kNothingTraced;
  return traced;
}

CBlock* CImageTracer::TraceBitmap(HBITMAP bitmap, bool useVectoriser, HWND owner, Report* report) {
  Report local;
  Report& result = report ? *report : local;
  result = Report();
  if (!bitmap) return nullptr;
  // The header alone first, in the bitmap's own format, then room for a colour table.
  std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  HDC screen = ::GetDC(nullptr);
  bool read = ::GetDIBits(screen, bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(header),
                          DIB_RGB_COLORS) != 0;
  std::vector<BYTE> bits;
  if (read) {
    // Pixel values are compared, never colours: plain values serve for every depth.
    header->biCompression = BI_RGB;
    header->biHeight = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    std::size_t stride = DibRowStride(header->biWidth, header->biBitCount);
    bits.resize(stride * static_cast<std::size_t>(header->biHeight));
    read = !bits.empty() &&
           ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(header->biHeight), bits.data(),
                       reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS) != 0;
  }
  ::ReleaseDC(nullptr, screen);
  if (!read) return nullptr;
  CBlock* traced = TraceDib(*header, bits.data(), bits.size(), useVectoriser, owner, &result);
  if (result.outcome == kTooManyColours) {
    AfxShowMessageBox(owner,
                      ImageText::LoadOr(TraceText::kTooManyColoursId, TraceText::kTooManyColours),
                      ImageText::LoadOr(TraceText::kErrorCaptionId, TraceText::kErrorCaption),
                      MB_OK | MB_ICONERROR);
  }
  return traced;
}

CBlock* CImageTracer::TraceImage(const CImageBlock& image, bool useVectoriser, HWND owner,
                                 Report* report, SIZE* pixels,
                                 const std::function<void()>& beforeCall) {
  Report local;
  Report& result = report ? *report : local;
  result = Report();
  RasterImageInfo info;
  if (!image.ReadImage(&info)) return nullptr;
  if (pixels) *pixels = {info.width, info.height};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = info.width;
  header.biHeight = info.height;
  header.biPlanes = 1;
  header.biBitCount = info.bitsPerPixel;
  // The file's rows as stored, bottom row first; their memory's size bounds what is read.
  HGLOBAL rows = image.ReadBits(false);
  if (!rows) return nullptr;
  CBlock* traced = nullptr;
  {
    CGlobalLock lock(rows);
    if (lock.Data())
      traced = TraceDib(header, lock.Data(), lock.Size(), useVectoriser, owner, &result,
                        beforeCall);
  }
  GlobalFree(rows);
  return traced;
}
