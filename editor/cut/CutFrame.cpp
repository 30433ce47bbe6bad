#include "editor/cut/CutFrame.h"

#include "editor/cut/CUTView.h"
#include "framework/CmdUI.h"
#include "framework/String.h"
#include "framework/StringArray.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "model/document/TALVEX42Doc.h"
#include "output/OutputTexts.h"

IMPLEMENT_DYNAMIC(CCutFrame, CFrameWnd)

// clang-format off
BEGIN_MESSAGE_MAP(CCutFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(CCutFrame::kRedrawCommand, OnFitView)
  ON_COMMAND(CCutFrame::kRebuildCommand, OnRebuild)
  ON_COMMAND(CCutDeviceBar::kTestButton, OnBarButton)
  ON_COMMAND(CCutDeviceBar::kResetButton, OnBarButton)
  ON_COMMAND(CCutDeviceBar::kOutputButton, OnBarButton)
  ON_COMMAND(CCutDeviceBar::kExitButton, OnBarButton)
  ON_UPDATE_COMMAND_UI(CCutDeviceBar::kTestButton, OnUpdateBarButton)
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kDeviceKey[] = "Device";
const int kModelNameChars = 80;

}  // namespace

CCutFrame::CCutFrame(CTALVEX42Doc* document, CCutterDevice& device, CCutSettings& settings,
                     LANGID language)
    : m_deviceBar(device, settings, *this),
      m_optionsBar(settings, device, this),
      m_view(nullptr),
      m_document(document),
      m_device(device),
      m_settings(settings),
      m_language(language) {}

CCutFrame::~CCutFrame() = default;

CCutFrame* CCutFrame::Open(CView* drawingView, CTALVEX42Doc* document, CCutterDevice& device,
                           CCutSettings& settings, LANGID language) {
  CCutFrame* frame = new CCutFrame(document, device, settings, language);
  // A frame whose creation fails has deleted itself.
  if (!frame->LoadFrame(kResourceId, WS_OVERLAPPEDWINDOW, drawingView)) return nullptr;
  // The menu only names the commands.
  HMENU menu = ::GetMenu(frame->m_hWnd);
  ::SetMenu(frame->m_hWnd, nullptr);
  if (menu) ::DestroyMenu(menu);
  frame->m_hMenuDefault = nullptr;
  frame->SetWindowText(OutputText::Load(OutputText::kCutOutput));
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->UpdateWindow();
  if (CWnd* mainWindow = AfxGetMainWnd()) mainWindow->ShowWindow(SW_HIDE);
  return frame;
}

BOOL CCutFrame::OnCreateClient(LPCREATESTRUCTA, CCreateContext*) {
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CCUTView);
  context.m_pCurrentFrame = this;
  CWnd* view = CreateView(&context, AFX_IDW_PANE_FIRST);
  if (!view) return FALSE;
  SetActiveView(static_cast<CView*>(view), FALSE);
  return TRUE;
}

int CCutFrame::OnCreate(LPCREATESTRUCTA cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  m_settings.LoadCutSettings(m_device.ProfileFile());
  LoadChosenModel();
  EnableDocking(CBRS_ALIGN_ANY);
  const UINT style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOOLTIPS;
  if (!m_deviceBar.Create(this, style | CBRS_TOP, CCutDeviceBar::kDialogId)) return -1;
  if (!m_optionsBar.Create(this, style | CBRS_LEFT, CCutOptionsBar::kDialogId)) return -1;
  m_deviceBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  m_optionsBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  DockControlBar(&m_deviceBar);
  DockControlBar(&m_optionsBar);
  RecalcLayout();
  m_deviceBar.RefreshControls();
  return 0;
}

// A "Device" that names no model of the list is not an error here: the device bar chooses the
// model it begins, or the first, and loads that.
void CCutFrame::LoadChosenModel() {
  CString model = m_device.ProfileFile().GetString(kCutInfoSection, kDeviceKey, "");
  model = model.Left(kModelNameChars - 1);
  CStringArray names;
  m_device.GetModelNames(names);
  for (INT_PTR i = 0; i < names.GetSize(); ++i) {
    if (names[i].CompareNoCase(model) != 0) continue;
    m_device.LoadProfile(model);
    return;
  }
}

BOOL CCutFrame::DestroyWindow() {
  if (CWnd* mainWindow = AfxGetMainWnd()) {
    if (mainWindow != this && mainWindow->m_hWnd) mainWindow->ShowWindow(SW_SHOW);
  }
  return CFrameWnd::DestroyWindow();
}

CSegArray* CCutFrame::GetOutputBlocks() {
  return m_view && m_view->GetPreview() ? &m_view->GetPreview()->GetBlocks() : nullptr;
}

CString CCutFrame::GetDocumentTitle() { return m_document ? m_document->GetTitle() : CString(); }

void CCutFrame::CloseCutOutput() { PostMessage(WM_CLOSE); }

bool CCutFrame::ReadBackOptions() { return m_optionsBar.ReadBack(); }

void CCutFrame::ShowProfile() { m_optionsBar.GetAdjustPage().FillControls(); }

void CCutFrame::ShowPortKind() { m_optionsBar.GetOptionsPage().ShowPortKind(); }

void CCutFrame::OnUpdateBarButton(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }

void CCutFrame::OnFitView() {
  if (m_view) m_view->FitJobAndMedia();
}

void CCutFrame::OnRebuild() {
  if (m_view) m_view->Rebuild();
}

void CCutFrame::RebuildJob() { PostMessage(WM_COMMAND, kRebuildCommand); }

void CCutFrame::SetSavePaper(bool on) {
  if (m_view) m_view->SetSavePaper(on);
}

void CCutFrame::MirrorJob() {
  if (m_view) m_view->MirrorJob();
}

void CCutFrame::RotateJob() {
  if (m_view) m_view->RotateJob();
}

bool CCutFrame::ScaleJob(float zoom) { return m_view ? m_view->ScaleJob(zoom) : zoom >= 0.0f; }

void CCutFrame::StepMedia(CCutPreview::Step step) {
  if (m_view) m_view->StepMedia(step);
}
