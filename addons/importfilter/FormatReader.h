// CFormatReader: one reader of a file kind the import filter takes. A reader gets the file's
// bytes (bounded by the filter) and puts the outlines it finds into the drawing in millimetres
// with y pointing up, as the file kinds it reads have it; the filter then turns the drawing over
// within its frame onto the page. What it could not read or left out goes into the report:
// a problem leaves the drawing to be thrown away, so a reader may stop anywhere.
#pragma once

#include <cstddef>

#include "addons/importfilter/ImportedDrawing.h"
#include "media/ImportFilterDll.h"

class CFormatReader {
public:
  virtual ~CFormatReader() = default;
  virtual void Read(const char* data, size_t size, CImportedDrawing* drawing,
                    ImportFilterReport* report) = 0;
  // The file's own frame (millimetres, y up) when it declares one that the drawing keeps its
  // place in; false to take the drawing's own bounds.
  virtual bool GetFrame(double* left, double* bottom, double* right, double* top) const {
    (void)left, (void)bottom, (void)right, (void)top;
    return false;
  }
};
