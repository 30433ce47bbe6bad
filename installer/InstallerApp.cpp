#include "installer/InstallerApp.h"

#include "framework/MessageBox.h"
#include "framework/ResourceModule.h"
#include "installer/InstallerDlg.h"
#include "installer/InstallerTexts.h"
#include "installer/SystemSpooler.h"

IMPLEMENT_DYNAMIC(CInstallerApp, CWinApp)

CInstallerApp::CInstallerApp() : CWinApp("fennik") {}

CString CInstallerApp::ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  CString folder(path, static_cast<int>(length < sizeof path ? length : 0));
  return folder.Left(folder.ReverseFind('\\') + 1);
}

BOOL CInstallerApp::InitInstance() {
  const CString folder = ProgramFolder();
  CString path = CCutterCatalogue::CataloguePath(m_lpCmdLine, folder, GetSystemDefaultLangID());
  CInstallProblem problem;
  if (!m_catalogue.Load(path, &problem) || !m_catalogue.ReadManufacturer(&problem)) {
    if (m_catalogue.IsEnglish()) LoadResourceLibrary(folder);
    ShowStartError(problem.Describe());
    m_exitCode = kCatalogueFailed;
    return FALSE;
  }
  if (m_catalogue.IsEnglish()) LoadResourceLibrary(folder);
  CSystemSpooler spooler;
  CInstallerDlg dialog(m_catalogue, spooler, folder);
  m_pMainWnd = &dialog;
  m_exitCode = dialog.DoModal() == IDOK ? kInstalled : kCancelled;
  m_pMainWnd = nullptr;
  return FALSE;  // the program ends with its dialog
}

int CInstallerApp::ExitInstance() {
  FreeResourceLibrary();
  CWinApp::ExitInstance();
  return m_exitCode;
}

void CInstallerApp::LoadResourceLibrary(LPCSTR folder) {
  if (m_resourceLibrary) return;
  m_resourceLibrary = LoadLibraryA(CString(folder) + InstallerText::kEnglishLibraryName);
  if (!m_resourceLibrary) return;
  m_savedResources = AfxGetResourceHandle();
  AfxSetResourceHandle(m_resourceLibrary);
}

void CInstallerApp::FreeResourceLibrary() {
  if (!m_resourceLibrary) return;
  AfxSetResourceHandle(m_savedResources);
  FreeLibrary(m_resourceLibrary);
  m_resourceLibrary = nullptr;
}

void CInstallerApp::ShowStartError(LPCSTR text) const {
  LPCSTR caption = m_catalogue.IsEnglish() ? InstallerText::kErrorCaptionEnglish
                                           : InstallerText::kErrorCaption;
  AfxShowMessageBox(nullptr, text, caption, MB_OK | MB_ICONSTOP);
}
