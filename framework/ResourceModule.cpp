#include "framework/ResourceModule.h"

namespace {
HINSTANCE g_instance = nullptr;
HINSTANCE g_resources = nullptr;
}  // namespace

HINSTANCE AfxGetInstanceHandle() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }

void AfxSetInstanceHandle(HINSTANCE instance) { g_instance = instance; }

HINSTANCE AfxGetResourceHandle() { return g_resources ? g_resources : AfxGetInstanceHandle(); }

void AfxSetResourceHandle(HINSTANCE resources) { g_resources = resources; }
