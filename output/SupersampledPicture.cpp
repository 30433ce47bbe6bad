#include "output/SupersampledPicture.h"

#include <vector>

#include "framework/DC.h"

namespace {

// The most fine pixels a picture takes: 32 MB of them.
const long long kMostFinePixels = 1LL << 23;

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

CSupersampledPicture::CSupersampledPicture(int width, int height, int factor)
    : m_width(width), m_height(height) {
  if (width <= 0 || height <= 0) return;
  for (int tried = factor < 1 ? 1 : factor; tried >= 1; tried /= 2)
    if (Create(tried)) return;
}

bool CSupersampledPicture::Create(int factor) {
  const long long fineWidth = static_cast<long long>(m_width) * factor;
  const long long fineHeight = static_cast<long long>(m_height) * factor;
  if (fineWidth * fineHeight > kMostFinePixels) return false;
  BITMAPINFO info = TopDownInfo(static_cast<int>(fineWidth), static_cast<int>(fineHeight));
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = bitmap ? ::CreateCompatibleDC(nullptr) : nullptr;
  if (!dc) {
    if (bitmap) ::DeleteObject(bitmap);
    return false;
  }
  m_factor = factor;
  m_bitmap = bitmap;
  m_bits = static_cast<DWORD*>(bits);
  m_dc = dc;
  m_previous = ::SelectObject(m_dc, m_bitmap);
  RECT all = {0, 0, static_cast<LONG>(fineWidth), static_cast<LONG>(fineHeight)};
  ::FillRect(m_dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  return true;
}

CSupersampledPicture::~CSupersampledPicture() {
  if (!m_dc) return;
  ::SelectObject(m_dc, m_previous);
  ::DeleteDC(m_dc);
  ::DeleteObject(m_bitmap);
}

CDC* CSupersampledPicture::DC() const { return m_dc ? CDC::FromHandle(m_dc) : nullptr; }

void CSupersampledPicture::Show(CDC* dc, int left, int top) const {
  if (!m_dc || !dc) return;
  ::GdiFlush();
  const int factor = m_factor, fineWidth = m_width * factor;
  const unsigned samples = static_cast<unsigned>(factor * factor);
  std::vector<DWORD> shown(static_cast<size_t>(m_width) * m_height);
  std::vector<unsigned> sums(static_cast<size_t>(m_width) * 3);
  for (int y = 0; y < m_height; ++y) {
    sums.assign(sums.size(), 0);
    for (int row = 0; row < factor; ++row) {
      const DWORD* fine = m_bits + static_cast<size_t>(y * factor + row) * fineWidth;
      for (int x = 0; x < fineWidth; ++x) {
        unsigned* sum = &sums[static_cast<size_t>(x / factor) * 3];
        sum[0] += fine[x] & 0xFF;
        sum[1] += (fine[x] >> 8) & 0xFF;
        sum[2] += (fine[x] >> 16) & 0xFF;
      }
    }
    DWORD* out = &shown[static_cast<size_t>(y) * m_width];
    for (int x = 0; x < m_width; ++x) {
      const unsigned* sum = &sums[static_cast<size_t>(x) * 3];
      // Rounded to the nearest: a square of paper stays paper.
      out[x] = ((sum[0] + samples / 2) / samples) | ((sum[1] + samples / 2) / samples) << 8 |
               ((sum[2] + samples / 2) / samples) << 16;
    }
  }
  BITMAPINFO info = TopDownInfo(m_width, m_height);
  ::StretchDIBits(dc->GetSafeHdc(), left, top, m_width, m_height, 0, 0, m_width, m_height,
                  shown.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}
