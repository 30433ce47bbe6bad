// CFontPathDlg: the font paths dialog (183): the folders of the palettes, the graphics libraries,
// each language's TrueType fonts and each of its font mounts, one row each in list view 1043
// (path, kind), the paths edited in place. An edited path gets a trailing backslash; an emptied
// one becomes the folder above the program's. OK after a change writes the paths back to
// TALVEX42.INI ("PALETTE" and "MOUNTLIB" of "PATH", "TTFMountPath" and "MountPath%d" of
// "Language%d"), mounts the fonts anew and binds the open documents' characters again by their
// fonts' names, so that no text changes its font because a list changed its order.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/String.h"

class CIniFile;
class CLanguage;

class CFontPathDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 183;
  static constexpr int kKindWidth = 150;
  static constexpr char kDefaultPalette[] = "C:\\TALVEX\\PALETTE\\";

  // One row: the folder, its kind and, for fonts, the code of the mount (charset | source << 8;
  // 0 for the palette and library rows).
  struct Row {
    CString path;
    CString kind;
    WORD code;
  };

  explicit CFontPathDlg(CWnd* parent = nullptr, CIniFile* settings = nullptr,
                        const CLanguage* language = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // The rows the dialog starts with.
  std::vector<Row> BuildRows() const;
  // A path as an edit leaves it.
  static CString EditedPath(LPCSTR text);
  bool IsChanged() const { return m_changed; }
  // Loads the languages and fonts anew (after new paths or a new font file) and binds the open
  // documents' characters again to the fonts they named.
  static void MountFontsAgain();

protected:
  void OnEndLabelEdit(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

private:
  void SaveRows();

  CIniFile& m_settings;
  const CLanguage& m_language;
  std::vector<Row> m_rows;
  bool m_changed = false;
};
