// CMountLibList: the graphics libraries mounted by placing their files in the library folder
// ("MOUNTLIB" of "PATH" in TALVEX42.INI), numbered in the order the folder search returns them.
// It holds each readable library's title in the user-interface language (cut to 39 bytes) and
// file name; the library dialogs and the library blocks name libraries by these numbers. At most
// 546 libraries are taken.
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

  // Rebuilds the list from the library folder; the count.
  int Scan();
  int GetCount() const { return static_cast<int>(m_libraries.size()); }
  // Library n's title or file name (without folder); false when n is not below the count.
  BOOL GetTitle(int n, CString& out) const;
  BOOL GetFileName(int n, CString& out) const;
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
  };

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
