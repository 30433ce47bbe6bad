#include "media/ImportFilterDll.h"

#include <vector>

const char CImportFilterDll::kLibraryName[] = "TalvexFilter.dll";

CImportFilterDll::CImportFilterDll()
    : CDllModule(kLibraryName),
      m_getFilters(nullptr),
      m_getVersion(nullptr),
      m_filterRead(nullptr),
      m_canUse(nullptr),
      m_getReport(nullptr) {}

HMODULE CImportFilterDll::Bind(LPCSTR path) {
  if (!Load(path)) return nullptr;
  BindEntry(m_getVersion, "GetVersion");
  BindEntry(m_getFilters, "GetFilters");
  BindEntry(m_filterRead, "FilterRead");
  BindEntry(m_canUse, "CanUse");
  BindEntry(m_getReport, "FilterGetReport");
  SetEntriesBound();
  return GetModule();
}

int CImportFilterDll::GetVersion() const {
  return EntriesBound() && m_getVersion ? m_getVersion() : 0;
}

bool CImportFilterDll::GetFilters(CString& text) const {
  text.Empty();
  if (!EntriesBound() || !m_getFilters) return false;
  int length = m_getFilters(nullptr);
  if (length <= 0 || length > kMaxFilterText) return false;
  std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
  m_getFilters(buffer.data());
  // Keep no more than the library announced, whatever it wrote.
  buffer[static_cast<size_t>(length)] = '\0';
  buffer[static_cast<size_t>(length) + 1] = '\0';
  text = CString(buffer.data());
  return !text.IsEmpty();
}

HGLOBAL CImportFilterDll::FilterRead(LPCSTR path, float scale) const {
  if (!EntriesBound() || !m_filterRead || !path) return nullptr;
  return m_filterRead(path, scale, 0);
}

bool CImportFilterDll::CanUse(int value) const {
  return EntriesBound() && m_canUse && m_canUse(value) != 0;
}

bool CImportFilterDll::GetReport(ImportFilterReport* report) const {
  if (!report) return false;
  *report = ImportFilterReport();
  return EntriesBound() && m_getReport && m_getReport(report) != 0;
}
