// The English resource library and the built-in Chinese resources (linked into this test
// program) must hold the same resources under the same ids: the same menus with the same
// commands in the same places, the same shortcuts, strings, dialog controls, tool bars and images.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "editor/dialogs/CardCopyDlg.h"
#include "editor/dialogs/MultiCopyDlg.h"
#include "resources/Resource.h"
#include "support/DialogTextFit.h"

namespace {

// A module of the program folder, loaded once for its resources.
HMODULE ProgramModule(const std::string& name) {
  static std::map<std::string, HMODULE> loaded;
  auto found = loaded.find(name);
  if (found != loaded.end()) return found->second;
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  folder = folder.substr(0, folder.rfind('\\') + 1);
  return loaded[name] = LoadLibraryExA((folder + "program\\" + name).c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE);
}

HMODULE EnglishLibrary() { return ProgramModule("RCT42Eng.DLL"); }

HMODULE BuiltIn() { return GetModuleHandleA(nullptr); }

// A menu as text: one line per item with its depth, kind and command id (texts left out).
void DescribeMenu(HMENU menu, int depth, std::vector<std::string>& out) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &item));
    std::string line = std::string(depth * 2, ' ');
    if (item.hSubMenu) {
      out.push_back(line + "popup");
      DescribeMenu(item.hSubMenu, depth + 1, out);
    } else if (item.fType & MFT_SEPARATOR) {
      out.push_back(line + "separator");
    } else {
      out.push_back(line + std::to_string(item.wID));
    }
  }
}

std::vector<std::string> MenuOf(HMODULE module, UINT id) {
  std::vector<std::string> lines;
  HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(id));
  EXPECT_NE(nullptr, menu) << "menu " << id;
  if (menu) {
    DescribeMenu(menu, 0, lines);
    DestroyMenu(menu);
  }
  return lines;
}

// The texts of each popup of a menu, popup by popup (nested popups on their own).
std::vector<std::vector<std::string>> PopupTexts(HMODULE module, UINT id) {
  std::vector<std::vector<std::string>> popups;
  HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(id));
  std::vector<HMENU> pending = {menu};
  while (!pending.empty()) {
    HMENU each = pending.back();
    pending.pop_back();
    popups.emplace_back();
    for (int i = 0; i < GetMenuItemCount(each); ++i) {
      char text[256] = {};
      GetMenuStringA(each, i, text, sizeof text, MF_BYPOSITION);
      if (*text) popups.back().push_back(text);
      if (HMENU sub = GetSubMenu(each, i)) pending.push_back(sub);
    }
  }
  DestroyMenu(menu);
  return popups;
}

std::vector<std::string> MenuTexts(HMODULE module, UINT id) {
  std::vector<std::string> texts;
  for (const auto& popup : PopupTexts(module, id))
    texts.insert(texts.end(), popup.begin(), popup.end());
  return texts;
}

// The key an item's text underlines ("&&" is a plain ampersand), 0 when none.
char Mnemonic(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&')
      return static_cast<char>(toupper(static_cast<unsigned char>(text[i + 1])));
    ++i;
  }
  return 0;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR data) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::set<UINT>*>(data)->insert(
        static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
  return TRUE;
}

std::set<UINT> ResourceIds(HMODULE module, LPCSTR type) {
  std::set<UINT> ids;
  EnumResourceNamesA(module, type, CollectName, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

std::vector<BYTE> RawResource(HMODULE module, LPCSTR type, UINT id) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!found) return {};
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  return std::vector<BYTE>(data, data + SizeofResource(module, found));
}

// The string ids a module holds (a string block holds ids (block - 1) * 16 ... block * 16 - 1).
std::set<UINT> StringIds(HMODULE module) {
  std::set<UINT> ids;
  for (UINT block : ResourceIds(module, MAKEINTRESOURCEA(6))) {
    for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
      char text[8];
      if (LoadStringA(module, id, text, sizeof text) > 0) ids.insert(id);
    }
  }
  return ids;
}

std::vector<int> DialogControlIds(HMODULE module, UINT id) {
  std::vector<int> ids;
  dialogfit::HiddenDialog dialog(module, id);
  EXPECT_NE(nullptr, dialog.Window()) << "dialog " << id;
  for (HWND child = dialog.Window() ? GetWindow(dialog.Window(), GW_CHILD) : nullptr; child;
       child = GetWindow(child, GW_HWNDNEXT))
    ids.push_back(GetDlgCtrlID(child));
  return ids;
}

bool IsAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

TEST(ResourceParity, TheEnglishLibraryIsThere) { ASSERT_NE(nullptr, EnglishLibrary()); }

