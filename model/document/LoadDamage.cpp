#include "model/document/LoadDamage.h"

#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/document/DocumentTexts.h"

namespace {

CLoadDamage* g_collector = nullptr;
int g_listNesting = 0;
// Whether the current load has met damage, and whether it has been shown.
bool g_loadDamaged = false;
bool g_loadShown = false;
int g_leftOutSoFar = 0;

HWND MainWindowHandle() {
  CWnd* mainWindow = AfxGetMainWnd();
  return mainWindow ? mainWindow->GetSafeHwnd() : nullptr;
}

}  // namespace

CLoadDamage::CLoadDamage() : m_previous(g_collector) { g_collector = this; }

CLoadDamage::~CLoadDamage() {
  if (g_collector == this) g_collector = m_previous;
}

CLoadDamage::ListScope::ListScope() {
  if (g_listNesting++ == 0) g_loadDamaged = g_loadShown = false;
}

CLoadDamage::ListScope::~ListScope() {
  if (m_open) --g_listNesting;
}

bool CLoadDamage::ListScope::End(bool whole) {
  if (!whole) {
    g_loadDamaged = true;
    if (!g_collector)
      ShowDamagedObjects();
    else if (g_listNesting == 1)
      g_collector->m_stopped = true;
    else
      ++g_collector->m_mended;  // the group keeps the children before the damage
  }
  --g_listNesting;
  m_open = false;
  return g_loadDamaged;
}

void CLoadDamage::NoteMended(LPCSTR text, LPCSTR caption) {
  g_loadDamaged = true;
  if (g_collector)
    ++g_collector->m_mended;
  else
    Show(text, caption);
}

void CLoadDamage::NoteLeftOut() {
  ++g_leftOutSoFar;
  g_loadDamaged = true;
  if (g_collector)
    ++g_collector->m_leftOut;
  else
    ShowDamagedObjects();
}

int CLoadDamage::LeftOutSoFar() { return g_leftOutSoFar; }

bool CLoadDamage::LeavesOutFarPoints() { return g_collector != nullptr; }

void CLoadDamage::ShowDamagedObjects() {
  Show(AfxLoadString(DocumentText::kDamagedList), AfxLoadString(DocumentText::kDamagedCaption));
}

void CLoadDamage::Show(LPCSTR text, LPCSTR caption) {
  // Inside a load only its first damage is shown; outside one, every report.
  if (g_listNesting > 0) {
    if (g_loadShown) return;
    g_loadShown = true;
  }
  AfxShowMessageBox(MainWindowHandle(), text, caption, MB_OK);
}
