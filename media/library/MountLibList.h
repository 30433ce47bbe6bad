// CMountLibList: the graphics libraries mounted by placing their files in the library folder
// ("MOUNTLIB" of "PATH" in TALVEX42.INI). It holds each readable library's title in the
// user-interface language (cut to 39 bytes) and file name; the library dialogs and the library
// blocks of documents name libraries by these numbers, so a number never changes while its file
// stays in the folder: the numbers are remembered in the settings ("MountLibOrder": "Folder" the
// folder they belong to, "Lib0", "Lib1", ... the file names), and a library new to the folder
// takes the next number (in the order the folder search returns the new ones). A library whose
// file has gone keeps its number unused, so that no other library's graphics stand in for its
// own; only when all 546 numbers are taken does a new library take the first such number. A
// folder other than the remembered one starts its numbers afresh.
//
// The program builds one list on its settings file; that list becomes the program's list
// (Program()), through which the library file class finds the library folder and the
// user-interface language. A list built later (a test's) stands in for it until it is destroyed.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"

class CContour;
class CIniFile;
class CMatrix2D;

class CMountLibList {
public:
  static constexpr int kMaxLibraries = 546;
  static constexpr int kTitleLength = 39;
  static constexpr char kDefaultFolder[] = "C:\\TALVEX\\MOUNTLIB\\";

  explicit CMountLibList(const CIniFile& settings);
  ~CMountLibList();
  CMountLibList(const CMountLibList&) = delete;
  CMountLibList& operator=(const CMountLibList&) = delete;

  // The list the library functions use; null when none is built.
  static CMountLibList* Program();

  // Rebuilds the list from the library folder and remembers its numbers; the number of libraries
  // mounted.
  int Scan();
  // The numbers in use, 0 to the count - 1: the libraries mounted and those whose files have gone.
  int GetCount() const { return static_cast<int>(m_libraries.size()); }
  bool IsMounted(int n) const { return n >= 0 && n < GetCount() && m_libraries[n].mounted; }
  // Library n's title or file name (without folder); false when no library is mounted as n.
  BOOL GetTitle(int n, CString& out) const;
  BOOL GetFileName(int n, CString& out) const;
  // Stores the title as library n's title in the user-interface language (SetLibraryTitle) and
  // lists it from now on; false when the library is not mounted or its file refuses it.
  BOOL SetTitle(int n, LPCSTR title);
  // The format version of library n read from its file; -1 when there is none.
  float GetVersion(int n) const;
  // Graphic index of kind kind of library n as a new contour through the matrix (may be null);
  // null when n is not below the count, the library does not open or has no such graphic.
  CContour* ReadGlyph(int n, int kind, int index, const CMatrix2D* matrix) const;

  // The library folder with a trailing backslash. A folder given without a drive or a leading
  // backslash lies in the program folder.
  CString GetFolder() const;
  // Whether the user interface is Chinese ("Language" 2052 of "SystemParam").
  bool IsChineseInterface() const;
  const CIniFile& Settings() const { return m_settings; }

private:
  struct Library {
    CString title;
    CString fileName;
    bool mounted = false;
  };

  // The readable libraries of the folder in the order the folder search returns them.
  std::vector<Library> FindLibraries(const CString& folder) const;
  // The file names remembered by number for the folder; none for another folder.
  std::vector<CString> RememberedNames(const CString& folder) const;
  void RememberNames(const CString& folder) const;
  // The number of the file name; -1 when it has none.
  int NumberOf(const CString& fileName) const;
  // The number a library new to the folder takes; -1 when every number is in use.
  int NewNumber();

  const CIniFile& m_settings;
  std::vector<Library> m_libraries;
  CMountLibList* m_previous;
};

// The library folder of the program's list (the program folder's TALVEX42.INI when there is
// none) into out; the length, 0 (and an empty buffer) when it does not fit.
int GetMountLibPath(LPSTR out, int size);
CString GetMountLibPath();
// Whether library titles and kind names are shown in Chinese.
bool LibraryNamesInChinese();
