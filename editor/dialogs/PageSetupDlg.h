// CPageSetupDlg: the page setup dialog (179). It edits a copy of the active document's page
// settings (size, palette type, background and grid colours, grid size) and, on OK, stores them as
// the defaults that new documents read from the profile. RunForView runs it for a view and
// applies the result to the document and the view.
//
// Page presets live in TALVEX42.INI: the section "PAGE" followed by string 59999 lists the preset
// names as keys (each language its own names), and section "PAGE" gives each name's size as
// "width,height" in whole millimetres. The preset of the page's size shows as chosen.
#pragma once

#include <vector>

#include "framework/Dialog.h"
#include "framework/String.h"
#include "model/document/PageSettings.h"

class CAppProfile;
class CColorPalette;
class CIniFile;
class CTALVEXView;

class CPageSetupDlg : public CDialog {
  DECLARE_DYNAMIC(CPageSetupDlg)
public:
  static constexpr UINT kTemplateId = 179;
  static constexpr int kSmallestSide = 10;
  // Controls.
  enum : int {
    kPageType = 1233,
    kWidth = 1144,
    kHeight = 1145,
    kPaletteType = 1237,
    kBackColour = 1240,
    kGridColour = 1241,
    kGridSize = 1242,
  };

  CPageSetupDlg(const CPageSettings& page, CColorPalette& palette, const CIniFile& settings,
                const CAppProfile& profile, CWnd* parent = nullptr);

  // The settings as OK left them (the original ones until then).
  const CPageSettings& GetResult() const { return m_page; }

  // The presets' name section: "PAGE" and the suffix, without the blanks a suffix may add.
  static CString PresetSection(LPCSTR suffix);
  // The keys of a key list as the profile functions return it (each ended by a zero, the list by
  // an empty one); stops at the end of the buffer when the list is not ended. Each name is cut at
  // an "=".
  static std::vector<CString> ParseKeyList(const char* list, size_t size);
  // "width,height": the first two fields as integers; false when the text has no comma.
  static bool ParsePageSize(LPCSTR value, int* width, int* height);
  // The size of a preset name from section "PAGE", "400,900" for an unknown name.
  static CString PresetSize(const CIniFile& settings, LPCSTR name);

  // Runs the dialog on the view's document with the program's settings; on OK the document takes
  // the settings, the view its new page, fitted. FALSE when cancelled or without a document.
  static BOOL RunForView(CTALVEXView* view);

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnPageTypeChosen();
  void OnPaletteTypeChosen();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
  DECLARE_MESSAGE_MAP()

private:
  void FillPageTypes();
  void FillPaletteTypes();
  // Selects the item whose text is the colour's decimal value; none when the palette lacks it.
  void SelectColour(int control, int colour);
  // The chosen item's text as a number; fallback when nothing is chosen.
  int ChosenColour(int control, int fallback) const;
  int ReadInteger(int control) const;
  void StoreDefaults() const;
  void DrawColourItem(LPDRAWITEMSTRUCT item) const;

  CPageSettings m_page;
  CColorPalette& m_palette;
  const CIniFile& m_settings;
  const CAppProfile& m_profile;
};
