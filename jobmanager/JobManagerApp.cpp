#include "jobmanager/JobManagerApp.h"

#include "framework/ResourceModule.h"
#include "jobmanager/JobManagerTexts.h"
#include "jobmanager/MainFrame.h"
#include "media/DllModule.h"
#include "model/settings/SettingNames.h"
#include "resources/orv/OrvResource.h"

IMPLEMENT_DYNAMIC(CJobManagerApp, CWinApp)

namespace {

const DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

}  // namespace

CJobManagerApp::CJobManagerApp()
    : CWinApp("ORVENDALE"),
      m_settings(CIniFile::ReturnSelf),
      m_resourceLibrary(nullptr),
      m_savedResources(nullptr),
      m_language(0) {}

BOOL CJobManagerApp::InitInstance() {
  m_settings.MakeProgramFilePath("Cutters.INI");
  SelectLanguage();
  return CreateMainFrame();
}

int CJobManagerApp::ExitInstance() {
  FreeResourceLibrary();
  return CWinApp::ExitInstance();
}

WORD CJobManagerApp::SelectLanguage() {
  m_language = static_cast<WORD>(
      m_settings.GetInt(settings::kSystemParam, settings::kLanguage, settings::kLanguageDefault));
  if (m_language < kFirstLanguageId) {
    m_language = GetSystemDefaultLangID();
    m_settings.WriteInt(settings::kSystemParam, settings::kLanguage, m_language);
  }
  FreeResourceLibrary();
  m_savedResources = AfxGetResourceHandle();
  if (m_language == kBuiltInLanguage) return m_language;
  CString folder = m_libraryFolder.IsEmpty() ? CDllModule::ProgramFolder() : m_libraryFolder;
  m_resourceLibrary = LoadLibraryA(folder + JobManagerText::kEnglishLibraryName);
  if (m_resourceLibrary) AfxSetResourceHandle(m_resourceLibrary);
  return m_language;
}

void CJobManagerApp::FreeResourceLibrary() {
  if (!m_resourceLibrary) return;
  if (m_savedResources) AfxSetResourceHandle(m_savedResources);
  FreeLibrary(m_resourceLibrary);
  m_resourceLibrary = nullptr;
}

BOOL CJobManagerApp::CreateMainFrame() {
  CMainFrame* frame = new CMainFrame;
  // A frame that failed during its creation has deleted itself.
  if (!frame->LoadFrame(IDR_MAINFRAME, kFrameStyle)) return FALSE;
  m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOWNORMAL);
  frame->UpdateWindow();
  return TRUE;
}
