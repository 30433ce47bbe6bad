// CCutOutputHost: what the cut device bar needs of the window it sits in: the prepared job, the
// name the job manager lists it under, the interface language, its option pages and how the cut
// output is left. The cut-output window implements it.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CSegArray;

class CCutOutputHost {
public:
  virtual ~CCutOutputHost() = default;
  // The job: curve blocks and groups of curves in page units (millimetres), owned by the host;
  // null when there is nothing to cut.
  virtual CSegArray* GetOutputBlocks() = 0;
  virtual CString GetDocumentTitle() = 0;
  virtual LANGID GetLanguage() = 0;
  // The bar's exit button.
  virtual void CloseCutOutput() = 0;
  // Takes the values of the host's option pages into the settings and the cutter profile; false
  // (after telling the user) when one is refused. A host without pages has nothing to take.
  virtual bool ReadBackOptions() { return true; }
  // The cutter model changed: the host's pages show the new profile's values, so that nothing of
  // the old model is read back into the new one.
  virtual void ShowProfile() {}
  // The port changed: the host's pages enable what depends on the kind of port.
  virtual void ShowPortKind() {}
};
