#include "editor/dialogs/GuidePanelDlg.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "editor/views/RulerManager.h"
#include "editor/views/TALVEXView.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"
#include "model/blocks/GuideLine.h"

IMPLEMENT_DYNAMIC(CGuidePanelDlg, CDialog)

namespace {

const double kPi = 3.14159265358979323846;
const int kValueLength = 20;

bool IsGuidePanel(HWND panel) {
  return panel && static_cast<UINT>(::GetWindowLongPtrA(panel, GWLP_USERDATA)) ==
                      CGuidePanelDlg::kTemplateId;
}

void WriteNumber(HWND panel, int id, double value) {
  char text[64];
  snprintf(text, sizeof text, "%.2f", value);
  ::SetDlgItemTextA(panel, id, text);
}

double ReadNumber(HWND panel, int id) {
  char text[kValueLength + 1] = {};
  ::GetDlgItemTextA(panel, id, text, sizeof text);
  return atof(text);
}

// The host keeps its bottom edge and takes the panel's size with room for its frame.
void PlaceHost(HWND host, HWND panel) {
  RECT frame, client;
  ::GetWindowRect(host, &frame);
  ::GetClientRect(panel, &client);
  const int width = client.right + 10;
  const int height = client.bottom + 20;
  ::SetWindowPos(host, nullptr, frame.left, frame.bottom - height, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

CTALVEXView* ActiveDrawingView() {
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return nullptr;
  CFrameWnd* active = static_cast<CFrameWnd*>(main)->GetActiveFrame();
  CView* view = active ? active->GetActiveView() : nullptr;
  return dynamic_cast<CTALVEXView*>(view);
}

}  // namespace

HWND CGuidePanelDlg::CreateIn(HWND parent) {
  auto* panel = new CGuidePanelDlg;
  if (!panel->Create(kTemplateId, CWnd::FromHandle(parent))) {
    delete panel;
    return nullptr;
  }
  ::SetWindowLongPtrA(panel->m_hWnd, GWLP_USERDATA, kTemplateId);
  return panel->m_hWnd;
}

HWND CGuidePanelDlg::ShowIn(HWND host, const CGuideLine& guide, double scale) {
  if (!host) return nullptr;
  HWND panel = ::GetWindow(host, GW_CHILD);
  if (!IsGuidePanel(panel)) {
    if (panel) ::DestroyWindow(panel);
    panel = CreateIn(host);
    if (!panel) return nullptr;
    PlaceHost(host, panel);
    ::ShowWindow(panel, SW_SHOWNA);
  }
  ::ShowWindow(host, SW_SHOWNA);
  Fill(panel, guide, scale);
  return panel;
}

BOOL CGuidePanelDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckRadioButton(kPointSlope, kTwoPoints, kPointSlope);
  return TRUE;
}

void CGuidePanelDlg::Fill(HWND panel, const CGuideLine& guide, double scale) {
  if (!IsGuidePanel(panel)) return;
  ::CheckRadioButton(panel, kPointSlope, kTwoPoints, kPointSlope);
  WriteNumber(panel, kAngle, guide.GetAngle());
  WriteNumber(panel, kX1, guide.GetX());
  WriteNumber(panel, kY1, guide.GetY());
  const double length = kSecondPointPixels * scale;
  const double theta = guide.GetAngle() * kPi / 180.0;
  WriteNumber(panel, kX2, guide.GetX() + length * std::cos(theta));
  WriteNumber(panel, kY2, guide.GetY() - length * std::sin(theta));
}

BOOL CGuidePanelDlg::Apply(HWND panel, CGuideLine& guide, double scale) {
  if (!IsGuidePanel(panel)) return FALSE;
  const double x1 = ReadNumber(panel, kX1);
  const double y1 = ReadNumber(panel, kY1);
  double angle = ReadNumber(panel, kAngle);
  if (::IsDlgButtonChecked(panel, kTwoPoints) == BST_CHECKED) {
    const double x2 = ReadNumber(panel, kX2);
    const double y2 = ReadNumber(panel, kY2);
    angle = std::atan2(y1 - y2, x2 - x1) * 180.0 / kPi;
  }
  guide.SetPoint(static_cast<float>(x1), static_cast<float>(y1));
  guide.SetAngle(angle);
  Fill(panel, guide, scale);
  return TRUE;
}

void CGuidePanelDlg::OnOK() {
  CTALVEXView* view = ActiveDrawingView();
  CRulerManager* rulers = view ? view->GetRulerManager() : nullptr;
  if (rulers)
    rulers->ApplyGuidePanel(m_hWnd);
  else
    ::MessageBeep(0);
}
