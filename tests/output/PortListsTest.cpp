#include <gtest/gtest.h>

#include "output/PortLists.h"

namespace {

TEST(PortLists, SystemPortsThenPrintersThenTheFileEntry) {
  CStringArray ports;
  CollectPorts(ports, 0);
  CStringArray all;
  CollectPorts(all, kListAddPrinters | kListAddFile);
  CStringArray printers;
  CollectPrinters(printers, 0);
  ASSERT_EQ(ports.GetSize() + printers.GetSize() + 1, all.GetSize());
  for (INT_PTR i = 0; i < ports.GetSize(); ++i) EXPECT_EQ(ports[i], all[i]);
  for (INT_PTR i = 0; i < printers.GetSize(); ++i) {
    EXPECT_EQ(printers[i], all[ports.GetSize() + i]);
    EXPECT_GE(printers[i].Find(" @ "), 0);
  }
  EXPECT_EQ(CString("FILE:"), all[all.GetSize() - 1]);

  CStringArray withoutFilePrinters;
  CollectPrinters(withoutFilePrinters, kListSkipFilePrinters);
  for (INT_PTR i = 0; i < withoutFilePrinters.GetSize(); ++i)
    EXPECT_LT(withoutFilePrinters[i].Find("@ FILE:"), 0);
}

TEST(PortLists, UsbPlottersAreListedInTheInterfaceLanguage) {
  // The test plug-in sits in the program folder beside this program.
  CStringArray chinese;
  CollectUsbPlotters(chinese, 2052);
  ASSERT_EQ(1, chinese.GetSize());
  EXPECT_EQ(CString("测试刻字机[TestPlotter.upl:03]"), chinese[0]);
  CStringArray english;
  CollectUsbPlotters(english, 1033);
  ASSERT_EQ(1, english.GetSize());
  EXPECT_EQ(CString("TestCutter[TestPlotter.upl:03]"), english[0]);
}

TEST(PortLists, FillComboBoxes) {
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 200, 200,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, combo);
  ListUsbPlotters(combo, 1033);
  ListPorts(combo, kListAddFile);
  CStringArray ports;
  CollectPorts(ports, kListAddFile);
  ASSERT_EQ(ports.GetSize() + 1, SendMessageA(combo, CB_GETCOUNT, 0, 0));
  char text[300] = {};
  SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("TestCutter[TestPlotter.upl:03]", text);
  ListPrinters(combo, 0);
  DestroyWindow(combo);
}

}  // namespace
