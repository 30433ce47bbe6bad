// CImageTracer: turns a two-colour bitmap into outlines through the tracing or the vectorising
// library. The first pixel value met (the bottom-left pixel) is the background; the other value's
// byte plane goes to the chosen library, and the block record it returns becomes the result: a
// curve in pixels of the picture (its top-left corner at the origin, y downwards), or a group of
// curves when the outlines outgrow one curve record. A bitmap of one colour gives nothing; one of
// more than two colours is refused.
//
// Owns one wrapper of each library and binds both when it is built (a library that cannot be
// loaded is reported by its wrapper then). The results belong to the caller.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

#include "media/TracingDll.h"
#include "media/VectorisingDll.h"

class CBlock;
class CImageBlock;

class CImageTracer {
public:
  // What a trace came to, for the caller to tell the user.
  enum Outcome {
    kTraced,
    kOneColour,       // nothing to trace, and nothing to say
    kTooManyColours,  // more than two pixel values
    kNothingTraced,   // the library gave no outline
    kNoLibrary,       // the chosen library is not loaded
    kNoPixels,        // the bitmap's pixels cannot be had
  };
  struct Report {
    Outcome outcome = kNoPixels;
    // Distinct pixel values found: 1, 2, or 3 for more than two.
    int colours = 0;
  };

  // The libraries by their own file names, or by the paths given (tests).
  explicit CImageTracer(LPCSTR vectoriserPath = nullptr, LPCSTR tracerPath = nullptr);
  CImageTracer(const CImageTracer&) = delete;
  CImageTracer& operator=(const CImageTracer&) = delete;

  // The outlines of a bottom-up packed bitmap (its header and its rows of bitsSize bytes) by the
  // vectoriser or the tracer, which get owner as their window. beforeCall runs just before each
  // library call. Null with the report saying why.
  CBlock* TraceDib(const BITMAPINFOHEADER& header, const BYTE* bits, std::size_t bitsSize,
                   bool useVectoriser, HWND owner, Report* report,
                   const std::function<void()>& beforeCall = nullptr);
  // The same for a bitmap handle, whose pixels are read in its own format with the screen's
  // context; more than two colours are explained in a message box over owner.
  CBlock* TraceBitmap(HBITMAP bitmap, bool useVectoriser, HWND owner, Report* report = nullptr);

  // The same for the pixels of an image block's file; pixels receives the picture's size.
  CBlock* TraceImage(const CImageBlock& image, bool useVectoriser, HWND owner, Report* report,
                     SIZE* pixels, const std::function<void()>& beforeCall = nullptr);

  bool IsBound(bool useVectoriser) const;
  CVectorisingDll& Vectoriser() { return m_vectoriser; }
  CTracingDll& Tracer() { return m_tracer; }

  // The colour-count text ("图像含有%u种色彩!!") for a report.
  static CString ColourCountText(const Report& report);

private:
  HGLOBAL CallLibrary(bool useVectoriser, HGLOBAL plane, int width, int height, HWND owner);

  // In this order, so that the tracing wrapper goes first.
  CVectorisingDll m_vectoriser;
  CTracingDll m_tracer;
};
