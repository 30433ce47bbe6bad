// CFontMountService: what the document asks of the font code for the font-mount section of its
// file, without linking it. The program's font sources install one (the program-objects file
// builds it after the font tables and the language table); while one is installed, a saved
// document names the fonts mounted now and an opened one reads the section through it. Without
// one (the model's own tests, tools that link only the model) the document keeps the section as
// it was read and writes it back unchanged. Installations nest like CModelServices: the
// destructor brings back the one installed before.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

class CByteWriter;

class CFontMountService {
public:
  CFontMountService();
  virtual ~CFontMountService();
  CFontMountService(const CFontMountService&) = delete;
  CFontMountService& operator=(const CFontMountService&) = delete;

  // The installed service, null when none is.
  static CFontMountService* Installed();

  // Appends the section for the fonts mounted now at the writer's end, where the section starts
  // in the file. False when it could not be written whole.
  virtual bool WriteSection(CByteWriter& file) = 0;
  // Reads the section at offset of the file image into its kept form (T, the entries, the name
  // blocks one after another, each entry's position the offset of its names in the kept form;
  // empty for T = 0). False when anything was damaged; what could be read is kept.
  virtual bool ReadSection(const BYTE* file, size_t fileSize, size_t offset,
                           std::vector<BYTE>& kept) = 0;

private:
  CFontMountService* m_previous;
};
