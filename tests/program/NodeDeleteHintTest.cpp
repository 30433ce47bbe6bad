// The delete-nodes command's menu entry and hint name the gesture that deletes nodes with the right
// button (Ctrl), in the built-in Chinese resources and in the English library alike.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/Resource.h"

namespace {

HMODULE EnglishResources() {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  folder = folder.substr(0, folder.rfind('\\') + 1);
  return LoadLibraryExA((folder + "program\\RCT42Eng.DLL").c_str(), nullptr,
                        LOAD_LIBRARY_AS_DATAFILE);
}

std::string MenuText(HMODULE module) {
  HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(IDR_TALVEXTYPE));
  char text[256] = {};
  if (menu) {
    GetMenuStringA(menu, ID_NODE_DELETE, text, sizeof text, MF_BYCOMMAND);
    DestroyMenu(menu);
  }
  return text;
}

std::string HintText(HMODULE module) {
  char text[256] = {};
  LoadStringA(module, ID_NODE_DELETE, text, sizeof text);
  return text;
}

TEST(NodeDeleteHint, TheMenuEntryAndHintNameCtrlWithTheRightButton) {
  HMODULE english = EnglishResources();
  ASSERT_NE(nullptr, english);
  for (HMODULE module : {GetModuleHandleA(nullptr), english}) {
    EXPECT_NE(std::string::npos, MenuText(module).find("[CTRL+")) << MenuText(module);
    EXPECT_NE(std::string::npos, HintText(module).find("[CTRL+")) << HintText(module);
    EXPECT_EQ(std::string::npos, HintText(module).find("SHIFT")) << HintText(module);
  }
  FreeLibrary(english);
}

}  // namespace
