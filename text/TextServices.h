// CTextServices: hands the model what it needs of the text subsystem without the model linking
// it: the reader of text block records for the record dispatcher. A program defines one in its
// program-objects file; its destructor puts back the reader that was there before, so a test may
// install one for its own duration.
#pragma once

#include "model/records/BlockRecord.h"

class CTextServices {
public:
  CTextServices();
  ~CTextServices();
  CTextServices(const CTextServices&) = delete;
  CTextServices& operator=(const CTextServices&) = delete;

private:
  BlockRecordReader m_previousReader;
};
