// CDialogTemplate: builds a dialog template in memory (for dialogs that have no resource):
// the dialog's caption, style and size, then its controls. Coordinates are dialog units.
#pragma once

#include <windows.h>

#include <vector>

class CDialogTemplate {
public:
  // Classes of the system controls, as templates name them.
  enum ControlClass : WORD {
    button = 0x0080,
    edit = 0x0081,
    staticText = 0x0082,
    listBox = 0x0083,
    scrollBar = 0x0084,
    comboBox = 0x0085
  };

  CDialogTemplate(LPCSTR caption, DWORD style, int x, int y, int cx, int cy,
                  LPCSTR fontName = "MS Shell Dlg", WORD pointSize = 9);

  void AddControl(ControlClass controlClass, LPCSTR text, DWORD style, int x, int y, int cx, int cy,
                  WORD id, DWORD exStyle = 0);
  // A control of a registered class (common controls: "msctls_progress32", ...).
  void AddControl(LPCSTR className, LPCSTR text, DWORD style, int x, int y, int cx, int cy, WORD id,
                  DWORD exStyle = 0);

  // Valid until the next AddControl.
  LPCDLGTEMPLATEA Get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(m_words.data()); }

private:
  void AppendDword(DWORD value);
  void AppendText(LPCSTR text);
  void AlignToDword();
  void AppendItemHeader(DWORD style, DWORD exStyle, int x, int y, int cx, int cy, WORD id);

  std::vector<WORD> m_words;
};
