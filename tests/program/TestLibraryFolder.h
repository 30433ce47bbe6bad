// A library folder of the test's own, mounted in place of the program's while it lives: a copy
// of the shipped SYMBOLS.LIB and a version 6.0 library (no stored sizes) of one kind, "Boxes",
// whose graphic 0 is a 40 x 20 and graphic 1 a 10 x 30 rectangle. The mount order follows the
// file names (the list numbers a folder's libraries in the order the folder search first returns
// them), so the source types of both are looked up after the scan. The library folder
// setting, the interface language the library names are shown in and the mount list are put
// back at the end of the scope.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/ProgramObjects.h"
#include "media/library/LibraryFile.h"
#include "media/library/PicLibrary.h"
#include "model/geometry/Contour.h"
#include "model/settings/ProgramPaths.h"
#include "support/TempFolder.h"

class TestLibraryFolder {
public:
  ~TestLibraryFolder() {
    if (m_languageSet)
      g_settings.WriteString("SystemParam", "Language",
                             m_keptLanguage.IsEmpty() ? nullptr : m_keptLanguage);
    if (!m_mounted) return;
    g_settings.WriteString("PATH", "MOUNTLIB", m_keptFolder.IsEmpty() ? nullptr : m_keptFolder);
    g_mountLibList.Scan();
  }

  // The interface language of the library names (titles, kinds): "2052" Chinese, else English.
  // Rescans, so that the mounted list shows the titles in it.
  void UseLanguage(const char* language) {
    if (!m_languageSet) m_keptLanguage = g_settings.GetString("SystemParam", "Language", "");
    m_languageSet = true;
    g_settings.WriteString("SystemParam", "Language", language);
    g_mountLibList.Scan();
  }

  // Call through ASSERT_NO_FATAL_FAILURE.
  void Mount(const std::string& boxesFile) {
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    std::string symbols = std::string(folder) + "program\\MOUNTLIB\\SYMBOLS.LIB";
    ASSERT_TRUE(CopyFileA(symbols.c_str(), File("SYMBOLS.LIB").c_str(), FALSE));
    ASSERT_NO_FATAL_FAILURE(WriteBoxLibrary(File(boxesFile)));
    m_keptFolder = g_settings.GetString("PATH", "MOUNTLIB", "");
    g_settings.WriteString("PATH", "MOUNTLIB", Path().c_str());
    // A folder of an earlier run may have had this path: its numbers are not this one's.
    g_settings.WriteString("MountLibOrder", nullptr, nullptr);
    m_mounted = true;
    ASSERT_EQ(2, g_mountLibList.Scan());
    CString first;
    g_mountLibList.GetFileName(0, first);
    m_symbolsType = first == CString("SYMBOLS.LIB") ? 2 : 3;
    m_boxesType = 5 - m_symbolsType;
  }

  // A new library of the version with the title and one empty kind, each the same in both
  // languages; call through ASSERT_NO_FATAL_FAILURE.
  static void WriteLibrary(const std::string& path, float version, const char* title,
                           const char* kindName) {
    ASSERT_TRUE(CreateLibraryFile(path.c_str(), library::MakeLibraryHeader(version, title)));
    CPicLibrary library;
    ASSERT_TRUE(library.OpenFile(path.c_str()));
    library::KindRecord kind;
    library::SetFixedText(kind.chineseName, sizeof kind.chineseName, kindName, true);
    library::SetFixedText(kind.englishName, sizeof kind.englishName, kindName, true);
    ASSERT_TRUE(library.AddKind(kind));
  }

  static void WriteBoxLibrary(const std::string& path) {
    ASSERT_NO_FATAL_FAILURE(WriteLibrary(path, 6.0f, "Boxes", "Boxes"));
    CPicLibrary library;
    ASSERT_TRUE(library.OpenFile(path.c_str()));
    for (FPOINT size : {FPOINT{40, 20}, FPOINT{10, 30}}) {
      CContour box;
      // A move, three lines and the closing line.
      box.AppendPoint(MakePointRecord(0, 0, 0x11));
      for (FPOINT p : {FPOINT{size.x, 0}, size, FPOINT{0, size.y}})
        box.AppendPoint(MakePointRecord(p.x, p.y, 0x01));
      box.AppendPoint(MakePointRecord(0, 0, 0x41));
      box.AppendEndMark();
      ASSERT_TRUE(library.PutGraphic(0, &box, nullptr));
    }
  }

  const std::string& Path() const { return m_folder.Path(); }
  std::string File(const std::string& name) const { return m_folder.File(name); }
  // Source types (2 + mount number) of the two libraries.
  int SymbolsType() const { return m_symbolsType; }
  int BoxesType() const { return m_boxesType; }

private:
  TempFolder m_folder{"MOUNTLIB"};
  CString m_keptFolder, m_keptLanguage;
  bool m_mounted = false, m_languageSet = false;
  int m_symbolsType = 0, m_boxesType = 0;
};
