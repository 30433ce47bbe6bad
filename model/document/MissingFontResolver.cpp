#include "model/document/MissingFontResolver.h"

namespace {
CMissingFontResolver* g_installed = nullptr;
}  // namespace

CMissingFontResolver::CMissingFontResolver() : m_previous(g_installed) { g_installed = this; }

CMissingFontResolver::~CMissingFontResolver() { g_installed = m_previous; }

CMissingFontResolver* CMissingFontResolver::Installed() { return g_installed; }