TEST(ResourceParity, MenusHaveTheSameCommandsInTheSamePlaces) {
  ASSERT_NE(nullptr, EnglishLibrary());
  for (UINT id : {IDR_MAINFRAME, IDR_TALVEXTYPE}) {
    std::vector<std::string> chinese = MenuOf(BuiltIn(), id);
    EXPECT_FALSE(chinese.empty());
    EXPECT_EQ(chinese, MenuOf(EnglishLibrary(), id)) << "menu " << id;
  }
}

TEST(ResourceParity, EnglishTextsAreEnglish) {
  ASSERT_NE(nullptr, EnglishLibrary());
  for (UINT id : {IDR_MAINFRAME, IDR_TALVEXTYPE}) {
    for (const std::string& text : MenuTexts(EnglishLibrary(), id))
      EXPECT_TRUE(IsAscii(text)) << text;
  }
  for (UINT id : StringIds(EnglishLibrary())) {
    char text[1024] = {};
    LoadStringA(EnglishLibrary(), id, text, sizeof text);
    EXPECT_TRUE(IsAscii(text)) << "string " << id << ": " << text;
  }
}

TEST(ResourceParity, ShortcutsAreTheSame) {
  ASSERT_NE(nullptr, EnglishLibrary());
  for (UINT id : {IDR_MAINFRAME, IDR_TALVEXTYPE}) {
    EXPECT_EQ(RawResource(BuiltIn(), MAKEINTRESOURCEA(9), id),
              RawResource(EnglishLibrary(), MAKEINTRESOURCEA(9), id))
        << "accelerators " << id;
  }
}

TEST(ResourceParity, StringsDialogsToolBarsAndImagesHaveTheSameIds) {
  ASSERT_NE(nullptr, EnglishLibrary());
  EXPECT_EQ(StringIds(BuiltIn()), StringIds(EnglishLibrary()));
  std::set<UINT> dialogs = ResourceIds(BuiltIn(), MAKEINTRESOURCEA(5));
  EXPECT_EQ(dialogs, ResourceIds(EnglishLibrary(), MAKEINTRESOURCEA(5)));
  for (UINT id : dialogs)
    EXPECT_EQ(DialogControlIds(BuiltIn(), id), DialogControlIds(EnglishLibrary(), id))
        << "dialog " << id;
  std::set<UINT> toolBars = ResourceIds(BuiltIn(), MAKEINTRESOURCEA(241));
  EXPECT_EQ(toolBars, ResourceIds(EnglishLibrary(), MAKEINTRESOURCEA(241)));
  for (UINT id : toolBars)
    EXPECT_EQ(RawResource(BuiltIn(), MAKEINTRESOURCEA(241), id),
              RawResource(EnglishLibrary(), MAKEINTRESOURCEA(241), id))
        << "tool bar " << id;
  EXPECT_EQ(ResourceIds(BuiltIn(), RT_GROUP_CURSOR),
            ResourceIds(EnglishLibrary(), RT_GROUP_CURSOR));
  EXPECT_EQ(ResourceIds(BuiltIn(), RT_GROUP_ICON), ResourceIds(EnglishLibrary(), RT_GROUP_ICON));
  // The logo is the program's own; everything else is in both.
  std::set<UINT> bitmaps = ResourceIds(BuiltIn(), RT_BITMAP);
  bitmaps.erase(IDB_LOGO);
  EXPECT_EQ(bitmaps, ResourceIds(EnglishLibrary(), RT_BITMAP));
}

TEST(ResourceParity, EveryToolBarHasAnImageForEachButton) {
  for (UINT id : ResourceIds(BuiltIn(), MAKEINTRESOURCEA(241))) {
    std::vector<BYTE> data = RawResource(BuiltIn(), MAKEINTRESOURCEA(241), id);
    ASSERT_GE(data.size(), 8u);
    auto word = [&](size_t i) { return static_cast<UINT>(data[2 * i] | (data[2 * i + 1] << 8)); };
    UINT width = word(1), height = word(2), count = word(3);
    ASSERT_EQ(data.size(), 8u + 2 * count) << "tool bar " << id;
    UINT buttons = 0;
    for (UINT i = 0; i < count; ++i)
      if (word(4 + i) != 0) ++buttons;
    HBITMAP bitmap = LoadBitmapA(BuiltIn(), MAKEINTRESOURCEA(id));
    ASSERT_NE(nullptr, bitmap) << "tool bar " << id;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(static_cast<LONG>(width * buttons), info.bmWidth) << "tool bar " << id;
    EXPECT_EQ(static_cast<LONG>(height), info.bmHeight) << "tool bar " << id;
    DeleteObject(bitmap);
  }
}

