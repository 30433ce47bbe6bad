// CSampleText: a short line of characters that shows what a font looks like, for the font
// previews of the text dialogs. It owns its character boxes, lays them out from a start point on
// a base line (each box advances the next by its own advance) and draws their outlines. Units are
// those of the device the preview draws on: the boxes' sizes are in pixels. At most 16
// characters are shown, however long the text.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class CCharBox;
class CDC;
class CTextDefaults;

class CSampleText {
public:
  static constexpr size_t kMostCharacters = 16;
  // Read in place of the second byte of a double-byte character the text cut short.
  static constexpr BYTE kMissingTrailByte = 161;

  CSampleText();
  ~CSampleText();
  CSampleText(const CSampleText&) = delete;
  CSampleText& operator=(const CSampleText&) = delete;

  // The character codes of text read in the charset: none for the Japanese and Big5 sets, two
  // bytes a character for the Korean, GB symbol and GB2312 sets, one byte otherwise.
  static std::vector<WORD> CodesOf(LPCSTR text, int charset);
  // A short text in the charset, shown when the user gave none that suits it.
  static LPCSTR FixedSample(int charset);

  // Boxes of the codes in the charset, at the defaults' sizes and the charset's default font.
  void SetCodes(const std::vector<WORD>& codes, int charset, const CTextDefaults& defaults);
  // Boxes of mixed text: double-byte characters in the defaults' East-Asian set, the rest Latin.
  void SetText(LPCSTR text, const CTextDefaults& defaults);
  // Lays the boxes out from x on the base line (y grows downwards).
  void Place(float x, float baseline);
  void Draw(CDC* dc);

  size_t GetCount() const { return m_boxes.size(); }
  const CCharBox& GetBox(size_t i) const { return *m_boxes[i]; }

private:
  std::vector<std::unique_ptr<CCharBox>> m_boxes;
};
