#include "editor/TALVEX42App.h"

#include <cstdio>
#include <cstring>

#include "editor/AboutDlg.h"
#include "editor/LogoDlg.h"
#include "editor/MDIMainFrame.h"
#include "editor/MessageBoxWatch.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "framework/CmdUI.h"
#include "framework/CommandLineInfo.h"
#include "framework/MessageBox.h"
#include "framework/MultiDocTemplate.h"
#include "framework/ResourceModule.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "model/settings/SettingNames.h"
#include "output/OutputTexts.h"
#include "output/PrinterChoice.h"
#include "resources/Resource.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/TextDefaults.h"

IMPLEMENT_DYNAMIC(CTALVEX42App, CWinApp)

BEGIN_MESSAGE_MAP(CTALVEX42App, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
  ON_COMMAND(ID_FILE_NEW, OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_FILE_PRINT_SETUP, OnPrintSetup)
  ON_COMMAND(ID_LANGUAGE_GB, OnLanguageGb)
  ON_COMMAND(ID_LANGUAGE_BIG5, OnLanguageBig5)
  ON_COMMAND(ID_LANGUAGE_ENGLISH, OnLanguageEnglish)
  ON_COMMAND(ID_LANGUAGE_DEFAULT, OnLanguageDefault)
  ON_UPDATE_COMMAND_UI(ID_LANGUAGE_GB, OnUpdateLanguage)
  ON_UPDATE_COMMAND_UI(ID_LANGUAGE_BIG5, OnUpdateLanguage)
  ON_UPDATE_COMMAND_UI(ID_LANGUAGE_ENGLISH, OnUpdateLanguage)
  ON_UPDATE_COMMAND_UI(ID_LANGUAGE_DEFAULT, OnUpdateLanguage)
END_MESSAGE_MAP()

const char CTALVEX42App::kEnglishLibraryName[] = "RCT42Eng.DLL";

void CTALVEX42App::OnPrintSetup() {
  CPrinterChoice printer;
  if (printer.IsAvailable()) {
    printer.RunSetup(m_pMainWnd);
    return;
  }
  AfxShowMessageBox(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr,
                    OutputText::Load(OutputText::kNoPrinter),
                    OutputText::Load(OutputText::kErrorCaption), MB_OK | MB_ICONERROR);
}

namespace {

const char kProfileKey[] = "TalvexSoft";
const int kRecentFileCount = 4;
const char kClipboardProgramName[] = "Ravenquillor V60";
const char* const kClipboardKinds[CTALVEX42App::kClipboardFormatCount] = {
    "TextBoxes", "TextSeg", "Graph", "Glyph", "Group", "SEGMULTI", "OBJMULTI"};
// Language values below this mean that none was chosen yet.
const WORD kFirstLanguageId = 16;

void EndProcess(UINT exitCode) { ::ExitProcess(exitCode); }

CTALVEX42App::EndProcessFunction g_endProcess = EndProcess;

struct LanguageCommand {
  UINT command;
  WORD language;
};
const LanguageCommand kLanguageCommands[] = {{ID_LANGUAGE_GB, 2052},
                                             {ID_LANGUAGE_BIG5, 1028},
                                             {ID_LANGUAGE_ENGLISH, 1033},
                                             {ID_LANGUAGE_DEFAULT, 0}};

CString ProgramFolder() {
  char folder[MAX_PATH * 2] = {};
  GetProgramDir(folder, sizeof folder);
  return folder;
}

}  // namespace

CTALVEX42App::CTALVEX42App()
    : m_savedResources(nullptr),
      m_resourceLibrary(nullptr),
      m_docTemplate(nullptr),
      m_language(0),
      m_talvexSwitch(FALSE),
      m_autoFill(settings::kAutoFillDefault),
      m_clipboardFormats() {}

CTALVEX42App::EndProcessFunction CTALVEX42App::SetEndProcessFunction(EndProcessFunction function) {
  EndProcessFunction previous = g_endProcess;
  g_endProcess = function ? function : EndProcess;
  return previous;
}

WORD CTALVEX42App::ReadStartupLanguage(const CIniFile& settings) {
  WORD language = static_cast<WORD>(
      settings.GetInt(settings::kSystemParam, settings::kLanguage, settings::kLanguageDefault));
  if (language < kFirstLanguageId) {
    language = ::GetSystemDefaultLangID();
    settings.WriteInt(settings::kSystemParam, settings::kLanguage, language);
  }
  return language;
}

BOOL CTALVEX42App::HasTalvexSwitch(LPCSTR commandLine) {
  return commandLine && std::strstr(commandLine, "/Talvex") != nullptr;
}

CString CTALVEX42App::ClipboardFormatName(int index) {
  CString name;
  if (index >= 0 && index < kClipboardFormatCount)
    name.Format("%s - [%s]", kClipboardProgramName, kClipboardKinds[index]);
  return name;
}

UINT CTALVEX42App::GetClipboardFormat(int index) const {
  return index >= 0 && index < kClipboardFormatCount ? m_clipboardFormats[index] : 0;
}

void CTALVEX42App::ChooseResources() {
  m_savedResources = AfxGetResourceHandle();
  if (m_language == kBuiltInLanguage) return;
  // A missing library leaves the built-in resources in use, without a word.
  CString path = ProgramFolder() + kEnglishLibraryName;
  m_resourceLibrary = ::LoadLibraryA(path);
  if (m_resourceLibrary) AfxSetResourceHandle(m_resourceLibrary);
}

void CTALVEX42App::FreeResourceLibrary() {
  if (!m_resourceLibrary) return;
  if (m_savedResources) AfxSetResourceHandle(m_savedResources);
  ::FreeLibrary(m_resourceLibrary);
  m_resourceLibrary = nullptr;
}

BOOL CTALVEX42App::InitInstance() {
  g_settings.MakeProgramFilePath("TALVEX42.INI");
  m_language = ReadStartupLanguage(g_settings);
  ChooseResources();
  g_cutterSettings.MakeProgramFilePath("Cutters.INI");

  SetRegistryKey(kProfileKey);
  LoadStdProfileSettings(kRecentFileCount);
  m_talvexSwitch = HasTalvexSwitch(m_lpCmdLine);

  CLogoDlg* logo = new CLogoDlg;
  if (!logo->CreateAndShow()) {
    delete logo;
    logo = nullptr;
  }
  g_appProfile.Attach();
  g_appProfile.WriteString(settings::kSystemParam, settings::kProgPath, ProgramFolder());
  InitializeApplicationData(kLoadAll, logo);

  m_docTemplate = new CMultiDocTemplate(IDR_TALVEXTYPE, RUNTIME_CLASS(CTALVEX42Doc),
                                        RUNTIME_CLASS(CTALVEX42Frame),
                                        RUNTIME_CLASS(CTALVEX42View));
  AddDocTemplate(m_docTemplate);
  // The logo goes first: a report that the library is missing would otherwise show black over it
  // under Wine on an X server without a window manager. Without the library the transformation
  // features stay off; nothing more to do here.
  delete logo;
  g_transformDll.Bind();

  RegisterShellFileTypes(FALSE);
  EnableShellOpen();
  if (!CreateMainFrame()) return FALSE;
  if (!ProcessCommandLine()) return FALSE;
  MaximizeActiveChild();
  return TRUE;
}

BOOL CTALVEX42App::CreateMainFrame() {
  CMDIMainFrame* frame = new CMDIMainFrame;
  // A frame whose window was made and then refused deletes itself on the way out; only one that
  // never got a window is left to delete here. Either way it is not touched again.
  bool deleted = false;
  frame->TellWhenDeleted(&deleted);
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_MAXIMIZE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    if (!deleted) delete frame;
    ReportMainFrameFailure();
    return FALSE;
  }
  frame->TellWhenDeleted(nullptr);
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->UpdateWindow();
  m_pMainWnd = frame;
  frame->DragAcceptFiles();
  return TRUE;
}

