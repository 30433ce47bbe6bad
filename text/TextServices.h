// CTextServices: hands the model what it needs of the text subsystem without the model linking
// it: the reader of text block records for the record dispatcher, and the language table that
// text blocks remount their fonts through. A program defines one in its program-objects file,
// after the language table; its destructor puts back what was there before, so a test may install
// one for its own duration.
#pragma once

#include "model/records/BlockRecord.h"

class CLanguage;

class CTextServices {
public:
  explicit CTextServices(const CLanguage* language = nullptr);
  ~CTextServices();
  CTextServices(const CTextServices&) = delete;
  CTextServices& operator=(const CTextServices&) = delete;

  // The installed language table; null when none is.
  static const CLanguage* Language();

private:
  BlockRecordReader m_previousReader;
  const CLanguage* m_previousLanguage;
};
