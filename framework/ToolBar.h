// CToolBar: a control bar of image buttons (the system's tool bar control). The buttons and their
// images come from a tool bar resource and the bitmap of the same id. Buttons can be check boxes
// or radio groups; wrapping into rows follows the docking (one row docked at the top or bottom,
// one column at the sides, the last chosen width when floating) unless the bar has a fixed size,
// where the wrap states set by the program hold.
#pragma once

#include <vector>

#include "framework/ControlBar.h"

// Button styles: the control's button style in the low word, its state in the high word (with
// the enabled bit turned into a disabled bit).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)

// The resource type of tool bars: version 1, image width and height, button count, then the
// command ids (0 for a separator), all 16-bit (windres writes them 32-bit, without the version).
#define RT_TOOLBAR MAKEINTRESOURCEA(241)

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
public:
  CToolBar();
  ~CToolBar() override;

  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
              UINT id = AFX_IDW_TOOLBAR);
  // ctrlStyle: the control's own styles (TBSTYLE_FLAT, ...); borders: room inside the edges.
  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                CRect borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);

  // Replaces the buttons and images by those of the tool bar resource and bitmap resource id.
  BOOL LoadToolBar(UINT resourceId);
  BOOL LoadToolBar(LPCSTR resourceName);
  BOOL LoadBitmap(UINT resourceId);
  BOOL LoadBitmap(LPCSTR resourceName);
  // Takes the bitmap's images (one per m_sizeImage width) as the button images; owns nothing after.
  BOOL SetBitmap(HBITMAP bitmap);
  // Replaces the buttons: ID_SEPARATOR gives a separator; buttons take images in order.
  BOOL SetButtons(const UINT* ids, int count);
  void SetSizes(SIZE button, SIZE image);

  int GetCount() const;
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT style);
  // For a separator the image is its width.
  void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
  void SetButtonInfo(int index, UINT id, UINT style, int image);

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  CSize CalcDynamicLayout(int length, DWORD mode) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* info) const override;

protected:
  std::vector<TBBUTTON> GetButtons() const;
  bool GetButton(int index, TBBUTTON* button) const;
  void SetButton(int index, const TBBUTTON& button);
  // Sets the wrap states of the buttons, then lets the control place them again.
  void ApplyWraps(const std::vector<TBBUTTON>& buttons);
  void SetStateByIndex(int index, BYTE state);
  void RelayoutButtons();
  CSize GetButtonSize() const;
  int ItemWidth(const TBBUTTON& button) const;
  // Wraps the buttons into rows no wider than width, breaking at separators where possible.
  void WrapToWidth(std::vector<TBBUTTON>& buttons, int width) const;
  CSize ButtonsExtent(const std::vector<TBBUTTON>& buttons) const;
  CSize CalcLayout(DWORD mode, int length = -1);

  CSize m_sizeButton = CSize(23, 22);
  CSize m_sizeImage = CSize(16, 15);
  HIMAGELIST m_imageList = nullptr;
};
