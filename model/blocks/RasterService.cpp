#include "model/blocks/RasterService.h"

namespace {
CRasterService* g_installed = nullptr;
}

CRasterService::CRasterService() : m_previous(g_installed) { g_installed = this; }

// Installations end in the reverse order of their start, like the objects that make them.
CRasterService::~CRasterService() { g_installed = m_previous; }

CRasterService* CRasterService::Installed() { return g_installed; }
