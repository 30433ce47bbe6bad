// Clicks a tool bar button as the mouse would: a press and a release at its centre, then the
// program settles. Fails the test when the bar has no button for the command.
#pragma once

#include <gtest/gtest.h>

#include "framework/ToolBar.h"
#include "support/MessagePump.h"

inline void ClickToolBarButton(CToolBar& bar, UINT id) {
  const int index = bar.CommandToIndex(id);
  ASSERT_GE(index, 0) << id;
  CRect rect;
  bar.GetItemRect(index, rect);
  const LPARAM centre = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, centre);
  bar.SendMessage(WM_LBUTTONUP, 0, centre);
  PumpMessages();
}
