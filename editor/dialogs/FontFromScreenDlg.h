// CFontFromScreenDlg: builds a font file from curves drawn on the page (dialog 312). "英文"
// writes a Latin code-table file of the codes 33-126 from a row of cells of the Size's width
// (code c from (c - 33) x Size to (c - 32) x Size, y from -1 to 1.5); "中文" adds to an own font
// file, or makes a new one, the glyphs of square cells of side Size, zone StartQH..EndQH one row
// each, positions A1-FE one column each. Cells without curves store nothing. A file that cannot be
// read or written, a code range the file does not hold and a Latin file past its 16-bit offsets
// are told to the user; a complete build says what it wrote and closes the dialog.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/String.h"

class CGlyphCodec;
class CSegArray;

class CFontFromScreenDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 312;
  static constexpr char kDefaultFile[] = "D:\\FD\\NFONT.CFT";
  static constexpr char kNewFontName[] = "NFONT.CFT";
  static constexpr int kLastPosition = 254;
  // Cells of the Latin build: y from -1 to 1.5 page units.
  static constexpr float kLatinTop = -1.0f;
  static constexpr float kLatinBottom = 1.5f;

  CFontFromScreenDlg(CSegArray* blocks, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  // CREATE: builds and closes when the file was written.
  void OnOK() override;

  // The Latin build into the file; false when nothing was written (the user was told why).
  bool BuildNewFont(LPCSTR path, float size);
  // The Chinese build into the file, zones firstZone..lastZone; false when nothing was written.
  bool BuildIntoFont(LPCSTR path, float size, int firstZone, int lastZone);
  // The file a build starts with: NFONT.CFT in the first font mount of GB2312 text, where it is
  // mounted once written, or kDefaultFile without one.
  static CString DefaultFile();

private:
  void Tell(UINT message, LPCSTR detail = nullptr, int number = 0) const;
  CString FieldText(int id) const;

  CSegArray* m_blocks;
};
