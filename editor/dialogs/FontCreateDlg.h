// CFontCreateDlg: builds an own font file from a font the system can draw (dialog 269, "字库建立
// From WinTrueType", command 40072): an installed Windows font, a TrueType file or a mounted own
// font file, chosen by library (combo 1099 with its font codes in 1030) and font (list 1197). The
// file gets the header of the dialog's fields (magic, version, the three names, the code range
// BQH..EQH by BWH..EWH) and one glyph per code the font has, moved by INCX and INCY; the "Quit"
// button shows the code being built and the preview the first glyph of each lead byte. A font
// that does not hold the language's character set, a range of which it has no character, glyphs
// that cannot be stored and a file that cannot be written are told to the user; the file is
// written whole or not at all, and the user is told where it went and how many characters it
// holds. The output folder starts as the chosen language's first font mount, so that the new font
// is mounted with the others once the dialog has ended. "Quit" keeps the folder (unless it is a
// font mount), magic and version ("FontCreate" of TALVEX42.INI). "ReSample" (1134) completes a font
// file of the dialog's header: from its first empty index entry on, each glyph of the source is
// drawn, traced again and appended (a missing file is made first); a file whose header differs is
// listed difference by difference and left alone, and the file is written whole after each lead
// byte, so a later run goes on from there; a finished run tells how many characters it wrote.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/String.h"
#include "text/CftHeader.h"

class CContour;
class CCftFontUpdate;
class CIniFile;

class CFontCreateDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 269;
  static constexpr char kSection[] = "FontCreate";
  static constexpr char kDefaultMark[] = "TCFT";
  static constexpr char kDefaultVersion[] = "6.0";
  static constexpr float kPreviewScale = 0.12f;

  // The code range a language's character set suggests (lead first, lead last, trail first,
  // trail last); false for a character set without one.
  static bool RangeOf(int charset, int range[4]);

  explicit CFontCreateDlg(CWnd* parent = nullptr, CIniFile* settings = nullptr);

  BOOL OnInitDialog() override;
  // Create: builds the file; the dialog stays open.
  void OnOK() override;
  // Quit: keeps the settings and closes.
  void OnCancel() override;

  // The whole build; false when no file was written (the user was told why, except when no font
  // is chosen or the range is inverted).
  bool Create();
  // Asks first, then resamples the file from its first empty entry on; false when nothing was
  // written.
  bool Resample();
  // Reads the file into font, or makes it with the dialog's header when it is missing: 1, or -1
  // when no font is chosen, the range is inverted, the file differs from the dialog's header or
  // cannot be read or made (the user is told, but for the first two).
  int OpenFontFile(LPCSTR path, CCftFontUpdate& font);
  // One line per field in which the file's header differs from the wanted one, with the file's
  // value; empty when they agree.
  static CString HeaderDifferences(const CftHeader& file, const CftHeader& wanted);
  // The header the fields describe.
  CftHeader HeaderFromFields() const;
  CString OutputPath() const;
  // Whether a font file was written while the dialog was open.
  bool WroteFont() const { return m_wroteFont; }

protected:
  void OnLibraryChanged();
  void OnFontChosen();
  void OnShiftChanged();
  void OnResample() { Resample(); }
  // The preview (an owner-drawn static): the source's glyph of the range's first code.
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  DECLARE_MESSAGE_MAP()

private:
  WORD ChosenKey() const;
  int ChosenFont() const;
  int FieldNumber(int id) const;
  // An installed font without the language's character set: the user is told.
  bool SourceLacksCharset(WORD key, int font) const;
  // A format version whose records cannot be written (by a build, or by a resampling, which
  // takes 6.0 to 6.1 only): the user is told.
  bool RefusesVersion(float version, bool resampling) const;
  CString FieldText(int id) const;
  // A font name field's text: GBK, as typed on either system.
  CString NameText(int id) const;
  // Whether the output folder is one of the user's own, not empty nor a language's font mount.
  bool ShowsOwnFolder() const;
  // The output folder follows the chosen library's language to its first mount while it shows
  // no folder of the user's own.
  void FollowLanguageFolder(int charset);
  // The source's glyph of a code moved by INCX and INCY; null when the font has none.
  CContour* SourceGlyph(WORD code) const;
  static void DrawPreview(HDC dc, const RECT& area, const CContour* glyph);
  void RedrawPreview();
  // Shows the code being built on the "Quit" button.
  void ShowProgress(WORD code);
  // Shows a glyph just stored while the build runs.
  void ShowStored(const CContour* glyph);
  void Tell(UINT message, LPCSTR detail = nullptr, int number = 0) const;

  CIniFile& m_settings;
  bool m_filling = false;
  bool m_wroteFont = false;
};
