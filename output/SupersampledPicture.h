// CSupersampledPicture: a white picture drawn at a whole multiple (the factor) of the resolution
// it is shown at, and shown with each square of factor x factor pixels averaged into one, so that
// lines much thinner than a shown pixel (a printer's pen on a small picture of the sheet) come out
// as light as they are thin instead of filling whole pixels. Width and height are in shown pixels;
// the drawing context works in fine ones. Where the memory for the factor asked cannot be had the
// factor is halved, down to 1 (drawn as shown), and a picture that cannot be had at all has no
// context.
#pragma once

#include <windows.h>

class CDC;

class CSupersampledPicture {
public:
  CSupersampledPicture(int width, int height, int factor);
  ~CSupersampledPicture();
  CSupersampledPicture(const CSupersampledPicture&) = delete;
  CSupersampledPicture& operator=(const CSupersampledPicture&) = delete;

  // The context to draw into at the factor's resolution; null without a picture.
  CDC* DC() const;
  int Factor() const { return m_factor; }
  // The averaged picture into dc with its top-left corner at (left, top); nothing without one.
  void Show(CDC* dc, int left, int top) const;

private:
  bool Create(int factor);

  int m_width;
  int m_height;
  int m_factor = 1;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
  // The fine pixels, top row first, 0x00RRGGBB each.
  DWORD* m_bits = nullptr;
};
