#include "output/StampServices.h"

#include "output/StampBlock.h"

CStampServices::CStampServices()
    : m_previousReader(SetBlockRecordReader(kStampRecordTag, &CreateStampFromRecord)) {}

CStampServices::~CStampServices() { SetBlockRecordReader(kStampRecordTag, m_previousReader); }
