#include "model/editing/DrawUtils.h"

#include <cstring>
#include <vector>

#include "framework/String.h"

namespace {

POINT ToDevice(FPOINT point, const CMatrix2D& matrix) {
  POINT device;
  matrix.TransformPointToInt(&point, &device);
  return device;
}

// Runs a blit from a memory context that holds the bitmap.
template <class Blit>
BOOL BlitFromBitmap(CDC* dc, CBitmap* bitmap, Blit blit) {
  if (!dc || !bitmap || !bitmap->GetSafeHandle()) return FALSE;
  CDC memory;
  if (!memory.CreateCompatibleDC(dc)) return FALSE;
  BITMAP info;
  if (!bitmap->GetBitmap(&info)) return FALSE;
  CBitmap* previous = memory.SelectObject(bitmap);
  BOOL done = blit(memory, info);
  memory.SelectObject(previous);
  return done;
}

int TextWidth(CDC* dc, LPCSTR text, int length) { return dc->GetTextExtent(text, length).cx; }

// Byte offsets where the characters of text start, and the length as the last entry.
std::vector<int> CharacterStarts(LPCSTR text, int length) {
  std::vector<int> starts;
  for (int i = 0; i < length;) {
    starts.push_back(i);
    bool doubleByte = CString::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length;
    i += doubleByte ? 2 : 1;
  }
  starts.push_back(length);
  return starts;
}

}  // namespace

void DrawMarkSquare(CDC* dc, int x, int y, int h) { dc->Rectangle(x - h, y - h, x + h, y + h); }

void DrawTransformedQuad(CDC* dc, FPOINT p0, FPOINT p1, FPOINT p2, FPOINT p3,
                         const CMatrix2D& matrix) {
  POINT d0 = ToDevice(p0, matrix), d1 = ToDevice(p1, matrix);
  POINT d2 = ToDevice(p2, matrix), d3 = ToDevice(p3, matrix);
  dc->MoveTo(d0);
  dc->LineTo(d1);
  dc->LineTo(d3);
  dc->LineTo(d2);
  dc->LineTo(d0);
}

void DrawTransformedRect(CDC* dc, const CFRect& rect, const CMatrix2D& matrix) {
  POINT corners[5] = {ToDevice({rect.left, rect.top}, matrix),
                      ToDevice({rect.right, rect.top}, matrix),
                      ToDevice({rect.right, rect.bottom}, matrix),
                      ToDevice({rect.left, rect.bottom}, matrix),
                      ToDevice({rect.left, rect.top}, matrix)};
  dc->Polygon(corners, 5);
}

BOOL DrawBitmap(CDC* dc, CBitmap* bitmap, int x, int y, DWORD rop) {
  return BlitFromBitmap(dc, bitmap, [&](CDC& memory, const BITMAP& info) {
    return dc->BitBlt(x, y, info.bmWidth, info.bmHeight, &memory, 0, 0, rop);
  });
}

BOOL StretchBitmap(CDC* dc, CBitmap* bitmap, int x, int y, int width, int height, DWORD rop) {
  return BlitFromBitmap(dc, bitmap, [&](CDC& memory, const BITMAP& info) {
    return dc->StretchBlt(x, y, width, height, &memory, 0, 0, info.bmWidth, info.bmHeight, rop);
  });
}

CFont* CreateVerticalFont(LPCSTR faceName, int width, int height) {
  LOGFONTA logFont = {};
  logFont.lfHeight = -height;
  logFont.lfWidth = -width;
  logFont.lfEscapement = -900;
  logFont.lfWeight = FW_BOLD;
  logFont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(logFont.lfFaceName, faceName ? faceName : "Arial", LF_FACESIZE);
  CFont* font = new CFont;
  if (!font->CreateFontIndirect(&logFont)) {
    delete font;
    return nullptr;
  }
  return font;
}

LPCSTR FitTextToWidth(CDC* dc, LPCSTR text, int width, int margin) {
  static char fitted[512];
  const char kEllipsis[] = "...";
  if (!text || text[0] == '\0') return text;
  int length = static_cast<int>(strlen(text));
  if (TextWidth(dc, text, length) + margin <= width) return text;

  int limit = static_cast<int>(sizeof fitted - sizeof kEllipsis);
  std::vector<int> starts = CharacterStarts(text, length);
  size_t kept = starts.size() - 1;  // characters
  while (kept > 1 && starts[kept] > limit) --kept;
  int ellipsisWidth = TextWidth(dc, kEllipsis, 3);
  while (kept > 1 && margin + ellipsisWidth + TextWidth(dc, text, starts[kept]) > width) --kept;

  memcpy(fitted, text, static_cast<size_t>(starts[kept]));
  memcpy(fitted + starts[kept], kEllipsis, sizeof kEllipsis);
  return fitted;
}
