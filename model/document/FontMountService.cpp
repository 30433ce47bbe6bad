#include "model/document/FontMountService.h"

namespace {
CFontMountService* g_installed = nullptr;
}

CFontMountService::CFontMountService() : m_previous(g_installed) { g_installed = this; }

// Installations end in the reverse order of their start, like the objects that make them.
CFontMountService::~CFontMountService() { g_installed = m_previous; }

CFontMountService* CFontMountService::Installed() { return g_installed; }
