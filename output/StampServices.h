// CStampServices: hands the record dispatcher of the model the reader of stamp records (tag 'P')
// without the model linking the output library. A program defines one in its program-objects
// file; its destructor puts back the reader that was there before, so a test may install one for
// its own duration.
#pragma once

#include "model/records/BlockRecord.h"

class CStampServices {
public:
  CStampServices();
  ~CStampServices();
  CStampServices(const CStampServices&) = delete;
  CStampServices& operator=(const CStampServices&) = delete;

private:
  BlockRecordReader m_previousReader;
};
