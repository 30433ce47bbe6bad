// CCarveOriginDlg: the origin dialog (309) of the engraving output. It loads the chosen engraver
// ("Device" of "CarveInfo" in Carves.INI), connects to the chosen port ("PORT") and lets the user
// set the device origin in millimetres by typing, by the scroll bars or by a click into the
// preview, which marks the origin with a cross in the working area. With "联机移动" checked the
// device follows each accepted change; "落笔" lowers and raises the pen. "保存" stores the
// origin in the model's section, "退出" leaves it as it was; both raise the pen and finish.
//
// X runs 0..working width, Y 0..working height; a value outside is refused with a beep. With a
// working width (height) of 0 only 0 is accepted and the cross stands at the preview's left
// (top) edge. A port that cannot be reached leaves the dialog working, offline.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "output/CarveDevice.h"
#include "output/OutPort.h"

class CScrollBar;

class CCarveOriginDlg : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 309,
    kXEdit = 1143,
    kYEdit = 1144,
    kXScroll = 1362,
    kYScroll = 1363,
    kPreview = 1158,
    kMoveOnline = 1364,
    kPenDown = 1365,
  };
  // Length of each stroke of the origin's cross, in pixels.
  static const int kCrossPixels = 10;
  static const int kPortRetries = 10;

  // profile: the settings file whose "CarveInfo" names the model and the port.
  explicit CCarveOriginDlg(const CIniFile& profile, CWnd* parent = nullptr);

  CCarveDevice& GetDevice() { return m_device; }
  COutPort& GetPort() { return m_port; }
  float GetX() const { return m_x; }
  float GetY() const { return m_y; }
  bool IsOnline() const { return m_online; }

  // Where the cross of (x, y) stands in the preview's inner rectangle.
  static POINT CrossPosition(const RECT& inner, float x, float y, int width, int height);

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnXChanged();
  void OnYChanged();
  void OnHScroll(UINT code, UINT position, CScrollBar* bar);
  void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnPenDown();
  DECLARE_MESSAGE_MAP()

private:
  void Connect();
  // Takes the edit's value when it lies in 0..limit; false, with a beep, when it does not.
  bool TakeValue(UINT edit, int limit, float* value, UINT scroll);
  void Scroll(UINT scroll, UINT code, int position, int limit, UINT edit);
  void ShowValue(UINT edit, float value);
  void MoveDevice();
  RECT PreviewInner() const;
  void Leave(int result, bool save);

  COutPort m_port;
  CCarveDevice m_device;
  float m_x;
  float m_y;
  int m_stop;
  bool m_guard;  // the edit boxes are being written by the dialog itself
  bool m_online;
};
