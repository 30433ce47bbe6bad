#include "text/TextServices.h"

#include "text/TextBlock.h"

CTextServices::CTextServices()
    : m_previousReader(SetBlockRecordReader(kTextRecordTag, &CTextBlock::FromRecord)) {}

CTextServices::~CTextServices() { SetBlockRecordReader(kTextRecordTag, m_previousReader); }
