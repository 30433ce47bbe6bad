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

#include "resources/Resource.h"

namespace {

HMODULE EnglishLibrary() {
  static HMODULE library = [] {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.rfind('\\') + 1);
    return LoadLibraryExA((folder + "program\\RCT42Eng.DLL").c_str(), nullptr,
                          LOAD_LIBRARY_AS_DATAFILE);
  }();
  return library;
}

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

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::vector<int> DialogControlIds(HMODULE module, UINT id) {
  std::vector<int> ids;
  // Child dialogs (parameter panels) need a parent.
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr);
  HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(id), parent, QuietDialog, 0);
  EXPECT_NE(nullptr, dialog) << "dialog " << id;
  if (!dialog) {
    DestroyWindow(parent);
    return ids;
  }
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ids.push_back(GetDlgCtrlID(child));
  DestroyWindow(dialog);
  DestroyWindow(parent);
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
    // A key in brackets, "(G)", promises the underline in either language.
    for (HMODULE module : {BuiltIn(), EnglishLibrary()})
      for (const std::string& text : MenuTexts(module, id))
        for (size_t at = text.find('('); at != std::string::npos; at = text.find('(', at + 1))
          EXPECT_FALSE(at + 2 < text.size() && isalpha(static_cast<unsigned char>(text[at + 1])) &&
                       text[at + 2] == ')')
              << text;
  }
}

// The print dialog's labels show their whole texts in both languages ("Bottom:" ran into its edit
// box, which the template puts right after the label).
TEST(DialogLabels, ThePrintDialogsLabelsHoldTheirTexts) {
  ASSERT_NE(nullptr, EnglishLibrary());
  for (HMODULE module : {BuiltIn(), EnglishLibrary()}) {
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_PRINT_OUTPUT), nullptr,
                                     QuietDialog, 0);
    ASSERT_NE(nullptr, dialog);
    for (HWND label = GetWindow(dialog, GW_CHILD); label; label = GetWindow(label, GW_HWNDNEXT)) {
      char kind[16] = {}, text[64] = {};
      GetClassNameA(label, kind, sizeof kind);
      GetWindowTextA(label, text, sizeof text);
      if (lstrcmpiA(kind, "Static") != 0) continue;
      HDC dc = GetDC(label);
      HGDIOBJ font = SelectObject(dc,
                                  reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
      SIZE extent = {};
      GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
      SelectObject(dc, font);
      ReleaseDC(label, dc);
      RECT room;
      GetClientRect(label, &room);
      EXPECT_LE(extent.cx, room.right) << text;
    }
    DestroyWindow(dialog);
  }
}
