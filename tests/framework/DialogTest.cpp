#include <gtest/gtest.h>

#include <string>

#include "framework/ComboBox.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"
#include "framework/Edit.h"
#include "framework/ListCtrl.h"
#include "framework/ProgressCtrl.h"
#include "support/MessageBoxCapture.h"
#include "support/ModalDialogDriver.h"
#include "support/MessagePump.h"

namespace {

const UINT kTemplateDialog = 310;
const int kEdit = 1001;
const int kCheck = 1002;
const int kCombo = 1003;

// The dialog of the test resources: a number (1..100) in the edit, a check box, a list.
class CNumberDlg : public CDialog {
public:
  CNumberDlg() : CDialog(kTemplateDialog) {}
  int number = 7;
  int checked = 1;
  int choice = 1;
  int initialised = 0;

protected:
  BOOL OnInitDialog() override {
    ++initialised;
    CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(kCombo));
    combo->AddString("zero");
    combo->AddString("one");
    combo->AddString("two");
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, kEdit, number);
    DDV_MinMaxInt(dx, number, 1, 100);
    DDX_Check(dx, kCheck, checked);
    DDX_CBIndex(dx, kCombo, choice);
  }
};

TEST(CDialog, ModalFromResourceExchangesDataAndEndsOnOk) {
  ModalDialogDriver driver;
  std::string shownText;
  driver.Then([&](CDialog* dialog) {
    CString text;
    dialog->GetDlgItemText(kEdit, text);
    shownText = text;
    EXPECT_EQ(1, static_cast<int>(dialog->SendDlgItemMessage(kCombo, CB_GETCURSEL)));
    EXPECT_TRUE(dialog->IsWindowVisible());
    dialog->SetDlgItemText(kEdit, " 42 ");
    dialog->CheckDlgButton(kCheck, BST_UNCHECKED);
    dialog->SendDlgItemMessage(kCombo, CB_SETCURSEL, 2);
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  CNumberDlg dialog;
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(1, driver.Shown());
  EXPECT_EQ(0, driver.Stuck());
  EXPECT_EQ("7", shownText);
  EXPECT_EQ(42, dialog.number);
  EXPECT_EQ(0, dialog.checked);
  EXPECT_EQ(2, dialog.choice);
  EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(CDialog, InvalidInputKeepsTheDialogOpen) {
  MessageBoxCapture boxes;
  ModalDialogDriver driver;
  driver.Then([](CDialog* dialog) {
    dialog->SetDlgItemText(kEdit, "250");
    dialog->SendMessage(WM_COMMAND, IDOK);  // refused: out of range
    EXPECT_TRUE(::IsWindowVisible(dialog->m_hWnd));
    dialog->SetDlgItemText(kEdit, "12abc");
    dialog->SendMessage(WM_COMMAND, IDOK);  // refused: not a number
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  CNumberDlg dialog;
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("100"));
}

TEST(CDialog, ADialogThatNobodyEndsIsCancelledByTheDriver) {
  ModalDialogDriver driver;
  driver.Then([](CDialog*) {});
  CNumberDlg dialog;
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_EQ(1, driver.Stuck());
}

// A dialog made from an in-memory template that ends itself while it initialises.
class CSelfEndingDlg : public CDialog {
public:
  explicit CSelfEndingDlg(const CDialogTemplate& dialogTemplate) { InitModalIndirect(dialogTemplate.Get()); }
  CString title;

protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    GetWindowText(title);
    m_progress.SubclassDlgItem(1100, this);
    m_progress.SetRange32(0, 10);
    m_progress.SetPos(4);
    EndDialog(m_progress.GetPos() == 4 ? 77 : 1);
    return TRUE;
  }
  CProgressCtrl m_progress;
};

TEST(CDialog, InMemoryTemplateEndedFromInitialisation) {
  ModalDialogDriver driver;  // must not be needed
  CDialogTemplate dialogTemplate("\xB4\xF2\xD3\xA1", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 120, 60);
  dialogTemplate.AddControl(CDialogTemplate::staticText, "Sending", SS_LEFT | WS_VISIBLE, 5, 5, 100, 10, 1099);
  dialogTemplate.AddControl("msctls_progress32", "", WS_VISIBLE, 5, 20, 100, 10, 1100);
  dialogTemplate.AddControl(CDialogTemplate::button, "Stop", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 35, 40, 50, 14, IDCANCEL);
  CSelfEndingDlg dialog(dialogTemplate);
  EXPECT_EQ(77, dialog.DoModal());
  EXPECT_EQ(0, driver.Shown());
  EXPECT_EQ("\xB4\xF2\xD3\xA1", dialog.title);  // GBK caption through the wide template
}

// Owner-drawn combo box: the parent's WM_DRAWITEM reaches the control's DrawItem.
class COwnerDrawCombo : public CComboBox {
public:
  int drawn = 0;
  int measured = 0;
  void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
  void MeasureItem(LPMEASUREITEMSTRUCT item) override {
    ++measured;
    item->itemHeight = 20;
  }
};

class CModelessDlg : public CDialog {
public:
  COwnerDrawCombo combo;
  CListCtrl list;
  int lastNotifyItem = -1;

protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, 2001, combo);
    DDX_Control(dx, 2002, list);
  }
  void OnListItemChanged(NMHDR* header, LRESULT* result) {
    lastNotifyItem = reinterpret_cast<NMLISTVIEW*>(header)->iItem;
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModelessDlg, CDialog)
  ON_NOTIFY(LVN_ITEMCHANGED, 2002, OnListItemChanged)
END_MESSAGE_MAP()

TEST(CDialog, ModelessWithOwnerDrawnComboAndNotifications) {
  CDialogTemplate dialogTemplate("Tools", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 120);
  dialogTemplate.AddControl(CDialogTemplate::comboBox, "",
                            CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | WS_VISIBLE | WS_VSCROLL,
                            5, 5, 100, 80, 2001);
  dialogTemplate.AddControl(WC_LISTVIEWA, "", LVS_REPORT | WS_VISIBLE | WS_BORDER, 5, 30, 180, 80, 2002);
  CModelessDlg dialog;
  ASSERT_TRUE(dialog.CreateIndirect(dialogTemplate.Get(), nullptr));
  EXPECT_EQ(&dialog.combo, CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, 2001)));
  dialog.combo.AddString("red");
  dialog.combo.SetCurSel(0);
  EXPECT_GT(dialog.combo.measured, 0);
  dialog.combo.Invalidate();
  dialog.combo.UpdateWindow();
  EXPECT_GT(dialog.combo.drawn, 0);

  dialog.list.InsertColumn(0, "\xC3\xFB\xB3\xC6", LVCFMT_LEFT, 80);
  dialog.list.InsertItem(0, "first");
  dialog.list.InsertItem(1, "second");
  dialog.list.SetItemText(1, 0, "\xB5\xDA\xB6\xFE");
  EXPECT_EQ("\xB5\xDA\xB6\xFE", dialog.list.GetItemText(1, 0));
  dialog.list.SetItemData(1, 0x10003);
  EXPECT_EQ(0x10003u, dialog.list.GetItemData(1));
  dialog.list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(1, dialog.lastNotifyItem);
  POSITION position = dialog.list.GetFirstSelectedItemPosition();
  ASSERT_NE(nullptr, position);
  EXPECT_EQ(1, dialog.list.GetNextSelectedItem(position));
  EXPECT_EQ(nullptr, position);
  dialog.DestroyWindow();
  EXPECT_EQ(nullptr, dialog.combo.m_hWnd);
}

}  // namespace
