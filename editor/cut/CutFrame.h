// CCutFrame: the cut-output window, a top-level frame in which a drawing document is prepared
// for the cutter. Its one view (CCUTView) shows the job on the media; the cut device bar is
// docked at the top and the tabbed option bar at the left. While it is open the main window is
// hidden; closing it shows the main window again. The job is a private copy: nothing done here
// changes the document.
//
// The frame owns itself once opened (the framework deletes it with its window). It edits the
// program's cut settings and cutter profile in place; both outlive it.
#pragma once

#include <windows.h>

#include "framework/FrameWnd.h"
#include "output/CutDeviceBar.h"
#include "output/CutJobHost.h"
#include "output/CutOptionsBar.h"
#include "output/CutOutputHost.h"

class CCUTView;
class CTALVEX42Doc;
class CView;

class CCutFrame : public CFrameWnd, public CCutOutputHost, public CCutJobHost {
  DECLARE_DYNAMIC(CCutFrame)
public:
  enum : UINT {
    kResourceId = 188,
    kTitleString = 50019,
    kRedrawCommand = 40031,
    kRebuildCommand = 32795
  };

  CCutFrame(CTALVEX42Doc* document, CCutterDevice& device, CCutSettings& settings, LANGID language);
  ~CCutFrame() override;

  // Opens the window over the document: made from resource 188 with the drawing view as parent,
  // its menu removed, titled, shown maximised; the main window is hidden. Null when the window
  // could not be made (the frame is then gone).
  static CCutFrame* Open(CView* drawingView, CTALVEX42Doc* document, CCutterDevice& device,
                         CCutSettings& settings, LANGID language);

  CTALVEX42Doc* GetDocument() const { return m_document; }
  CCutterDevice& GetDevice() { return m_device; }
  CCutSettings& GetSettings() { return m_settings; }
  CCUTView* GetCutView() const { return m_view; }
  void SetCutView(CCUTView* view) { m_view = view; }
  CCutDeviceBar& GetDeviceBar() { return m_deviceBar; }
  CCutOptionsBar& GetOptionsBar() { return m_optionsBar; }

  // CCutOutputHost: the preview is the job; exit closes the window.
  CSegArray* GetOutputBlocks() override;
  CString GetDocumentTitle() override;
  LANGID GetLanguage() override { return m_language; }
  void CloseCutOutput() override;
  bool ReadBackOptions() override;
  void ShowProfile() override;
  void ShowPortKind() override;

  // CCutJobHost: the view moves the job.
  void RebuildJob() override;
  void SetSavePaper(bool on) override;
  void MirrorJob() override;
  void RotateJob() override;
  bool ScaleJob(float zoom) override;
  void StepMedia(CCutPreview::Step step) override;

  // Shows the main window again before the frame goes.
  BOOL DestroyWindow() override;

protected:
  BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context) override;
  int OnCreate(LPCREATESTRUCTA cs);
  void OnFitView();
  void OnRebuild();
  // The device bar acts on its own buttons; the frame keeps them enabled.
  void OnBarButton() {}
  void OnUpdateBarButton(CCmdUI* cmdUI);
  DECLARE_MESSAGE_MAP()

private:
  void LoadChosenModel();

  CCutDeviceBar m_deviceBar;
  CCutOptionsBar m_optionsBar;
  CCUTView* m_view;
  CTALVEX42Doc* m_document;
  CCutterDevice& m_device;
  CCutSettings& m_settings;
  LANGID m_language;
};