void CTALVEX42App::ReportMainFrameFailure() {
  // The resources are the likely cause, so the text does not come from them.
  const bool chinese = m_language == kBuiltInLanguage;
  CString text = chinese ? "无法创建主窗口，程序将结束。"
                         : "The main window cannot be created; the program ends.";
  if (m_resourceLibrary) {
    char path[MAX_PATH * 2] = {};
    ::GetModuleFileNameA(m_resourceLibrary, path, sizeof path);
    text += chinese ? "\n资源库可能不完整：" : "\nThe resource library may be incomplete: ";
    text += path;
  }
  AfxShowMessageBox(nullptr, text, nullptr, MB_OK | MB_ICONERROR);
}

BOOL CTALVEX42App::ProcessCommandLine() {
  CCommandLineInfo info;
  ParseCommandLine(info);
  if (info.m_nShellCommand != CCommandLineInfo::FileOpen) return ProcessShellCommand(info);

  // A file that does not open is reported (the document has usually said why already) and the
  // editor stays open without it.
  CMessageBoxWatch watch;
  if (ProcessShellCommand(info)) return TRUE;
  if (!watch.AnyShown()) {
    CString format, caption, text;
    if (!format.LoadString(IDS_CANNOT_OPEN_FILE)) format = "%s";
    caption.LoadString(IDS_ERROR);
    text.Format(format, static_cast<LPCSTR>(info.m_strFileName));
    AfxShowMessageBox(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, text, caption,
                      MB_OK | MB_ICONERROR);
  }
  return TRUE;
}

