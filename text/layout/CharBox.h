// CCharBox: one character of a text: its font (charset and font source in the kind word, the
// font number), its size along and across the line (width and height in page units; the glyph em
// is 1024 units, so one glyph unit is width/1024 by height/1024), colour, style, rotation and
// skews, and the place the layout gave it (x, y and the box rectangle). It owns the outline it
// caches: double-byte outlines stay until the font changes or the box is deleted, single-byte
// ones are fetched for each use. An outline given by ReplaceOutline stays for either kind. Advance
// ratio, ink width and ink height are computed lazily; 0 means not yet computed.
#pragma once

#include <windows.h>

#include <cstddef>

#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"
#include "text/layout/TextBox.h"

class CContour;
class CDC;
class CTextDefaults;

class CCharBox : public CTextBox {
public:
  // Style word.
  enum : WORD {
    kFitMask = 0x0003,
    kFitUniform = 1,
    kFitStretch = 2,
    kHalfWidthPunct = 0x0004,
    kFilled = 0x0080,
    kLineEnd = 0x2000,
    kPlaced = 0x4000,
    kSelected = 0x8000,
  };
  enum : WORD { kLineBreak = 13, kSpace = 32, kFirstDoubleByte = 256 };
  enum : BYTE { kSymbolCharset = 133, kGb2312Charset = 134 };
  static constexpr size_t kRecordSize = 75;

  CCharBox();
  CCharBox(const CCharBox& other);
  CCharBox& operator=(const CCharBox&) = delete;
  ~CCharBox() override;

  bool IsSelected() const override { return (m_style & kSelected) != 0; }
  CTextBox* Clone() const override;
  int WriteRecord(CByteWriter& out) const override;

  // A box of the charset with the defaults' sizes and that language's default font.
  void Init(int charset, WORD code, const CTextDefaults& defaults);
  // The same with the charset taken from the code: below 256 charset 0, else the defaults'
  // East-Asian charset.
  void InitFromCode(WORD code, const CTextDefaults& defaults);

  // The advance along the line for layout kind 0-3 (vertical kinds 2 and 3 stack double-byte
  // characters by their height).
  float GetAdvance(int layoutKind);
  // The outline in glyph space through the glyph matrix, then through matrix when given; null
  // when the font gives none. The caller owns it.
  CContour* GetContour(const CMatrix2D* matrix);
  // The outline placed in the box (a preview's layout: glyph matrix, then the box placement for
  // the layout kind), then through matrix; sets ink width and height. The caller owns it.
  CContour* GetGlyphContour(const CMatrix2D* matrix, int layoutKind);
  // Fit, skew and rotation in glyph units for the given outline box (see GetContour).
  CMatrix2D GetGlyphMatrix(const CFRect& glyphBox) const;
  // The glyph matrix of the character's own outline (the identity when it has none).
  CMatrix2D GetGlyphMatrix();

  void Offset(float dx, float dy);
  // The page bounds of what Draw paints through matrix: the outline's box mapped by the glyph
  // matrix and then matrix, corner by corner, which holds the outline under any skew or turn;
  // false when the font gives no outline. The outline's box is kept from the first ask until the
  // glyph is forgotten, so that asking costs no outline fetch.
  bool GetDrawnBounds(const CMatrix2D& matrix, CFRect* bounds);
  // Draws the outline in the box colour, filled when style bit 7 is set.
  void Draw(CDC* dc, const CMatrix2D* matrix);
  void DrawPreview(CDC* dc, const CMatrix2D* matrix, int layoutKind);

  BYTE Charset() const { return static_cast<BYTE>(m_kind & 0xFF); }
  int FontSource() const { return (m_kind >> 8) & 0x0F; }
  // Charset and font source as the fonts take them.
  WORD FontKey() const { return static_cast<WORD>(m_kind & 0x0FFF); }
  bool IsDoubleByte() const { return !IsSingleByte(); }
  bool IsLineBreak() const { return m_code == kLineBreak; }
  // Frees the cached outline and forgets the metrics: the font or the size changed.
  void ForgetGlyph();
  // The outline in glyph units the box draws and cuts (fetched when there is none), still the
  // box's; null when the font gives none. A single-byte outline stays until the next use.
  CContour* KeptOutline() { return Glyph(); }
  // Takes over outline (glyph units) as the character's shape until its font changes, for
  // single-byte characters too: overlaps removed from a character stay removed.
  void ReplaceOutline(CContour* outline);

  WORD m_style;
  WORD m_code;
  WORD m_reserved;
  WORD m_fontNumber;
  float m_width;
  float m_height;
  float m_inkWidth;
  float m_inkHeight;
  float m_ratio;
  float m_x;
  float m_y;
  CFRect m_rect;
  DWORD m_colour;
  float m_angle;
  float m_skewX;
  float m_skewY;

private:
  void DrawContour(CDC* dc, CContour* contour, bool filled);
  // The cached outline, fetched when there is none.
  CContour* Glyph();
  // Drops a single-byte outline after use.
  void ReleaseSingleByteGlyph();
  void ComputeMetrics();
  CMatrix2D Placement(int layoutKind) const;

  CContour* m_outline;
  // The outline came from ReplaceOutline: it is kept whatever the character's kind.
  bool m_outlineReplaced;
  // The box of the outline in glyph units, for GetDrawnBounds.
  enum OutlineBoxState : BYTE { kBoxUnknown, kBoxKnown, kNoOutline };
  OutlineBoxState m_outlineBoxState;
  CFRect m_outlineBox;
};

// A new character box from a record of tag 18 and exactly 75 bytes within available; null for any
// other tag, length or a record that does not fit. The box has no cached outline.
CCharBox* LoadCharBox(const BYTE* record, size_t available);

// The codes that may not begin a line: ',' '.' ';' and the GB2312 punctuation that follows text.
bool IsNoLineStartPunct(const CTextBox* box);
// The GB2312 full-width punctuation that takes half width when style bit 2 is set.
bool IsFullWidthPunct(WORD code);
