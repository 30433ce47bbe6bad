#include "model/blocks/LibGlyphSource.h"

namespace {

CLibGlyphSource* g_installed = nullptr;

}  // namespace

CLibGlyphSource::CLibGlyphSource() : m_previous(g_installed) { g_installed = this; }

CLibGlyphSource::~CLibGlyphSource() {
  if (g_installed == this) g_installed = m_previous;
}

CLibGlyphSource* CLibGlyphSource::Installed() { return g_installed; }
