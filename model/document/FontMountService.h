// CFontMountService: what the document asks of the font code for the font-mount section of its
// file, without linking it. The program's font sources install one (the program-objects file
// builds it after the font tables and the language table); while one is installed, a saved
// document names the fonts mounted now. Without one (the model's own tests, tools that link only
// the model) the document writes back the section it read. The section's bytes are read by the
// model alone (CFontMountSection). Installations nest like CModelServices: the destructor brings
// back the one installed before.
#pragma once

#include <windows.h>

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

private:
  CFontMountService* m_previous;
};
