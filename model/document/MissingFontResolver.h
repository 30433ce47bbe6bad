// CMissingFontResolver: what the document asks of the editor when an opened document's characters
// name fonts that are not mounted on this machine: to let the user choose a font for each (the
// font replacement dialog). The editor's program objects install one; while none is installed
// (the model's own tests, tools that link only the model) the characters keep their fonts.
// Installations nest: the destructor brings back the one installed before.
#pragma once

class CFontRebinding;

class CMissingFontResolver {
public:
  CMissingFontResolver();
  virtual ~CMissingFontResolver();
  CMissingFontResolver(const CMissingFontResolver&) = delete;
  CMissingFontResolver& operator=(const CMissingFontResolver&) = delete;

  // The installed resolver, null when none is.
  static CMissingFontResolver* Installed();

  // Replaces (CFontRebinding::Replace) what the user chose for the missing fonts of the rebinding;
  // called only when some are missing. True when the user confirmed a choice.
  virtual bool Resolve(CFontRebinding& fonts) = 0;

private:
  CMissingFontResolver* m_previous;
};
