// CZoneCodeDlg: the zone-code table (dialog 211, modeless, owned by the main frame): the 94
// characters of one GB2312 zone in a one-row list of 20-pixel columns. The zone spin (1362) steps
// through the zones A1-FB, the page spin (1363) scrolls the list by a page of columns, the code
// text (1364) shows the chosen character's zone and position as "%02d%02d", and a double-click
// types the character into the active drawing view as one double-byte character.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/String.h"

class CZoneCodeDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 211;
  static constexpr int kFirstZone = 161;
  static constexpr int kLastZone = 251;
  static constexpr int kFirstPosition = 161;
  static constexpr int kPositions = 94;
  static constexpr int kColumnWidth = 20;
  // The strip above the list that holds the spins and the code text.
  static constexpr int kStripHeight = 25;

  CZoneCodeDlg() = default;

  BOOL Create(CWnd* parent);
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override { ShowWindow(SW_HIDE); }

  int GetZone() const { return m_zone; }
  int GetPosition() const { return m_position; }

  // The zone a spin step leads to: a positive proposed change goes to the next zone unless the
  // zone is past 250, any other to the one before unless it is below 162.
  static int StepZone(int zone, int delta);
  // The list's top index after a page step of page columns: forwards for a negative change, held
  // at 94 - page; backwards otherwise, held at 0.
  static int StepPage(int top, int page, int delta);
  // "%02d%02d" of the zone and position numbers (the bytes less 160).
  static CString CodeText(int zone, int position);

protected:
  void OnZoneSpin(NMHDR* header, LRESULT* result);
  void OnPageSpin(NMHDR* header, LRESULT* result);
  void OnCharChosen();
  void OnCharDoubleClicked();
  void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

private:
  void FillZone();
  void ShowCode(int position);
  // The current zone's character at the position byte, as its two GBK bytes.
  std::string GbkCharacter(int position) const;

  int m_zone = kFirstZone;
  int m_position = kFirstPosition;
};