void CTALVEX42App::MaximizeActiveChild() {
  CMDIMainFrame* frame = static_cast<CMDIMainFrame*>(m_pMainWnd);
  if (!frame) return;
  if (CMDIChildWnd* child = frame->MDIGetActive()) frame->MDIMaximize(child);
  frame->UpdateWindow();
}

void CTALVEX42App::ShowProgress(CWnd* progress, LPCSTR text) {
  if (!progress || !progress->m_hWnd) return;
  HWND control = ::GetDlgItem(progress->m_hWnd, IDC_LOGO_PROGRESS);
  if (!control) return;
  ::SetWindowTextA(control, text);
  ::UpdateWindow(control);
}

void CTALVEX42App::SetAutoFill(BOOL autoFill) {
  m_autoFill = autoFill;
  CDirectionEffect::SetAutoFill(autoFill != FALSE);
}

void CTALVEX42App::InitializeApplicationData(UINT flags, CWnd* progress) {
  if (flags & kRegisterClipboard) {
    ShowProgress(progress, "初始化...  裁剪板!");
    RegisterClipboardFormats();
  }
  if (flags & kLoadTextDefaults) {
    ShowProgress(progress, "初始化...  版面!");
    // Languages' default fonts come from TALVEX42.INI, where the font tables keep the languages.
    CTextDefaults::Global().Load(g_appProfile, g_settings,
                                 static_cast<int>(::GetSystemDefaultLangID()));
    SetAutoFill(g_appProfile.GetInt(settings::kSystemParam, settings::kAutoFill,
                                    settings::kAutoFillDefault));
  }
  if (flags & kLoadSettings) {
    ShowProgress(progress, "Initalize...  Ini");
    ShowProgress(progress, "Initalize...  Palette");
  }
  if (flags & kLoadFonts) {
    g_language.Load(g_settings);
    g_winFontTable.EnumFonts(g_language);
    g_winFontTable.LoadLatinValues(g_appProfile);
    ShowProgress(progress, "Initalize...  TrueType Fonts");
    g_ttfFontTable.Mount(g_language);
    g_cftFontTable.Mount(g_settings);
    ShowProgress(progress, "Initalize...  Mount FH");
  }
  if (flags & kScanLibraries) {
    ShowProgress(progress, "Initalize...  Mount Graph Libary");
    g_mountLibList.Scan();
  }
}

void CTALVEX42App::RegisterClipboardFormats() {
  for (int i = 0; i < kClipboardFormatCount; ++i)
    m_clipboardFormats[i] = ::RegisterClipboardFormatA(ClipboardFormatName(i));
}

int CTALVEX42App::ExitInstance() {
  // "TMState" of the text defaults is stored here once the text subsystem exists.
  FreeResourceLibrary();
  return CWinApp::ExitInstance();
}

BOOL CTALVEX42App::SetLanguageAndExit(WORD language) {
  // Ending at once would lose unsaved work: documents are offered for saving first.
  if (!SaveAllModified()) return FALSE;
  // Said in the language the user reads now, before its resources go.
  CString notice;
  if (notice.LoadString(IDS_LANGUAGE_CHANGED)) AfxMessageBox(notice, MB_OK | MB_ICONINFORMATION);
  m_language = language;
  FreeResourceLibrary();
  g_settings.WriteInt(settings::kSystemParam, settings::kLanguage, language);
  g_endProcess(0);
  return TRUE;
}

void CTALVEX42App::OnUpdateLanguage(CCmdUI* ui) {
  for (const LanguageCommand& each : kLanguageCommands) {
    if (each.command == ui->m_nID) ui->SetCheck(each.language == m_language);
  }
}

void CTALVEX42App::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}
