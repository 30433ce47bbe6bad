#include "text/layout/SampleText.h"

#include <memory>

#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

namespace {

bool ShowsNothing(int charset) { return charset == 128 || charset == 136; }

bool TakesTwoBytes(int charset) { return charset == 129 || charset == 133 || charset == 134; }

}  // namespace

CSampleText::CSampleText() = default;
CSampleText::~CSampleText() = default;

std::vector<WORD> CSampleText::CodesOf(LPCSTR text, int charset) {
  std::vector<WORD> codes;
  if (!text || ShowsNothing(charset)) return codes;
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
  for (size_t i = 0; bytes[i] != 0 && codes.size() < kMostCharacters;) {
    if (!TakesTwoBytes(charset)) {
      codes.push_back(bytes[i++]);
      continue;
    }
    BYTE second = bytes[i + 1] != 0 ? bytes[i + 1] : kMissingTrailByte;
    codes.push_back(static_cast<WORD>(bytes[i] << 8 | second));
    // A text cut short ends with its lead byte; the terminator is not read past.
    i += bytes[i + 1] != 0 ? 2 : 1;
  }
  return codes;
}

LPCSTR CSampleText::FixedSample(int charset) {
  switch (charset) {
    case 129:
      return "\xB0\xA1\xB3\xAA\xB4\xD9\xB6\xF3";  // four Hangul syllables
    case 133:
      return "\xA1\xEF\xA1\xF0\xA1\xF1\xA1\xF2";  // GB symbols: stars and circles
    case 134:
      return "字体样本";
    case 204:
      return "\xC0\xE1\xE2\xE3 \xC4\xE4";  // Cyrillic letters
    case 222:
      return "\xA1\xA2\xA3\xA4\xA5";  // Thai letters
    default:
      return "AaBbYyZz";
  }
}

void CSampleText::SetCodes(const std::vector<WORD>& codes, int charset,
                           const CTextDefaults& defaults) {
  m_boxes.clear();
  for (WORD code : codes) {
    if (m_boxes.size() >= kMostCharacters) break;
    auto box = std::make_unique<CCharBox>();
    box->Init(charset, code, defaults);
    m_boxes.push_back(std::move(box));
  }
}

void CSampleText::SetText(LPCSTR text, const CTextDefaults& defaults) {
  m_boxes.clear();
  std::unique_ptr<CBoxArray> boxes(MakeCharBoxesFromText(text, defaults));
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) {
    CCharBox* box = boxes->GetCharBox(i);
    if (!box || m_boxes.size() >= kMostCharacters) continue;
    m_boxes.emplace_back(static_cast<CCharBox*>(box->Clone()));
  }
}

void CSampleText::Place(float x, float baseline) {
  for (auto& box : m_boxes) {
    box->m_x = x;
    box->m_y = baseline;
    x += box->GetAdvance(0);
  }
}

void CSampleText::Draw(CDC* dc) {
  for (auto& box : m_boxes) box->DrawPreview(dc, nullptr, 0);
}
