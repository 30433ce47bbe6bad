#include "text/layout/GlyphSource.h"

namespace {

CGlyphSource* g_installed = nullptr;

}  // namespace

CGlyphSource::CGlyphSource() : m_previous(g_installed) { g_installed = this; }

CGlyphSource::~CGlyphSource() {
  if (g_installed == this) g_installed = m_previous;
}

CGlyphSource* CGlyphSource::Installed() { return g_installed; }