TEST(MenuKeys, EnglishItemsOfAPopupHaveKeysOfTheirOwnAndEveryKeyShownIsUnderlined) {
  ASSERT_NE(nullptr, EnglishLibrary());
  for (UINT id : {IDR_MAINFRAME, IDR_TALVEXTYPE}) {
    for (const auto& popup : PopupTexts(EnglishLibrary(), id)) {
      std::map<char, std::string> keys;
      for (const std::string& text : popup) {
        char key = Mnemonic(text);
        if (!key) continue;
        auto placed = keys.emplace(key, text);
        EXPECT_TRUE(placed.second) << text << " and " << placed.first->second;
      }
    }
    // A key in brackets, "(G)", promises the underline in either language; the English texts
    // underline a letter of their own words, never one in brackets after them ("Scan...(&R)").
    for (HMODULE module : {BuiltIn(), EnglishLibrary()})
      for (const std::string& text : MenuTexts(module, id))
        for (size_t at = text.find('('); at != std::string::npos; at = text.find('(', at + 1)) {
          const size_t key = at + (module == EnglishLibrary() && text[at + 1] == '&' ? 2 : 1);
          EXPECT_FALSE(key + 1 < text.size() && isalpha(static_cast<unsigned char>(text[key])) &&
                       text[key + 1] == ')')
              << text;
        }
  }
}

// Every dialog of the editor and of the driver installer shows each text whole in the dialog's
// own font, in both languages ("Top/bottom margin:" wrapped onto a second line its label had no
// room for, "Bottom:" ran into its edit box), and no control covers another, but for the palette
// bar's swatch list laid over its scroll bar. A second run of this test under an English locale
// measures with the font an English system gives the dialogs.
TEST(DialogLabels, EveryDialogShowsItsTextsWholeAndNoControlCoversAnother) {
  const struct {
    const char* name;
    HMODULE module;
  } modules[] = {{"the editor", BuiltIn()},
                 {"RCT42Eng.DLL", EnglishLibrary()},
                 {"fennik.exe", ProgramModule("fennik.exe")},
                 {"fennikEng.DLL", ProgramModule("fennikEng.DLL")}};
  for (const auto& each : modules) {
    ASSERT_NE(nullptr, each.module) << each.name;
    const std::set<UINT> dialogs = ResourceIds(each.module, RT_DIALOG);
    EXPECT_FALSE(dialogs.empty()) << each.name;
    for (UINT id : dialogs) {
      dialogfit::HiddenDialog dialog(each.module, id);
      ASSERT_NE(nullptr, dialog.Window()) << each.name << ", dialog " << id;
      std::vector<std::string> faults = dialogfit::TextsThatDoNotFit(dialog.Window());
      for (const std::string& overlap : dialogfit::OverlappingControls(dialog.Window()))
        if (id != IDD_PALETTE_BAR) faults.push_back(overlap);
      for (const std::string& fault : faults)
        ADD_FAILURE() << each.name << ", dialog " << id << ": " << fault;
    }
  }
  // Texts the editor puts into a control later, in place of the template's: one line of a string,
  // or every entry of a list it fills from a string of entries separated by ';'.
  const int kEveryEntry = -1;
  const struct {
    UINT dialog;
    int control;
    UINT text;
    int line;
  } laterTexts[] = {{IDD_MULTI_COPY, CMultiCopyDlg::kGapXLabel, IDS_COPY_LABELS, 2},
                    {IDD_MULTI_COPY, CMultiCopyDlg::kGapYLabel, IDS_COPY_LABELS, 3},
                    {IDD_2D_CARVE, IDOK, IDS_CARVE_STOP, 0},
                    {IDD_2D_CARVE, IDOK, IDS_CARVE_CONFIRM, 0},
                    {IDD_CARD_COPY, CCardCopyDlg::kCardType, IDS_CARD_TYPES, kEveryEntry},
                    {IDD_CARD_COPY, CCardCopyDlg::kSheetType, IDS_SHEET_TYPES, kEveryEntry}};
  for (HMODULE module : {BuiltIn(), EnglishLibrary()}) {
    for (const auto& later : laterTexts) {
      dialogfit::HiddenDialog dialog(module, later.dialog);
      HWND control = GetDlgItem(dialog.Window(), later.control);
      ASSERT_NE(nullptr, control) << later.dialog << ", " << later.control;
      wchar_t lines[512] = {};
      LoadStringW(module, later.text, lines, 512);
      std::wstring text = lines;
      if (later.line == kEveryEntry) {
        while (!text.empty()) {
          const size_t end = text.find(L';');
          EXPECT_EQ("", dialogfit::ListEntryMisfit(control, text.substr(0, end)))
              << "dialog " << later.dialog;
          text.erase(0, end == std::wstring::npos ? end : end + 1);
        }
        continue;
      }
      for (int line = 0; line < later.line; ++line) text.erase(0, text.find(L'\n') + 1);
      SetWindowTextW(control, text.substr(0, text.find(L'\n')).c_str());
      EXPECT_EQ("", dialogfit::TextMisfit(control)) << "dialog " << later.dialog;
    }
  }
}
