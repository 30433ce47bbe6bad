#include "text/TextServices.h"

#include "text/TextBlock.h"

namespace {

const CLanguage* g_installedLanguage = nullptr;

}  // namespace

CTextServices::CTextServices(const CLanguage* language)
    : m_previousReader(SetBlockRecordReader(kTextRecordTag, &CTextBlock::FromRecord)),
      m_previousLanguage(g_installedLanguage) {
  g_installedLanguage = language;
}

CTextServices::~CTextServices() {
  SetBlockRecordReader(kTextRecordTag, m_previousReader);
  g_installedLanguage = m_previousLanguage;
}

const CLanguage* CTextServices::Language() { return g_installedLanguage; }
