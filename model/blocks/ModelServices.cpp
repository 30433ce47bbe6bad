#include "model/blocks/ModelServices.h"

namespace {
const CModelServices* g_installed = nullptr;
}

CModelServices::CModelServices(CCutSink* cutSink, CTransformService* transform)
    : m_cutSink(cutSink), m_transform(transform), m_previous(g_installed) {
  g_installed = this;
}

// Installations end in the reverse order of their start, like the objects that make them.
CModelServices::~CModelServices() { g_installed = m_previous; }

CCutSink* CModelServices::CutSink() { return g_installed ? g_installed->m_cutSink : nullptr; }

CTransformService* CModelServices::Transform() {
  return g_installed ? g_installed->m_transform : nullptr;
}
