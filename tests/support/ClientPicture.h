// Saves a window's client area as a 24-bit BMP, for people looking at what a test saw, and reads
// a part of it back as pixels.
#pragma once

#include <windows.h>

#include <fstream>
#include <vector>

inline void SaveClientPicture(HWND window, const char* path) {
  RECT client;
  ::GetClientRect(window, &client);
  HDC source = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(source);
  HBITMAP bitmap = ::CreateCompatibleBitmap(source, client.right, client.bottom);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
  ::SelectObject(memory, previous);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = client.right;
  header.biHeight = client.bottom;
  header.biPlanes = 1;
  header.biBitCount = 24;
  int stride = (client.right * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * client.bottom);
  ::GetDIBits(memory, bitmap, 0, client.bottom, pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, source);
}

// The window's pixels in the area, row by row.
inline std::vector<DWORD> ClientPixels(HWND window, const RECT& area) {
  int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32}};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC source = ::GetDC(window), memory = ::CreateCompatibleDC(source);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
  ::GdiFlush();
  std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::ReleaseDC(window, source);
  ::DeleteObject(bitmap);
  return pixels;
}
