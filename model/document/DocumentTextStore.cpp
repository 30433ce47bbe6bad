#include "model/document/DocumentTextStore.h"

namespace {
CDocumentTextStore* g_installed = nullptr;
}  // namespace

CDocumentTextStore::CDocumentTextStore() : m_previous(g_installed) { g_installed = this; }

CDocumentTextStore::~CDocumentTextStore() { g_installed = m_previous; }

CDocumentTextStore* CDocumentTextStore::Installed() { return g_installed; }
